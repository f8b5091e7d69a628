#ifndef DOWNLOADCENTRE_H
#define DOWNLOADCENTRE_H

#include <QDialog>
#include <QString>

// Everything the download centre is created with.
struct DownloadCentreSetup
{
    QString programVersion;
    QString libraryVersion; // empty when no library is installed
    QString topo;
    QString morpho;
    QString updateFolder;
    QString updateServer;  // base URL; empty when none is configured
    QString terrainServer;
};

// What the main window needs of the download and update centre: it creates
// it once, runs it modally from its action, lets it check silently for a new
// version after start-up and keeps its data folders and test mode current.
class DownloadCentre : public QDialog
{
    Q_OBJECT
public:
    using QDialog::QDialog;

    virtual void setTestMode(bool testMode) = 0;
    virtual void setDataFolders(const QString& topo, const QString& morpho) = 0;
    virtual void setServers(const QString& /*update*/, const QString& /*terrain*/) {}
    // A download job replaced the library or unpacked tiles.
    virtual void setLibraryVersion(const QString& /*version*/) {}
    virtual void refreshTables() {}

public slots:
    // The silent check: announces a new version through newVersionAvailable().
    virtual void checkForNewVersion() = 0;

signals:
    void newVersionAvailable();
    // The user chose what to download; the main window runs the job.
    void startDownloading();
};

#endif
