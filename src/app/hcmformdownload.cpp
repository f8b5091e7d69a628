// The main window's side of the download job: it starts the job the download
// centre ordered (or the one a previous run left pending), shows it in the
// status bar and answers the job's questions.
#include "hcmform.h"

#include "ui/downloadcentre.h"
#include "ui/reportwindow.h"
#include "ui/userprompts.h"
#include "update/downloaderjob.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>

namespace {

QMessageBox::Icon iconOf(DownloaderJob::Notice kind)
{
    switch (kind) {
    case DownloaderJob::Notice::Information:
        return QMessageBox::Information;
    case DownloaderJob::Notice::Warning:
        return QMessageBox::Warning;
    case DownloaderJob::Notice::Critical:
        break;
    }
    return QMessageBox::Critical;
}

} // namespace

void hcmForm::startDownloader()
{
    if (m_downloaderJob)
        return;
    const DownloaderSetup setup{m_updateFolder,
                                m_settings.updateServer,
                                m_settings.terrainServer,
                                m_settings.hcmLibrary,
                                m_settings.topo,
                                m_settings.morpho,
                                QCoreApplication::applicationDirPath()};
    DownloaderJob::Hooks hooks;
    hooks.setPending = [this](bool pending) {
        m_userStore->setValue(QLatin1String(SettingsKeys::LaunchDownloader), pending);
        m_userStore->sync();
    };
    hooks.mayReplaceLibrary = [this] { return mayReplaceLibrary(); };
    hooks.postponeAfterError = [this](const QString& message) { return postponeDownload(message); };
    hooks.notify = [this](DownloaderJob::Notice kind, const QString& title, const QString& text) {
        UserPrompts::Message m;
        m.icon = iconOf(kind);
        m.title = title;
        m.text = text;
        UserPrompts::current().ask(this, m);
    };
    hooks.startInstaller = [](const QString& file) {
        // A downloaded file carries no execute permission where files have one.
        QFile::setPermissions(file, QFile::permissions(file) | QFile::ExeOwner | QFile::ExeUser);
        return QProcess::startDetached(file, {});
    };
    m_downloaderJob = new DownloaderJob(setup, hooks, this);
    createDownloadStatus();
    connect(m_downloaderJob->downloader(), &fileDownloader::progress, this,
            &hcmForm::slShowDownloadProgressIndicator);
    connect(m_downloaderJob, &DownloaderJob::progressInfo, this,
            &hcmForm::slShowDownloadProgressInfo);
    connect(m_downloaderJob, &DownloaderJob::libraryInstalled, this,
            [this](const QString& path, const QString& version) {
                m_settings.hcmLibrary = path;
                m_libraryVersion = version;
                writeCFGfile();
                if (m_downloadCentre)
                    m_downloadCentre->setLibraryVersion(version);
            });
    if (m_downloadCentre)
        connect(m_downloaderJob, &DownloaderJob::dataChanged, m_downloadCentre,
                &DownloadCentre::refreshTables);
    connect(m_downloaderJob, &DownloaderJob::ended, this, [this] {
        removeDownloadStatus();
        m_ui.actionCheck_for_new_version->setEnabled(true);
        m_downloaderJob->deleteLater();
        m_downloaderJob = nullptr;
    });
    m_ui.actionCheck_for_new_version->setEnabled(false);
    m_downloaderJob->start();
}

void hcmForm::createDownloadStatus()
{
    m_downloadLabel = new QLabel;
    m_downloadProgress = new QProgressBar;
    m_downloadProgress->setMaximumWidth(200);
    m_abortDownload = new QPushButton(tr("Abort"));
    statusBar()->addPermanentWidget(m_downloadLabel);
    statusBar()->addPermanentWidget(m_downloadProgress);
    statusBar()->addPermanentWidget(m_abortDownload);
    connect(m_abortDownload, &QPushButton::clicked, this, &hcmForm::slAbortDownload);
}

void hcmForm::removeDownloadStatus()
{
    for (QWidget* w : {static_cast<QWidget*>(m_downloadLabel),
                       static_cast<QWidget*>(m_downloadProgress),
                       static_cast<QWidget*>(m_abortDownload)}) {
        if (w) {
            statusBar()->removeWidget(w);
            w->deleteLater();
        }
    }
    m_downloadLabel = nullptr;
    m_downloadProgress = nullptr;
    m_abortDownload = nullptr;
}

// The library must not change under a running calculation or an open report.
bool hcmForm::mayReplaceLibrary()
{
    auto reportOpen = [this] {
        const QList<QMdiSubWindow*> windows = m_ui.mdiArea->subWindowList();
        return std::any_of(windows.begin(), windows.end(),
                           [this](QMdiSubWindow* w) { return reportIn(w) != nullptr; });
    };
    while (reportOpen()) {
        UserPrompts::Message m;
        m.icon = QMessageBox::Warning;
        m.title = tr("Downloader");
        m.text = tr("WARNING!\nIn order to update your HCMFS_DLL you need to\ncalcel all "
                    "calculations currently running\nand close all calculation reports");
        m.informativeText = tr("\nTo continue, please close all calculation windows and click "
                               "YES.\nBy clicking NO you will postpone the update.");
        m.buttons = QMessageBox::Yes | QMessageBox::No;
        m.defaultButton = QMessageBox::Yes;
        if (UserPrompts::current().ask(this, m) != QMessageBox::Yes)
            return false;
    }
    return true;
}

bool hcmForm::postponeDownload(const QString& message)
{
    UserPrompts::Message m;
    m.icon = QMessageBox::Question;
    m.title = tr("Downloader");
    m.text = message;
    m.informativeText = tr("\nYou can either abort the update/download or postpone it.\nBy "
                           "clicking YES you postpone it, by clicking NO - abort it.\nDo you "
                           "want to postpone the update?");
    m.buttons = QMessageBox::Yes | QMessageBox::No;
    m.defaultButton = QMessageBox::Yes;
    return UserPrompts::current().ask(this, m) == QMessageBox::Yes;
}

void hcmForm::slBeginDownloadingJob()
{
    if (m_downloaderJob)
        m_downloaderJob->slBeginDownloadingJob();
}

void hcmForm::slDownloaderFinished()
{
    if (m_downloaderJob)
        m_downloaderJob->slDownloaderFinished();
}

void hcmForm::slAbortDownload()
{
    if (!m_downloaderJob)
        return;
    UserPrompts::Message m;
    m.icon = QMessageBox::Question;
    m.title = tr("Linkwise Downloader");
    m.text = tr("Aborting the downloading process.");
    m.informativeText = tr("\nDo you really want to abort downloading?");
    m.buttons = QMessageBox::Yes | QMessageBox::No;
    m.defaultButton = QMessageBox::Yes;
    if (UserPrompts::current().ask(this, m) == QMessageBox::Yes && m_downloaderJob)
        m_downloaderJob->abort();
}

void hcmForm::slShowDownloadProgressIndicator(qint64 current, qint64 max)
{
    if (!m_downloadProgress)
        return;
    // Sizes can pass the range of int; percent is what the bar shows anyway.
    m_downloadProgress->setRange(0, max > 0 ? 100 : 0);
    m_downloadProgress->setValue(max > 0 ? int(current * 100 / max) : 0);
}

void hcmForm::slShowDownloadErrorMsg(QString message)
{
    statusBar()->showMessage(message);
}

void hcmForm::slShowDownloadProgressInfo(QString message)
{
    if (m_downloadLabel)
        m_downloadLabel->setText(message);
    else
        statusBar()->showMessage(message);
}
