#ifndef HCMEDITMDIUI_H
#define HCMEDITMDIUI_H

#include <vector>

class QComboBox;
class QWidget;
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
// the overview table, the five detail pages with one input per entry of the
// field table, and the status strip. It holds no behaviour; hcmEditMDI
// connects it.
struct hcmEditMDIUi
{
    void setupUi(QFrame* window);
    QTabWidget* patternTabs();

    QTableView* twList = nullptr;
    QTabWidget* tabDetails = nullptr;

    // One input per entry of editorFields(), in the same order.
    std::vector<QWidget*> inputs;
    QWidget* input(const char* name) const;

    QGroupBox* gb7g = nullptr;
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

    // Status strip
    QGroupBox* gbStatus = nullptr;
    QLabel* totalCount = nullptr;
    QLabel* selectedCount = nullptr;
    QLabel* info = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* buttonCancel = nullptr;
};

#endif
