#ifndef HCMFORM_H
#define HCMFORM_H

#include "appsettings.h"
#include "hcmformui.h"
#include "reportfiles.h"
#include "startup.h"
#include "windowfactory.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class AboutDialog;
class DownloaderJob;
class QLabel;
class QProgressBar;
class QPushButton;
class CalcFilesDialog;
class DownloadCentre;
class EditorWindow;
class Options;
class QMdiSubWindow;
class QSettings;
class ReportWindow;
class SavePrm;
class SetValue;

// The main window: owns the settings in memory, the long-lived dialogs and the
// MDI area of editor and report windows, routes every action to the active
// sub-window and keeps the actions' enabled state in step with it.
class hcmForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit hcmForm(QWidget* parent = nullptr);
    ~hcmForm() override;

    void setWindowFactory(WindowFactory factory);
    // Arguments as given to the program, its name first: "test" and files.
    void takeCommandLine(const QStringList& arguments);

    const hcmFormUi& ui() const { return m_ui; }
    const AppSettings& settings() const { return m_settings; }
    QString dataFolder() const { return m_dataFolder; }
    QString updateFolder() const { return m_updateFolder; }
    QString libraryVersion() const { return m_libraryVersion; }
    bool testMode() const { return m_testMode; }
    Startup::Job startupJob() const { return m_startupJob; }
    QStringList pendingOpen() const { return m_pendingOpen; }
    void setPendingOpen(const QStringList& paths) { m_pendingOpen = paths; }

    Options* optionsDialog() const { return m_options; }
    SetValue* setValueDialog() const { return m_setValue; }
    SavePrm* savePrmDialog() const { return m_savePrm; }
    AboutDialog* aboutDialog() const { return m_about; }
    CalcFilesDialog* calcFilesDialog() const { return m_calcFiles; }
    QDialog* maskDialog() const { return m_maskDialog; }
    DownloadCentre* downloadCentre() const { return m_downloadCentre; }
    DownloaderJob* downloaderJob() const { return m_downloaderJob; }

    EditorWindow* activeEditor() const;
    ReportWindow* activeReport() const;

public slots:
    void doActionDelete();
    void doActionDublicateRecord();
    void changeActionState();
    void applyOptions();
    void actionCompareFiles();
    bool writeCFGfile();
    void setSyntax();
    void showDlg1to1();
    void showDlgLtoL();
    void showOptions();
    void doActionCalculateTrigger();
    void doActionSave();
    void doActionSaveAs();
    void saveDlgClicked();
    void actionSaveHCM(QMdiSubWindow* window);
    void doActionOpen();
    void doActionNew();
    void doActionGoogleShow();
    void doActionSetValue();
    void doActionStartDownloader();
    void showDlgLibrary();
    void doActionAddLine();
    void doActionCheckSyntax();
    void doActionInformAboutUpdate();
    void saveHCM(EditorWindow* window);
    void updateWindowMenu();
    void setActiveSubWindow(QWidget* window);
    void calculate();
    void doActionShowEtsiMasks();
    void startDownloader();
    void slShowDownloadProgressIndicator(qint64 current, qint64 max);
    void slShowDownloadErrorMsg(QString message);
    void slShowDownloadProgressInfo(QString message);
    void slDownloaderFinished();
    void slBeginDownloadingJob();
    void slAbortDownload();
    void slStartWizard();

    // The calculation that calculate() starts from the file-choice dialog.
    ReportWindow* startCalculation(const QString& testingFile, const QString& referenceFile,
                                   float threshold, bool listToList);
    // Runs the Save parameters dialog for an editor (Save As...).
    void runSaveDialogFor(EditorWindow* editor);
    // The deferred start-up job chosen by the constructor; its timer calls it.
    void runStartupJob();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void readSettings();
    void createDialogs();
    void connectActions();
    void scheduleStartupJob();
    void createFactoryDialogs();
    void loadOptionsDialog();
    double readCondition(const QString& text, double fallback, const QString& warning);
    void centreOver(QWidget* dialog);

    EditorWindow* createEditorWindow();
    ReportWindow* createReportWindow();
    void showRunningReport(ReportWindow* report, const QString& title);
    QAction* addWindowAction(QMdiSubWindow* window, const QString& text);
    QMdiSubWindow* subWindowOf(QWidget* widget) const;
    EditorWindow* editorIn(QMdiSubWindow* window) const;
    ReportWindow* reportIn(QMdiSubWindow* window) const;
    void openPath(const QString& path);
    bool saveEditor(EditorWindow* editor);
    bool runSaveDialog(QMdiSubWindow* window);
    void saveReportAs(ReportWindow* report);
    QList<EditorWindow*> modifiedEditors() const;
    void createDownloadStatus();
    void removeDownloadStatus();
    bool mayReplaceLibrary();
    bool postponeDownload(const QString& message);

    hcmFormUi m_ui;
    WindowFactory m_factory;
    std::unique_ptr<QSettings> m_userStore;
    std::unique_ptr<QSettings> m_machineStore;
    AppSettings m_settings;

    AboutDialog* m_about = nullptr;
    Options* m_options = nullptr;
    SetValue* m_setValue = nullptr;
    SavePrm* m_savePrm = nullptr;
    CalcFilesDialog* m_calcFiles = nullptr;
    QDialog* m_maskDialog = nullptr;
    DownloadCentre* m_downloadCentre = nullptr;
    DownloaderJob* m_downloaderJob = nullptr;
    QLabel* m_downloadLabel = nullptr;
    QProgressBar* m_downloadProgress = nullptr;
    QPushButton* m_abortDownload = nullptr;

    QString m_dataFolder;
    QString m_updateFolder;
    QString m_libraryVersion;
    QString m_terrainPath;
    QStringList m_pendingOpen;
    bool m_testMode = false;
    bool m_listToList = false;
    bool m_machineStoreWarned = false;
    ReportFiles m_reportFiles;
    Startup::Job m_startupJob = Startup::Job::None;
};

#endif
