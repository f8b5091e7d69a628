#include "hcmformui.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

const char kSmall[] = ":/32x32/pics/new/32x32/";
const char kMain[] = ":/main/pics/";

QAction* makeAction(QMainWindow* window, const char* name, const QString& text,
                    const QString& icon = QString(), const QKeySequence& key = QKeySequence())
{
    auto* action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    if (!icon.isEmpty())
        action->setIcon(QIcon(icon));
    if (!key.isEmpty())
        action->setShortcut(key);
    return action;
}

QString small(const char* file)
{
    return QLatin1String(kSmall) + QLatin1String(file);
}

QString mainPic(const char* file)
{
    return QLatin1String(kMain) + QLatin1String(file);
}

QToolBar* makeToolBar(QMainWindow* window, const char* name, const QString& title)
{
    auto* bar = new QToolBar(title, window);
    bar->setObjectName(QLatin1String(name));
    bar->setOrientation(Qt::Horizontal);
    bar->setIconSize(QSize(32, 32));
    window->addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

} // namespace

void hcmFormUi::setupUi(QMainWindow* window)
{
    window->setObjectName(QStringLiteral("MainWindow"));
    window->setWindowTitle(QMainWindow::tr("Linkwise"));
    window->resize(898, 649);
    window->setMinimumSize(600, 400);
    window->setWindowIcon(QIcon(mainPic("lwise.png")));
    window->setIconSize(QSize(24, 24));
    window->setAcceptDrops(true);

    auto* central = new QWidget(window);
    central->setObjectName(QStringLiteral("centralwidget"));
    auto* layout = new QHBoxLayout(central);
    layout->setSpacing(6);
    layout->setContentsMargins(9, 9, 9, 9);
    mdiArea = new QMdiArea(central);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    layout->addWidget(mdiArea);
    window->setCentralWidget(central);
    window->setStatusBar(new QStatusBar(window));

    createActions(window);
    createMenus(window);
    createToolBars(window);
}

void hcmFormUi::createActions(QMainWindow* w)
{
    using Tr = QMainWindow;
    actionNew = makeAction(w, "actionNew", Tr::tr("&New"), small("document-new-4.png"),
                           QKeySequence(Qt::CTRL | Qt::Key_N));
    actionEdit_View_HCM_file = makeAction(w, "actionEdit_View_HCM_file", Tr::tr("&Open"),
                                          small("document-open-2.png"),
                                          QKeySequence(Qt::CTRL | Qt::Key_O));
    actionSave = makeAction(w, "actionSave", Tr::tr("&Save"), small("document-save-7.png"),
                            QKeySequence(Qt::CTRL | Qt::Key_S));
    actionSave_As = makeAction(w, "actionSave_As", Tr::tr("Save &As..."),
                               small("document-save-as-6.png"));
    actionAdd_record = makeAction(w, "actionAdd_record", Tr::tr("&Add Record"),
                                  small("list-add-2.png"));
    actionRemove_records = makeAction(w, "actionRemove_records", Tr::tr("&Remove Records"),
                                      small("list-remove-2.png"));
    actionDublicate_record = makeAction(w, "actionDublicate_record", Tr::tr("&Duplicate Record"),
                                        small("edit-copy-2.png"));
    actionSet_value = makeAction(w, "actionSet_value", Tr::tr("Set &Value"),
                                 small("edit-find-replace-4.png"));
    actionChech_file_syntax = makeAction(w, "actionChech_file_syntax", Tr::tr("&Check File Syntax"),
                                         small("mail-mark-task.png"));
    actionComapre_with_auxilary_file = makeAction(w, "actionComapre_with_auxilary_file",
                                                  Tr::tr("Com&pare with Auxiliary File"),
                                                  mainPic("compare.PNG"));
    act1to1 = makeAction(w, "act1to1", Tr::tr("&Single Entry Calculation"), mainPic("1to1.png"));
    actLtoL = makeAction(w, "actLtoL", Tr::tr("&List - to - List Calculations"),
                         mainPic("ltol.png"));
    actionTrigger_for_co_ordination = makeAction(w, "actionTrigger_for_co_ordination",
                                                 Tr::tr("&Trigger for Co-ordination"),
                                                 mainPic("annex11.png"));
    actionOptions = makeAction(w, "actionOptions", Tr::tr("&Options"), small("configure-2.png"));
    actionCheck_for_new_version = makeAction(w, "actionCheck_for_new_version",
                                             Tr::tr("&Download / Update Center"),
                                             small("download-3.png"));
    actionShow_on_Google_Earth = makeAction(w, "actionShow_on_Google_Earth",
                                            Tr::tr("Show Selected on &Google Earth"),
                                            mainPic("google_earth.png"));
    actionShow_on_Google_Earth->setEnabled(false);
    actionETSI_TX_Masks = makeAction(w, "actionETSI_TX_Masks", Tr::tr("TX/RX &Masks"),
                                     mainPic("mask.png"));
    actionTile = makeAction(w, "actionTile", Tr::tr("&Tile Windows"));
    actionCascade_windows = makeAction(w, "actionCascade_windows", Tr::tr("&Cascade Windows"));
    actionClose_Current_Window = makeAction(w, "actionClose_Current_Window",
                                            Tr::tr("Close C&urrent Window"));
    actionClose_All_Windows = makeAction(w, "actionClose_All_Windows", Tr::tr("Close &All Windows"),
                                         QString(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    actionAbout = makeAction(w, "actionAbout", Tr::tr("&About"));
    actionAbout_QT = makeAction(w, "actionAbout_QT", Tr::tr("About &QT"));
    // Kept for their shortcuts only; no menu shows them.
    actionInterference_calculation = makeAction(w, "actionInterference_calculation",
                                                Tr::tr("Calculations"), QString(),
                                                QKeySequence(Qt::CTRL | Qt::Key_R));
    actionHCM_file_editing = makeAction(w, "actionHCM_file_editing", Tr::tr("HCM file editing"),
                                        QString(), QKeySequence(Qt::CTRL | Qt::Key_E));
}

void hcmFormUi::createMenus(QMainWindow* w)
{
    using Tr = QMainWindow;
    QMenuBar* bar = w->menuBar();
    bar->setObjectName(QStringLiteral("menubar"));
    auto menu = [bar](const char* name, const QString& title) {
        QMenu* m = bar->addMenu(title);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    menuFile = menu("menuFile", Tr::tr("&File"));
    menuEdit = menu("menuEdit", Tr::tr("&Edit"));
    menuInterference_calculations = menu("menuInterference_calculations", Tr::tr("&Calculations"));
    menuOptions = menu("menuOptions", Tr::tr("&Tools"));
    menuWindow = menu("menuWindow", Tr::tr("&Window"));
    menuHelp = menu("menuHelp", Tr::tr("&Help"));

    menuFile->addActions({actionNew, actionEdit_View_HCM_file, actionSave, actionSave_As});
    menuEdit->addActions({actionAdd_record, actionRemove_records, actionDublicate_record});
    menuEdit->addSeparator();
    menuEdit->addActions({actionSet_value, actionChech_file_syntax,
                          actionComapre_with_auxilary_file});
    menuInterference_calculations->addActions({act1to1, actLtoL,
                                               actionTrigger_for_co_ordination});
    menuOptions->addActions({actionOptions, actionCheck_for_new_version,
                             actionShow_on_Google_Earth, actionETSI_TX_Masks});
    menuWindow->addActions({actionTile, actionCascade_windows, actionClose_Current_Window,
                            actionClose_All_Windows});
    menuWindow->addSeparator();
    menuHelp->addActions({actionAbout, actionAbout_QT});
}

void hcmFormUi::createToolBars(QMainWindow* w)
{
    using Tr = QMainWindow;
    toolBarFileEdit = makeToolBar(w, "toolBarFileEdit", Tr::tr("File Editor Bar"));
    toolBarFileEdit->addSeparator();
    toolBarFileEdit->addActions({actionNew, actionEdit_View_HCM_file, actionSave, actionSave_As,
                                 actionRemove_records, actionAdd_record, actionDublicate_record,
                                 actionSet_value, actionComapre_with_auxilary_file,
                                 actionChech_file_syntax});
    toolBarCalculations = makeToolBar(w, "toolBarCalculations", Tr::tr("Calculations Bar"));
    toolBarCalculations->addActions({act1to1, actLtoL, actionTrigger_for_co_ordination});
    toolBarTools = makeToolBar(w, "toolBarTools", Tr::tr("Tools Bar"));
    toolBarTools->addActions({actionOptions, actionCheck_for_new_version, actionETSI_TX_Masks});
}
