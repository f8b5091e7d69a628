#ifndef DOWNLOADERJOB_H
#define DOWNLOADERJOB_H

#include "filedownloader.h"

#include <QObject>
#include <QSettings>
#include <QString>

#include <functional>
#include <memory>

// Where the job works and from where it fetches.
struct DownloaderSetup
{
    QString updateFolder;
    QString updateServer;
    QString terrainServer;
    QString libraryPath;
    QString topo;
    QString morpho;
    QString programFolder; // where unzip.exe may lie
};

// Carries out the order the download centre wrote: the program installer,
// a library and terrain archives, one file at a time, each finished file
// recorded in the INI files at once so that a later start resumes after it.
// The window that drives it answers its questions through the hooks.
class DownloaderJob : public QObject
{
    Q_OBJECT
public:
    enum class Outcome { Finished, Postponed, Aborted };
    enum class Notice { Information, Warning, Critical };

    struct Hooks
    {
        // Keeps the pending flag: true while the job is unfinished.
        std::function<void(bool pending)> setPending;
        // Before the library is replaced: false postpones the job.
        std::function<bool()> mayReplaceLibrary;
        // The error dialog: true postpones, false abandons the job.
        std::function<bool(const QString& message)> postponeAfterError;
        std::function<void(Notice kind, const QString& title, const QString& text)> notify;
        // Starts the installer; false when it could not be started.
        std::function<bool(const QString& file)> startInstaller;
    };

    DownloaderJob(const DownloaderSetup& setup, Hooks hooks, QObject* parent = nullptr);
    ~DownloaderJob() override;

    fileDownloader* downloader() { return &m_downloader; }
    bool isRunning() const { return m_running; }
    int attempt() const { return m_attempt; }

public slots:
    void start();
    // One step: starts the first download not recorded as done, or finishes.
    void slBeginDownloadingJob();
    void slDownloaderFinished();
    // Stops at once: the transfer is cancelled and the job files go.
    void abort();

signals:
    void progressInfo(const QString& text);
    void libraryInstalled(const QString& path, const QString& version);
    // Tiles were unpacked: tables of what is on disk are out of date.
    void dataChanged();
    void ended(DownloaderJob::Outcome outcome);

private:
    enum class Kind { None, Installer, Library, Topo, Morpho };

    bool startInstaller();
    bool startLibrary();
    bool startArchive(Kind kind);
    void fetch(Kind kind, const QUrl& url, const QString& target, const QString& label);
    bool retry();
    bool checksumMatches(QString* declared) const;
    bool recordSuccess();
    void fail(const QString& message);
    void finishJob();
    bool unpackAll(Kind kind);
    void removeJobFiles();
    void end(Outcome outcome);
    QString tempFolder(Kind kind) const;

    DownloaderSetup m_setup;
    Hooks m_hooks;
    fileDownloader m_downloader;
    std::unique_ptr<QSettings> m_list;
    std::unique_ptr<QSettings> m_order;
    Kind m_current = Kind::None;
    QString m_currentName;
    QString m_currentTarget;
    int m_attempt = 1;
    bool m_programUpdate = false;
    bool m_aborted = false;
    bool m_running = false;
};

#endif
