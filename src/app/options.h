#ifndef OPTIONS_H
#define OPTIONS_H

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;

// The Options dialog: paths, syntax-check classes, Google Earth and update
// choices, calculation conditions. It only holds values while open; the main
// window fills it before showing and reads it back when OK is pressed. Its
// inputs are public like those of a generated form, since the main window
// reads and writes them directly.
class Options : public QDialog
{
    Q_OBJECT
public:
    explicit Options(QWidget* parent = nullptr);

    QListWidget* menu;
    QStackedWidget* details;

    QLineEdit* pathLibrary;
    QToolButton* toolButtonLibrary;
    QLineEdit* pathTopo;
    QToolButton* toolButtonTopo;
    QLineEdit* pathMorpho;
    QToolButton* toolButtonMorpho;
    QLineEdit* pathBorder;
    QToolButton* toolButtonBorder;

    QCheckBox* cbEnableChecking;
    QCheckBox* cbCheckCalcErrors;
    QCheckBox* cbCheckFormatErrors;
    QCheckBox* cbCheckValueWarnings;
    QCheckBox* cbCheckCaracterWarnings;
    QCheckBox* cbCheckWhenLoading;

    QCheckBox* showTower;
    QCheckBox* cbUpdate;
    QLineEdit* leUpdateServer;
    QLineEdit* leTerrainServer;

    QLineEdit* leFrequency_TXRX;
    QLineEdit* leDistance_TXRX;
    QLineEdit* leDistance_PTXRX;
    QSpinBox* sbCalcThreads;

    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void showDlgLibrary();
    void showDlgTopo();
    void showDlgBorder();
    void showDlgMorpho();
    void setOptions(bool checkOnEditing = true, bool calcErrors = true, bool formatErrors = true,
                    bool checkValueWarnings = true, bool checkCharacterWarnings = true,
                    bool checkOnLoading = true);

private:
    QWidget* buildPathsPage();
    QWidget* buildSyntaxPage();
    QWidget* buildGoogleEarthPage();
    QWidget* buildUpdatePage();
    QWidget* buildCalculationPage();
    void addPage(const QString& icon, const QString& title, QWidget* page);
    void chooseFolder(QLineEdit* field, const QString& title);
};

#endif
