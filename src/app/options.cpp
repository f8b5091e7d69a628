#include "options.h"

#include "ui/userprompts.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit* namedLineEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QToolButton* dotsButton(const char* name)
{
    auto* button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setText(QStringLiteral("..."));
    return button;
}

QCheckBox* namedCheckBox(const char* name, const QString& text)
{
    auto* box = new QCheckBox(text);
    box->setObjectName(QLatin1String(name));
    return box;
}

QWidget* withStretch(QLayout* content)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(content);
    layout->addStretch(1);
    return page;
}

// The library file as named on this platform, so that the filter shows it.
QString libraryFilter()
{
#ifdef Q_OS_WIN
    return QStringLiteral("HCM DLL (HCMFS_DLL.dll);;All (*.*)");
#else
    return QStringLiteral("HCM DLL (libHCMFS_DLL.so HCMFS_DLL.dll);;All (*.*)");
#endif
}

} // namespace

Options::Options(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("opt"));
    setWindowTitle(tr("Options"));
    setWindowIcon(QIcon(QStringLiteral(":/main/pics/preferences-system.png")));

    menu = new QListWidget;
    menu->setObjectName(QStringLiteral("menu"));
    menu->setMaximumWidth(170);
    menu->setIconSize(QSize(24, 24));
    details = new QStackedWidget;
    details->setObjectName(QStringLiteral("details"));

    addPage(QStringLiteral(":/main/pics/folder.png"), tr("Paths"), buildPathsPage());
    addPage(QStringLiteral(":/main/pics/syntax-check.png"), tr("Syntax checking"),
            buildSyntaxPage());
    addPage(QStringLiteral(":/main/pics/google_earth.png"), tr("Google Earth"),
            buildGoogleEarthPage());
    addPage(QStringLiteral(":/main/pics/system-software-update.png"), tr("Update"),
            buildUpdatePage());
    addPage(QStringLiteral(":/main/pics/1to1.png"), tr("Calculation"), buildCalculationPage());
    connect(menu, &QListWidget::currentRowChanged, details, &QStackedWidget::setCurrentIndex);
    menu->setCurrentRow(0);

    okButton = new QPushButton(tr("OK"));
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("Cancel"));
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* body = new QHBoxLayout;
    body->addWidget(menu);
    body->addWidget(details, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(toolButtonLibrary, &QToolButton::clicked, this, &Options::showDlgLibrary);
    connect(toolButtonTopo, &QToolButton::clicked, this, &Options::showDlgTopo);
    connect(toolButtonMorpho, &QToolButton::clicked, this, &Options::showDlgMorpho);
    connect(toolButtonBorder, &QToolButton::clicked, this, &Options::showDlgBorder);
    resize(620, 330);
}

void Options::addPage(const QString& icon, const QString& title, QWidget* page)
{
    new QListWidgetItem(QIcon(icon), title, menu);
    details->addWidget(page);
}

QWidget* Options::buildPathsPage()
{
    pathLibrary = namedLineEdit("pathLibrary");
    toolButtonLibrary = dotsButton("toolButtonLibrary");
    pathTopo = namedLineEdit("pathTopo");
    toolButtonTopo = dotsButton("toolButtonTopo");
    pathMorpho = namedLineEdit("pathMorpho");
    toolButtonMorpho = dotsButton("toolButtonMorpho");
    pathBorder = namedLineEdit("pathBorder");
    toolButtonBorder = dotsButton("toolButtonBorder");

    auto* grid = new QGridLayout;
    const struct {
        QString label;
        QLineEdit* field;
        QToolButton* button;
    } rows[] = {
        {tr("HCM-FS calculation library:"), pathLibrary, toolButtonLibrary},
        {tr("Directory of topological data:"), pathTopo, toolButtonTopo},
        {tr("Directory of morphological data:"), pathMorpho, toolButtonMorpho},
        {tr("Directory of border data:"), pathBorder, toolButtonBorder},
    };
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(new QLabel(r.label), row++, 0, 1, 2);
        grid->addWidget(r.field, row, 0);
        grid->addWidget(r.button, row++, 1);
    }
    return withStretch(grid);
}

QWidget* Options::buildSyntaxPage()
{
    cbEnableChecking = namedCheckBox("cbEnableChecking", tr("Check syntax while editing file"));
    cbCheckCalcErrors = namedCheckBox("cbCheckCalcErrors",
                                      tr("Check entries required for calculations only"));
    cbCheckFormatErrors = namedCheckBox("cbCheckFormatErrors", tr("Check format of numbers"));
    cbCheckValueWarnings = namedCheckBox("cbCheckValueWarnings",
                                         tr("Show warnings on suspicious values"));
    cbCheckCaracterWarnings = namedCheckBox("cbCheckCaracterWarnings",
                                            tr("Show warnings on illegal characters"));
    cbCheckWhenLoading = namedCheckBox("cbCheckWhenLoading",
                                       tr("Show report after file is loaded"));
    auto* group = new QGroupBox(tr("Syntax checking"));
    auto* inner = new QVBoxLayout(group);
    for (QCheckBox* box : {cbEnableChecking, cbCheckCalcErrors, cbCheckFormatErrors,
                           cbCheckValueWarnings, cbCheckCaracterWarnings, cbCheckWhenLoading})
        inner->addWidget(box);
    auto* layout = new QVBoxLayout;
    layout->addWidget(group);
    return withStretch(layout);
}

QWidget* Options::buildGoogleEarthPage()
{
    showTower = namedCheckBox("showTower", tr("Show tower instead of icon"));
    auto* group = new QGroupBox(tr("Station options (when showing separate stations)"));
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(showTower);
    auto* layout = new QVBoxLayout;
    layout->addWidget(group);
    return withStretch(layout);
}

QWidget* Options::buildUpdatePage()
{
    cbUpdate = namedCheckBox("cbUpdate", tr("Check for update when program is started"));
    leUpdateServer = namedLineEdit("leUpdateServer");
    leTerrainServer = namedLineEdit("leTerrainServer");
    leUpdateServer->setPlaceholderText(QStringLiteral("http://updates.example.org/linkwise"));
    leTerrainServer->setPlaceholderText(QStringLiteral("http://terrain.example.org"));
    auto* servers = new QGroupBox(tr("Servers (empty: not configured)"));
    auto* grid = new QGridLayout(servers);
    grid->addWidget(new QLabel(tr("Update server:")), 0, 0);
    grid->addWidget(leUpdateServer, 0, 1);
    grid->addWidget(new QLabel(tr("Terrain data server:")), 1, 0);
    grid->addWidget(leTerrainServer, 1, 1);
    auto* layout = new QVBoxLayout;
    layout->addWidget(cbUpdate);
    layout->addWidget(servers);
    return withStretch(layout);
}

QWidget* Options::buildCalculationPage()
{
    leFrequency_TXRX = namedLineEdit("leFrequency_TXRX");
    leDistance_TXRX = namedLineEdit("leDistance_TXRX");
    leDistance_PTXRX = namedLineEdit("leDistance_PTXRX");
    auto* group = new QGroupBox(tr("Perform calculation if the following conditions are met"));
    auto* grid = new QGridLayout(group);
    const struct {
        QString label;
        QLineEdit* field;
        QString unit;
    } rows[] = {
        {tr("Frequency difference between Tx and Rx <"), leFrequency_TXRX, tr("MHz")},
        {tr("Distance between Tx and Rx <"), leDistance_TXRX, tr("km")},
        {tr("Distance between PTx and Rx <"), leDistance_PTXRX, tr("km")},
    };
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(new QLabel(r.label), row, 0);
        grid->addWidget(r.field, row, 1);
        grid->addWidget(new QLabel(r.unit), row++, 2);
    }
    // How many station pairs a list-to-list run calculates at once; only a
    // library that declares itself safe for it is called from several.
    sbCalcThreads = new QSpinBox;
    sbCalcThreads->setObjectName(QStringLiteral("sbCalcThreads"));
    sbCalcThreads->setRange(1, 256);
    auto* threads = new QHBoxLayout;
    threads->addWidget(new QLabel(tr("Calculation threads")));
    threads->addWidget(sbCalcThreads);
    threads->addStretch();
    auto* layout = new QVBoxLayout;
    layout->addWidget(group);
    layout->addLayout(threads);
    return withStretch(layout);
}

void Options::showDlgLibrary()
{
    const QString current = pathLibrary->text();
    const QString start = current.isEmpty() ? QDir::currentPath()
                                            : QFileInfo(current).absoluteFilePath();
    const QString chosen = UserPrompts::openFileName(this, tr("Choose an HCM library file"), start,
                                                     libraryFilter());
    if (!chosen.isEmpty())
        pathLibrary->setText(chosen);
}

void Options::showDlgTopo()
{
    chooseFolder(pathTopo, tr("Select directory of topographical data"));
}

void Options::showDlgMorpho()
{
    chooseFolder(pathMorpho, tr("Select directory of morphological data"));
}

void Options::showDlgBorder()
{
    chooseFolder(pathBorder, tr("Select directory of border data"));
}

void Options::chooseFolder(QLineEdit* field, const QString& title)
{
    const QString chosen = UserPrompts::directory(this, title, field->text());
    if (!chosen.isEmpty())
        field->setText(chosen);
}

void Options::setOptions(bool checkOnEditing, bool calcErrors, bool formatErrors,
                         bool checkValueWarnings, bool checkCharacterWarnings, bool checkOnLoading)
{
    cbEnableChecking->setChecked(checkOnEditing);
    cbCheckCalcErrors->setChecked(calcErrors);
    cbCheckFormatErrors->setChecked(formatErrors);
    cbCheckValueWarnings->setChecked(checkValueWarnings);
    cbCheckCaracterWarnings->setChecked(checkCharacterWarnings);
    cbCheckWhenLoading->setChecked(checkOnLoading);
}
