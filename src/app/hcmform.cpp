#include "hcmform.h"

#include "aboutdialog.h"
#include "apppaths.h"
#include "calc/fileversion.h"
#include "ui/calcfilesdialog.h"
#include "ui/downloadcentre.h"
#include "app/options.h"
#include "app/saveprm.h"
#include "app/setvalue.h"
#include "ui/editorwindow.h"
#include "librarylocation.h"
#include "ui/reportwindow.h"
#include "unsavedfilesprompt.h"
#include "ui/userprompts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace {

const char kEditorName[] = "hcmEdit";
const char kReportName[] = "hcmReport";
const char kUriList[] = "text/uri-list";

} // namespace

hcmForm::hcmForm(QWidget* parent) : QMainWindow(parent), m_reportFiles(QString())
{
    QCoreApplication::setApplicationName(QStringLiteral("Linkwise"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.1.1.0"));
    m_ui.setupUi(this);

    m_userStore = AppPaths::createUserStore();
    m_machineStore = AppPaths::createMachineStore();
    restoreState(m_userStore->value(QLatin1String(SettingsKeys::State)).toByteArray(), 0);
    restoreGeometry(m_userStore->value(QLatin1String(SettingsKeys::MainGeometry)).toByteArray());

    m_dataFolder = AppPaths::dataFolder();
    m_reportFiles = ReportFiles(m_dataFolder);
    createDialogs();
    readSettings();
    m_libraryVersion = QFile::exists(m_settings.hcmLibrary)
                         ? fileVersionText(m_settings.hcmLibrary)
                         : QString();
    m_updateFolder = AppPaths::dataSubFolder(QStringLiteral("update"));
    m_options->setOptions(m_settings.check.checkOnEditing, m_settings.check.calcErrors,
                          m_settings.check.formatErrors, m_settings.check.valueWarnings,
                          m_settings.check.characterWarnings, m_settings.check.checkOnLoading);
    connectActions();
    changeActionState();
    scheduleStartupJob();
}

hcmForm::~hcmForm() = default;

void hcmForm::setWindowFactory(WindowFactory factory)
{
    m_factory = std::move(factory);
    createFactoryDialogs();
}

// The dialogs of other parts, made once with this window as parent.
void hcmForm::createFactoryDialogs()
{
    delete m_calcFiles;
    m_calcFiles = m_factory.calcFilesDialog ? m_factory.calcFilesDialog(this) : nullptr;
    if (m_calcFiles)
        connect(m_calcFiles, &QDialog::accepted, this, &hcmForm::calculate);

    delete m_maskDialog;
    m_maskDialog = m_factory.maskDialog
                     ? m_factory.maskDialog(this, AppPaths::equipmentDatabase())
                     : nullptr;

    delete m_downloadCentre;
    m_downloadCentre = nullptr;
    if (m_factory.downloadCentre) {
        const DownloadCentreSetup setup{QCoreApplication::applicationVersion(),
                                        m_libraryVersion,
                                        m_settings.topo,
                                        m_settings.morpho,
                                        m_updateFolder,
                                        m_settings.updateServer,
                                        m_settings.terrainServer};
        m_downloadCentre = m_factory.downloadCentre(this, setup);
        m_downloadCentre->setTestMode(m_testMode);
        connect(m_downloadCentre, &DownloadCentre::newVersionAvailable, this,
                &hcmForm::doActionInformAboutUpdate);
        connect(m_downloadCentre, &DownloadCentre::startDownloading, this,
                &hcmForm::startDownloader);
    }
}

void hcmForm::createDialogs()
{
    m_about = new AboutDialog(this);
    m_options = new Options(this);
    m_setValue = new SetValue(this);
    m_savePrm = new SavePrm(this);
}

void hcmForm::readSettings()
{
    m_settings.read(*m_userStore, *m_machineStore);
}

void hcmForm::connectActions()
{
    const hcmFormUi& u = m_ui;
    QMdiArea* area = u.mdiArea;
    connect(u.actionNew, &QAction::triggered, this, &hcmForm::doActionNew);
    connect(u.actionEdit_View_HCM_file, &QAction::triggered, this, &hcmForm::doActionOpen);
    connect(u.actionSave, &QAction::triggered, this, &hcmForm::doActionSave);
    connect(u.actionSave_As, &QAction::triggered, this, &hcmForm::doActionSaveAs);
    connect(u.actionAdd_record, &QAction::triggered, this, &hcmForm::doActionAddLine);
    connect(u.actionRemove_records, &QAction::triggered, this, &hcmForm::doActionDelete);
    connect(u.actionDublicate_record, &QAction::triggered, this,
            &hcmForm::doActionDublicateRecord);
    connect(u.actionSet_value, &QAction::triggered, m_setValue, &QDialog::exec);
    connect(u.actionChech_file_syntax, &QAction::triggered, this, &hcmForm::doActionCheckSyntax);
    connect(u.actionComapre_with_auxilary_file, &QAction::triggered, this,
            &hcmForm::actionCompareFiles);
    connect(u.act1to1, &QAction::triggered, this, &hcmForm::showDlg1to1);
    connect(u.actLtoL, &QAction::triggered, this, &hcmForm::showDlgLtoL);
    connect(u.actionTrigger_for_co_ordination, &QAction::triggered, this,
            &hcmForm::doActionCalculateTrigger);
    connect(u.actionOptions, &QAction::triggered, this, &hcmForm::showOptions);
    connect(u.actionCheck_for_new_version, &QAction::triggered, this,
            &hcmForm::doActionStartDownloader);
    connect(u.actionShow_on_Google_Earth, &QAction::triggered, this, &hcmForm::doActionGoogleShow);
    connect(u.actionETSI_TX_Masks, &QAction::triggered, this, &hcmForm::doActionShowEtsiMasks);
    connect(u.actionTile, &QAction::triggered, area, &QMdiArea::tileSubWindows);
    connect(u.actionCascade_windows, &QAction::triggered, area, &QMdiArea::cascadeSubWindows);
    connect(u.actionClose_Current_Window, &QAction::triggered, area,
            &QMdiArea::closeActiveSubWindow);
    connect(u.actionClose_All_Windows, &QAction::triggered, area, &QMdiArea::closeAllSubWindows);
    connect(u.actionAbout, &QAction::triggered, m_about, &QDialog::show);
    connect(u.actionAbout_QT, &QAction::triggered, qApp, &QApplication::aboutQt);

    connect(m_options->okButton, &QPushButton::clicked, this, &hcmForm::applyOptions);
    connect(m_setValue->pbOk, &QPushButton::clicked, this, &hcmForm::doActionSetValue);
    connect(m_savePrm->pbSave, &QPushButton::clicked, this, &hcmForm::saveDlgClicked);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &hcmForm::writeCFGfile);
    connect(u.menuWindow, &QMenu::aboutToShow, this, &hcmForm::updateWindowMenu);
    connect(area, &QMdiArea::subWindowActivated, this, &hcmForm::changeActionState);
}

void hcmForm::scheduleStartupJob()
{
    m_startupJob = Startup::chooseJob(*m_userStore, m_settings.checkForUpdateOnStartup);
    if (m_startupJob != Startup::Job::None)
        QTimer::singleShot(Startup::delayMs(m_startupJob), this, &hcmForm::runStartupJob);
}

void hcmForm::runStartupJob()
{
    switch (m_startupJob) {
    case Startup::Job::FirstInstallation:
        slStartWizard();
        break;
    case Startup::Job::ResumeDownload:
        startDownloader();
        break;
    case Startup::Job::UpdateCheck:
        if (m_downloadCentre)
            m_downloadCentre->checkForNewVersion();
        break;
    case Startup::Job::None:
        break;
    }
}

void hcmForm::takeCommandLine(const QStringList& arguments)
{
    if (arguments.size() > 1) {
        const Startup::CommandLine line = Startup::parse(arguments);
        m_pendingOpen = line.files;
        if (line.testMode) {
            m_testMode = true;
            if (m_downloadCentre)
                m_downloadCentre->setTestMode(true);
        }
        if (!m_pendingOpen.isEmpty())
            QTimer::singleShot(0, this, &hcmForm::doActionOpen);
    }
    if (m_testMode)
        setWindowTitle(QStringLiteral("---===TEST MODE===---"));
}

void hcmForm::slStartWizard()
{
    UserPrompts::warning(
        this, tr("Linkwise Parameter Setup"),
        tr("Linkwise detected that this might be the first installation.\nIn order to work "
           "properly, Linkwise requires some paths being set.\nAfter you close this dialog box an "
           "Option Dialog box will pop up.\nPlease set the required paths.\nYou may also find "
           "useful to set other parameters."));
    m_userStore->remove(QLatin1String(SettingsKeys::FirstInstallation));
    m_userStore->sync();
    showOptions();
}

bool hcmForm::writeCFGfile()
{
    if (!m_settings.write(*m_userStore, *m_machineStore) && !m_machineStoreWarned) {
        m_machineStoreWarned = true;
        UserPrompts::warning(
            this, tr("Linkwise"),
            tr("The data folders could not be stored in the machine-wide settings file\n%1\n"
               "Writing it may need administrator rights. The folders apply until Linkwise "
               "is closed.")
                .arg(QDir::toNativeSeparators(m_machineStore->fileName())));
    }
    return true;
}

// ---- Sub-windows ----------------------------------------------------------

QMdiSubWindow* hcmForm::subWindowOf(QWidget* widget) const
{
    for (QMdiSubWindow* window : m_ui.mdiArea->subWindowList()) {
        if (window->widget() == widget)
            return window;
    }
    return nullptr;
}

EditorWindow* hcmForm::editorIn(QMdiSubWindow* window) const
{
    if (!window || window->objectName() != QLatin1String(kEditorName))
        return nullptr;
    return qobject_cast<EditorWindow*>(window->widget());
}

ReportWindow* hcmForm::reportIn(QMdiSubWindow* window) const
{
    if (!window || window->objectName() != QLatin1String(kReportName))
        return nullptr;
    return qobject_cast<ReportWindow*>(window->widget());
}

// The current sub-window stays known while a dialog or message box has the
// focus, which is when several actions ask about it.
EditorWindow* hcmForm::activeEditor() const
{
    return editorIn(m_ui.mdiArea->currentSubWindow());
}

ReportWindow* hcmForm::activeReport() const
{
    return reportIn(m_ui.mdiArea->currentSubWindow());
}

QAction* hcmForm::addWindowAction(QMdiSubWindow* window, const QString& text)
{
    QAction* action = m_ui.menuWindow->addAction(text);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, window] { setActiveSubWindow(window); });
    connect(window, &QObject::destroyed, action, &QObject::deleteLater);
    connect(window, &QObject::destroyed, this, &hcmForm::changeActionState,
            Qt::QueuedConnection);
    return action;
}

EditorWindow* hcmForm::createEditorWindow()
{
    if (!m_factory.editor)
        return nullptr;
    EditorWindow* editor = m_factory.editor(m_settings.check);
    QMdiSubWindow* window = m_ui.mdiArea->addSubWindow(editor);
    window->setObjectName(QLatin1String(kEditorName));
    window->show();
    changeActionState();
    editor->setWindowAction(addWindowAction(window, tr("no name")));
    connect(editor, &EditorWindow::subWindowClosing, this, &hcmForm::saveHCM);
    connect(editor, &EditorWindow::saveAsRequested, this, &hcmForm::runSaveDialogFor);
    connect(editor, &EditorWindow::signalSelectionChanged, this, &hcmForm::changeActionState);
    return editor;
}

ReportWindow* hcmForm::createReportWindow()
{
    if (!m_factory.report)
        return nullptr;
    ReportSetup setup;
    setup.libraryPath = LibraryLocation::resolve(m_settings.hcmLibrary,
                                                 QCoreApplication::applicationDirPath());
    m_terrainPath = LibraryLocation::terrainPath(setup.libraryPath, m_terrainPath, QDir::drives());
    setup.terrainPath = m_terrainPath;
    const ReportFiles::Names names = m_reportFiles.next();
    setup.reportFile = names.report;
    setup.detailFile = names.detail;
    setup.frequencyTxRx = m_settings.frequencyTxRx;
    setup.distanceTxRx = m_settings.distanceTxRx;
    setup.distancePTxRx = m_settings.distancePTxRx;
    setup.threads = m_settings.calculationThreads;

    ReportWindow* report = m_factory.report(setup);
    QMdiSubWindow* window = m_ui.mdiArea->addSubWindow(report);
    window->setObjectName(QLatin1String(kReportName));
    window->show();
    report->setWindowAction(addWindowAction(window, tr("Report X")));
    connect(report, &ReportWindow::actionStateChanged, this, &hcmForm::changeActionState);
    changeActionState();
    return report;
}

void hcmForm::setActiveSubWindow(QWidget* window)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window))
        m_ui.mdiArea->setActiveSubWindow(sub);
}

void hcmForm::updateWindowMenu()
{
    const QList<QMdiSubWindow*> windows = m_ui.mdiArea->subWindowList();
    const bool any = !windows.isEmpty();
    m_ui.actionTile->setEnabled(any);
    m_ui.actionCascade_windows->setEnabled(any);
    m_ui.actionClose_Current_Window->setEnabled(any);
    m_ui.actionClose_All_Windows->setEnabled(any);
    QMdiSubWindow* current = m_ui.mdiArea->currentSubWindow();
    for (QMdiSubWindow* window : windows) {
        QAction* action = nullptr;
        if (EditorWindow* editor = editorIn(window))
            action = editor->windowAction();
        else if (ReportWindow* report = reportIn(window))
            action = report->windowAction();
        if (action)
            action->setChecked(window == current);
    }
}

void hcmForm::changeActionState()
{
    const hcmFormUi& u = m_ui;
    bool save = false;
    bool rows = false;
    bool editing = false;
    if (EditorWindow* editor = activeEditor()) {
        save = editor->rowCount() > 0;
        editing = true;
        rows = editor->currentRow() != -1;
    } else if (activeReport()) {
        save = true;
    }
    u.actionSave->setEnabled(save);
    u.actionSave_As->setEnabled(save);
    u.actionRemove_records->setEnabled(rows);
    u.actionDublicate_record->setEnabled(rows);
    u.actionSet_value->setEnabled(rows);
    u.actionAdd_record->setEnabled(editing);
    u.actionComapre_with_auxilary_file->setEnabled(editing);
    u.actionChech_file_syntax->setEnabled(editing);
    // The export works on the editor's selection, so it follows the editing group.
    u.actionShow_on_Google_Earth->setEnabled(editing);
    // Kept current here too, so that the Close All shortcut works before the
    // Window menu has ever been opened.
    updateWindowMenu();
}

// ---- Editor operations ----------------------------------------------------

void hcmForm::doActionDelete()
{
    if (EditorWindow* editor = activeEditor())
        editor->removeRecords();
}

void hcmForm::doActionDublicateRecord()
{
    if (EditorWindow* editor = activeEditor())
        editor->duplicateRecords();
}

void hcmForm::doActionAddLine()
{
    if (EditorWindow* editor = activeEditor())
        editor->addRecord();
}

void hcmForm::doActionCheckSyntax()
{
    if (EditorWindow* editor = activeEditor())
        editor->checkSyntax();
}

void hcmForm::doActionSetValue()
{
    EditorWindow* editor = activeEditor();
    if (!editor)
        return;
    const QString parameter = m_setValue->parameterText();
    if (parameter.contains(QLatin1String("13Y:")))
        editor->setValue(QStringLiteral("13Y"), m_setValue->valueText());
    else if (parameter.contains(QLatin1String("2Z:")))
        editor->setValue(QStringLiteral("2Z"), m_setValue->valueText());
}

void hcmForm::actionCompareFiles()
{
    EditorWindow* editor = activeEditor();
    if (!editor)
        return;
    const QString name = UserPrompts::openFileName(this, tr("Choose HCM file"),
                                                   m_settings.recentDir, tr("All (*.*)"));
    if (!name.isEmpty())
        editor->compareWith(name);
}

void hcmForm::doActionGoogleShow()
{
    if (EditorWindow* editor = activeEditor())
        editor->exportToGoogleEarth(m_settings.googleShowTower, m_dataFolder);
}

// ---- Calculations ---------------------------------------------------------

void hcmForm::showDlg1to1()
{
    m_listToList = false;
    if (!m_calcFiles)
        return;
    m_calcFiles->setListToList(false);
    m_calcFiles->setModal(false);
    m_calcFiles->show();
}

void hcmForm::showDlgLtoL()
{
    m_listToList = true;
    if (!m_calcFiles)
        return;
    m_calcFiles->setListToList(true);
    m_calcFiles->setModal(false);
    m_calcFiles->show();
}

void hcmForm::calculate()
{
    if (!m_calcFiles)
        return;
    startCalculation(m_calcFiles->testingFile(), m_calcFiles->referenceFile(),
                     m_calcFiles->thresholdText().toFloat(), m_listToList);
}

ReportWindow* hcmForm::startCalculation(const QString& testingFile, const QString& referenceFile,
                                        float threshold, bool listToList)
{
    ReportWindow* report = createReportWindow();
    if (!report)
        return nullptr;
    QString title = tr("Report: ") + QFileInfo(testingFile).fileName();
    if (listToList)
        title += QStringLiteral(" <==> ") + QFileInfo(referenceFile).fileName();
    showRunningReport(report, title);
    report->startCalculation(testingFile, referenceFile, threshold, listToList);
    return report;
}

void hcmForm::doActionCalculateTrigger()
{
    const QString name = UserPrompts::openFileName(this, tr("Choose HCM file"),
                                                   m_settings.recentDir, tr("All (*.*)"));
    if (name.isEmpty() || !QFile::exists(name))
        return;
    m_settings.recentDir = name;
    m_reportFiles.skip();
    ReportWindow* report = createReportWindow();
    if (!report)
        return;
    showRunningReport(report, tr("Coord. Trigger Report: ") + QFileInfo(name).fileName());
    report->startTrigger(name);
}

// A report of a run gets the area's width: its rows are wide.
void hcmForm::showRunningReport(ReportWindow* report, const QString& title)
{
    report->setWindowTitle(title);
    if (report->windowAction())
        report->windowAction()->setText(title);
    if (QMdiSubWindow* window = subWindowOf(report))
        window->resize(m_ui.mdiArea->width() - 80, window->height());
}

// ---- Download centre and masks --------------------------------------------

void hcmForm::doActionStartDownloader()
{
    if (!m_downloadCentre)
        return;
    m_downloadCentre->setTestMode(m_testMode);
    m_downloadCentre->exec();
}

void hcmForm::doActionShowEtsiMasks()
{
    if (m_maskDialog)
        m_maskDialog->exec();
}

void hcmForm::doActionInformAboutUpdate()
{
    const QMessageBox::StandardButton answer = [this] {
        UserPrompts::Message m;
        m.icon = QMessageBox::Information;
        m.title = tr("Linkwise");
        m.text = tr("New version of Linkwise is available.\nClick YES if you want to update your "
                    "software or\nNO if you want to do it later.\nClick CANCEL if you do not want "
                    "to be reminded about updates in the future.");
        m.buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        m.defaultButton = QMessageBox::Yes;
        return UserPrompts::current().ask(this, m);
    }();
    if (answer == QMessageBox::Yes) {
        doActionStartDownloader();
    } else if (answer == QMessageBox::Cancel) {
        m_settings.checkForUpdateOnStartup = false;
        m_options->cbUpdate->setChecked(false);
        writeCFGfile();
    }
}

// ---- Drag and drop, closing ----------------------------------------------

void hcmForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QLatin1String(kUriList)))
        event->acceptProposedAction();
}

void hcmForm::dropEvent(QDropEvent* event)
{
    m_pendingOpen.clear();
    for (const QUrl& url : event->mimeData()->urls()) {
        // Links to remote places name no file that could be opened.
        const QString path = url.toLocalFile();
        if (!path.isEmpty())
            m_pendingOpen.append(path);
    }
    event->acceptProposedAction();
    doActionOpen();
}

QList<EditorWindow*> hcmForm::modifiedEditors() const
{
    QList<EditorWindow*> result;
    for (QMdiSubWindow* window : m_ui.mdiArea->subWindowList()) {
        EditorWindow* editor = editorIn(window);
        if (editor && editor->isModified())
            result.append(editor);
    }
    return result;
}

void hcmForm::closeEvent(QCloseEvent* event)
{
    m_userStore->setValue(QLatin1String(SettingsKeys::State), saveState(0));
    m_userStore->setValue(QLatin1String(SettingsKeys::MainGeometry), saveGeometry());
    m_userStore->sync();
    UnsavedFilesPrompt::Actions actions;
    actions.save = [this](EditorWindow* editor) { return saveEditor(editor); };
    actions.saveWithDialog = [this](EditorWindow* editor) {
        return runSaveDialog(subWindowOf(editor));
    };
    actions.activate = [this](EditorWindow* editor) {
        m_ui.mdiArea->setActiveSubWindow(subWindowOf(editor));
    };
    // A file that could not be written keeps the program open: nothing is lost.
    if (!UnsavedFilesPrompt(this, actions).run(modifiedEditors())) {
        event->ignore();
        return;
    }
    event->accept();
}
