#ifndef HCMEDITMDIUI_H
#define HCMEDITMDIUI_H

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;
class QToolButton;
class PatternPlot;

// The editor window's widget set, built in code the way a form would be:
// the overview table, the five detail pages and the status strip. It holds no
// behaviour; hcmEditMDI connects it.
struct hcmEditMDIUi
{
    void setupUi(QFrame* window);

    QTableView* twList = nullptr;
    QTabWidget* tabDetails = nullptr;

    // General (1)
    QLineEdit* le4a = nullptr;
    QLineEdit* le1a = nullptr;
    QLineEdit* le1a1 = nullptr;
    QLineEdit* le0a = nullptr;
    QLineEdit* le4clo = nullptr;
    QLineEdit* le4cla = nullptr;
    QLineEdit* le9a = nullptr;
    QLineEdit* le9b = nullptr;
    QLineEdit* le9d = nullptr;
    QLineEdit* le4z = nullptr;
    QLineEdit* le9l = nullptr;

    // General (2)
    QLineEdit* le6a = nullptr;
    QLineEdit* le6b = nullptr;
    QLineEdit* le6z = nullptr;
    QLineEdit* le1z = nullptr;
    QLineEdit* le4b = nullptr;
    QLineEdit* le13x = nullptr;
    QLineEdit* le2c = nullptr;
    QLineEdit* le13y = nullptr;
    QLineEdit* le2w = nullptr;
    QLineEdit* le2z = nullptr;
    QPlainTextEdit* te13z = nullptr;

    // Equipment
    QLineEdit* le7h = nullptr;
    QLineEdit* le7i = nullptr;
    QLineEdit* le8b = nullptr;
    QLineEdit* le8b3 = nullptr;
    QLineEdit* le7g1 = nullptr;
    QLineEdit* le7g2 = nullptr;
    QLineEdit* le9h = nullptr;
    QLineEdit* le7k = nullptr;
    QLineEdit* le7a = nullptr;
    QLineEdit* le7g3 = nullptr;
    QGroupBox* gb7g = nullptr;
    // Mask point n (1 to 6) is le7gf[n - 1] / le7ga[n - 1], named le7gf1 ... le7ga6.
    QLineEdit* le7gf[6] = {};
    QLineEdit* le7ga[6] = {};

    // Antenna
    QLineEdit* le9xm = nullptr;
    QLineEdit* le9xt = nullptr;
    QLineEdit* le9y = nullptr;
    QLineEdit* le9xfu = nullptr;
    QLineEdit* le9xfl = nullptr;
    QLineEdit* le9x1 = nullptr;
    QTabWidget* tabPatterns = nullptr;
    PatternPlot* patternPlot = nullptr;
    QComboBox* leRadPatCo = nullptr;
    QToolButton* tbDelCp = nullptr;
    QPushButton* pbAddCp = nullptr;
    QTableWidget* tw9xco = nullptr;
    QComboBox* leRadPatCr = nullptr;
    QToolButton* tbDelXp = nullptr;
    QPushButton* pbAddXp = nullptr;
    QTableWidget* tw9xcr = nullptr;

    // File header
    QLineEdit* leFileNumber = nullptr;
    QLineEdit* leResponsiblePerson = nullptr;
    QLineEdit* lePhone = nullptr;
    QLineEdit* leTelefax = nullptr;
    QLineEdit* leEmail = nullptr;
    QLineEdit* leNumberOfRecords = nullptr;
    QLineEdit* leWritingDate = nullptr;
    QLineEdit* leCountry = nullptr;
    QLineEdit* leFileContentsCode = nullptr;
    QPlainTextEdit* teFileContents = nullptr;

    // Status strip
    QGroupBox* gbStatus = nullptr;
    QLabel* totalCount = nullptr;
    QLabel* selectedCount = nullptr;
    QLabel* info = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* buttonCancel = nullptr;
};

#endif
