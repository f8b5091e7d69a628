#include "downloaderjob.h"

#include "archiveunpacker.h"
#include "libraryinstall.h"
#include "tilenames.h"
#include "updatefiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const int kMaxAttempts = 4;

QString key(const char* name)
{
    return QLatin1String(name);
}

QString fileHash(const QString& path, QCryptographicHash::Algorithm algorithm)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QCryptographicHash hash(algorithm);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex());
}

QString missingFolderText(bool topo, const QString& folder)
{
    if (folder.isEmpty()) {
        return topo ? DownloaderJob::tr(
                   "Topographical data path is missing.\nAfter clicking OK button of this Dialog "
                   "box\ngo to Tools/Options and set correct topographical data path.\nThen "
                   "restart Linkwise. It will continue with the update.")
                    : DownloaderJob::tr(
                          "Morphological data path is missing.\nAfter clicking OK button of this "
                          "Dialog box\nDownloader will be closed. Then launch Linkwise,\ngo to "
                          "Tools/Options and set correct path.\nThen restart Linkwise. It will "
                          "continue with the update.");
    }
    return DownloaderJob::tr("Directory") + folder
         + (topo ? DownloaderJob::tr(
                " of topographical data does not exist.\nAfter clicking OK button of this Dialog "
                "box\ngo to Tools/Options and set correct topographical data path.\nThen restart "
                "Linkwise. It will continue with the update.")
                 : DownloaderJob::tr(
                       " of morphological data does not exist.\nAfter clicking OK button of this "
                       "Dialog box\ngo to Tools/Options and set correct morphological data "
                       "path.\nThen restart Linkwise. It will continue with the update."));
}

QString extractionProblemText(bool topo)
{
    return topo ? DownloaderJob::tr(
               "Problems occured while extracting at least\nsome of the downloaded topographical "
               "data.\nAfter update is finished please go to\nuDownload & Update Manager and "
               "check which topographical data \nis still missing.")
                : DownloaderJob::tr(
                      "Problems occured while extracting at least\nsome of the downloaded "
                      "morphological data.\nAfter update is finished please go\nto Download & "
                      "Update Manager and check which morphological data \nis still missing.");
}

} // namespace

DownloaderJob::DownloaderJob(const DownloaderSetup& setup, Hooks hooks, QObject* parent)
    : QObject(parent), m_setup(setup), m_hooks(std::move(hooks))
{
    connect(&m_downloader, &fileDownloader::finished, this, &DownloaderJob::slDownloaderFinished);
}

DownloaderJob::~DownloaderJob() = default;

void DownloaderJob::start()
{
    if (m_setup.updateFolder.isEmpty() || !QFileInfo(m_setup.updateFolder).isDir()) {
        m_hooks.notify(Notice::Critical, tr("Downloader"),
                       tr("The update folder %1 is missing or empty.\nAutomated update is "
                          "impossible.")
                           .arg(QDir::toNativeSeparators(m_setup.updateFolder)));
        end(Outcome::Postponed);
        return;
    }
    m_list = std::make_unique<QSettings>(UpdateFiles::listFile(m_setup.updateFolder),
                                         QSettings::IniFormat);
    m_order = std::make_unique<QSettings>(UpdateFiles::orderFile(m_setup.updateFolder),
                                          QSettings::IniFormat);
    m_programUpdate = m_order->value(key("update_linkwise")).toBool();
    m_attempt = 1;
    m_aborted = false;
    m_running = true;
    slBeginDownloadingJob();
}

void DownloaderJob::slBeginDownloadingJob()
{
    if (!m_running)
        return;
    m_hooks.setPending(true);
    if (startInstaller() || startLibrary() || startArchive(Kind::Topo)
        || startArchive(Kind::Morpho))
        return;
    if (m_running)
        finishJob();
}

bool DownloaderJob::startInstaller()
{
    if (!m_programUpdate)
        return false;
    if (!m_list->value(key("downloaded")).toBool()) {
        const QString file = m_list->value(key("file")).toString();
        fetch(Kind::Installer, UpdateFiles::serverUrl(m_setup.updateServer, "/files/" + file),
              QDir(m_setup.updateFolder).filePath(QFileInfo(file).fileName()),
              tr("Downloading:") + QLatin1Char(' ') + file);
        return true;
    }
    m_order->setValue(key("update_linkwise"), false);
    m_programUpdate = false;
    return false;
}

bool DownloaderJob::startLibrary()
{
    const QString path = m_order->value(key("download_hcm_library")).toString();
    if (path.isEmpty())
        return false;
    if (m_attempt == 1) {
        if (m_hooks.mayReplaceLibrary && !m_hooks.mayReplaceLibrary()) {
            end(Outcome::Postponed);
            return true;
        }
        QString error;
        if (!LibraryInstall::makeBackup(m_setup.libraryPath, &error)) {
            fail(error);
            return true;
        }
    }
    fetch(Kind::Library, UpdateFiles::serverUrl(m_setup.updateServer, path),
          LibraryInstall::partialFile(m_setup.libraryPath),
          tr("Downloading:") + QLatin1Char(' ') + QFileInfo(path).fileName());
    return true;
}

QString DownloaderJob::tempFolder(Kind kind) const
{
    return kind == Kind::Topo ? QDir(m_setup.topo).filePath(QStringLiteral("topo"))
                              : QDir(m_setup.morpho).filePath(QStringLiteral("morpho"));
}

bool DownloaderJob::startArchive(Kind kind)
{
    const bool topo = kind == Kind::Topo;
    const QString array = topo ? QStringLiteral("topo") : QStringLiteral("morpho");
    const QList<UpdateFiles::Tile> tiles = topo
        ? UpdateFiles::readOrder(m_order->fileName()).topo
        : UpdateFiles::readOrder(m_order->fileName()).morpho;
    for (const UpdateFiles::Tile& t : tiles) {
        const QString name = topo ? TileNames::topoArchiveName(t.longitude, t.latitude)
                                  : TileNames::morphoArchiveName(t.longitude);
        if (name.isEmpty() || m_order->value(array + "_downloaded/" + name).toBool())
            continue;
        if ((topo ? m_setup.topo : m_setup.morpho).isEmpty() || !QDir().mkpath(tempFolder(kind))) {
            fail(topo ? tr("Topographical data path is missing or not writable.")
                      : tr("Morphological data path is missing or not writable."));
            return true;
        }
        const QString path = topo ? TileNames::topoArchivePath(t.longitude, t.latitude)
                                  : TileNames::morphoArchivePath(t.longitude);
        fetch(kind, UpdateFiles::serverUrl(m_setup.terrainServer, path),
              QDir(tempFolder(kind)).filePath(name),
              (topo ? tr("Downloading:") : tr("Downloading morpho data:")) + QLatin1Char(' ')
                  + name);
        return true;
    }
    return false;
}

void DownloaderJob::fetch(Kind kind, const QUrl& url, const QString& target, const QString& label)
{
    m_current = kind;
    m_currentName = QFileInfo(target).fileName();
    m_currentTarget = target;
    emit progressInfo(label);
    m_downloader.download(url, target);
}

void DownloaderJob::slDownloaderFinished()
{
    if (m_aborted) {
        m_aborted = false;
        return;
    }
    if (!m_running)
        return;
    emit progressInfo(QString());
    const QString failed = tr("Error occured while downloading file") + QLatin1Char(' ')
                         + m_currentName;
    if (m_downloader.hasError()) {
        if (!retry())
            fail(failed + tr(".\nError message:\n") + m_downloader.errorText());
        return;
    }
    QString declared;
    if (m_current == Kind::Installer && !checksumMatches(&declared)) {
        if (!retry())
            fail(failed + tr(".\n%1 sum of the downloaded file differs from the declared one!")
                              .arg(declared));
        return;
    }
    if (recordSuccess()) {
        m_attempt = 1;
        slBeginDownloadingJob();
    }
}

bool DownloaderJob::retry()
{
    if (m_attempt >= kMaxAttempts)
        return false;
    ++m_attempt;
    slBeginDownloadingJob();
    return true;
}

// SHA-256 where the offer gives one: an MD5 sum alone can be matched by a
// crafted file.
bool DownloaderJob::checksumMatches(QString* declared) const
{
    const QString sha = m_list->value(key("sha256")).toString().trimmed().toLower();
    if (!sha.isEmpty()) {
        *declared = QStringLiteral("SHA-256");
        return fileHash(m_currentTarget, QCryptographicHash::Sha256) == sha;
    }
    *declared = QStringLiteral("MD5");
    const QString md5 = m_list->value(key("md5")).toString().trimmed().toLower();
    return !md5.isEmpty() && fileHash(m_currentTarget, QCryptographicHash::Md5) == md5;
}

bool DownloaderJob::recordSuccess()
{
    switch (m_current) {
    case Kind::Installer:
        m_list->setValue(key("downloaded"), true);
        m_list->setValue(key("start_file"), m_currentTarget);
        break;
    case Kind::Library: {
        QString version;
        QString error;
        if (!LibraryInstall::install(m_setup.libraryPath, &version, &error)) {
            fail(error);
            return false;
        }
        m_order->setValue(key("download_hcm_library"), QString());
        emit libraryInstalled(m_setup.libraryPath, version);
        break;
    }
    case Kind::Topo:
    case Kind::Morpho: {
        const QString array = m_current == Kind::Topo ? QStringLiteral("topo_downloaded/")
                                                      : QStringLiteral("morpho_downloaded/");
        m_order->setValue(array + m_currentName, true);
        break;
    }
    case Kind::None:
        break;
    }
    m_list->sync();
    m_order->sync();
    if (m_list->status() != QSettings::NoError || m_order->status() != QSettings::NoError) {
        fail(tr("Could not record the progress in %1 and %2.")
                 .arg(QDir::toNativeSeparators(m_list->fileName()),
                      QDir::toNativeSeparators(m_order->fileName())));
        return false;
    }
    return true;
}

void DownloaderJob::fail(const QString& message)
{
    const bool postpone = m_hooks.postponeAfterError(tr("Downloading/Updating error!\n") + message);
    if (!postpone) {
        m_hooks.setPending(false);
        removeJobFiles();
    }
    end(postpone ? Outcome::Postponed : Outcome::Aborted);
}

void DownloaderJob::abort()
{
    if (!m_running)
        return;
    m_aborted = m_downloader.isBusy();
    m_downloader.abort();
    m_hooks.setPending(false);
    removeJobFiles();
    end(Outcome::Aborted);
}

void DownloaderJob::finishJob()
{
    if (!unpackAll(Kind::Morpho) || !unpackAll(Kind::Topo))
        return;
    emit progressInfo(tr("Refreshing available topo and morpho data..."));
    emit dataChanged();
    const QString startFile = m_list->value(key("start_file")).toString();
    if (!startFile.isEmpty()) {
        m_list->setValue(key("start_file"), QString());
        m_list->sync();
        if (!m_hooks.startInstaller(startFile))
            m_hooks.notify(Notice::Warning, tr("Downloader"),
                           tr("Could not start %1.").arg(QDir::toNativeSeparators(startFile)));
    }
    emit progressInfo(tr("Cleaning up temporary data..."));
    removeJobFiles();
    m_hooks.setPending(false);
    end(Outcome::Finished);
    m_hooks.notify(Notice::Information, tr("Download & update Center"), tr("Update is finished!"));
}

// False when the job stopped here (data folder unusable or no unpacker).
bool DownloaderJob::unpackAll(Kind kind)
{
    const bool topo = kind == Kind::Topo;
    const QString dataFolder = topo ? m_setup.topo : m_setup.morpho;
    const QString array = topo ? QStringLiteral("topo_downloaded") : QStringLiteral("morpho_downloaded");
    m_order->beginGroup(array);
    const QStringList archives = m_order->childKeys();
    m_order->endGroup();
    if (archives.isEmpty())
        return true;
    if (dataFolder.isEmpty() || !QFileInfo(dataFolder).isDir()) {
        m_hooks.notify(Notice::Critical, tr("Downloader Error"), missingFolderText(topo, dataFolder));
        end(Outcome::Postponed);
        return false;
    }
    const QString unzip = ArchiveUnpacker::findUnzip(m_setup.programFolder);
    if (unzip.isEmpty()) {
        fail(tr("Could not find unzip!"));
        return false;
    }
    QStringList problems;
    for (const QString& name : archives) {
        const QString archive = QDir(tempFolder(kind)).filePath(name);
        if (!m_order->value(array + QLatin1Char('/') + name).toBool() || !QFile::exists(archive))
            continue;
        const QString target = QDir(dataFolder).filePath(TileNames::columnOfArchive(name));
        emit progressInfo(tr("Extracting %1 to %2").arg(name, QDir::toNativeSeparators(target)));
        const QString problem = ArchiveUnpacker::unpack(unzip, archive, target);
        if (!problem.isEmpty())
            problems.append(problem);
    }
    if (!problems.isEmpty()) {
        m_hooks.notify(Notice::Warning, tr("Downloader"),
                       extractionProblemText(topo) + QStringLiteral("\n\n")
                           + problems.join(QLatin1Char('\n')));
    }
    return true;
}

void DownloaderJob::removeJobFiles()
{
    const QString list = m_list ? m_list->fileName() : UpdateFiles::listFile(m_setup.updateFolder);
    const QString order = m_order ? m_order->fileName() : UpdateFiles::orderFile(m_setup.updateFolder);
    // The stores would write themselves back when destroyed.
    m_list.reset();
    m_order.reset();
    QFile::remove(list);
    QFile::remove(order);
    QFile::remove(LibraryInstall::partialFile(m_setup.libraryPath));
    for (Kind kind : {Kind::Topo, Kind::Morpho}) {
        if ((kind == Kind::Topo ? m_setup.topo : m_setup.morpho).isEmpty())
            continue;
        QDir temp(tempFolder(kind));
        for (const QString& name : temp.entryList({QStringLiteral("*.zip")}, QDir::Files))
            temp.remove(name);
    }
}

void DownloaderJob::end(Outcome outcome)
{
    m_running = false;
    m_current = Kind::None;
    emit ended(outcome);
}
