#include "libraryinstall.h"

#include "calc/calc.h"
#include "calc/fileversion.h"

#include <QDir>
#include <QFile>
#include <QObject>

namespace LibraryInstall {

QString partialFile(const QString& libraryPath)
{
    return libraryPath + QStringLiteral(".download");
}

QString backupFile(const QString& libraryPath)
{
    return libraryPath + QStringLiteral(".bak");
}

bool makeBackup(const QString& libraryPath, QString* error)
{
    if (!QFile::exists(libraryPath))
        return true;
    const QString backup = backupFile(libraryPath);
    if (QFile::exists(backup) && !QFile::remove(backup)) {
        *error = QObject::tr("Could not remove the old backup %1.")
                     .arg(QDir::toNativeSeparators(backup));
        return false;
    }
    if (!QFile::copy(libraryPath, backup)) {
        *error = QObject::tr("Could not copy the library to %1.")
                     .arg(QDir::toNativeSeparators(backup));
        return false;
    }
    return true;
}

bool verify(const QString& candidate, QString* version, QString* error)
{
    // The engine's own loader decides: what it cannot use is no library.
    const CALC engine(QString(), candidate);
    if (engine.errorCode() == 4) {
        *error = QObject::tr("%1 is not an HCM calculation library: it does not load or lacks "
                             "HCMFS_V2 or HCMFS_ANNEX11_1.")
                     .arg(QDir::toNativeSeparators(candidate));
        return false;
    }
    *version = fileVersionText(candidate);
    if (version->isEmpty()) {
        *error = QObject::tr("%1 carries no version text.").arg(QDir::toNativeSeparators(candidate));
        return false;
    }
    return true;
}

bool install(const QString& libraryPath, QString* version, QString* error)
{
    const QString partial = partialFile(libraryPath);
    if (!verify(partial, version, error)) {
        QFile::remove(partial);
        return false;
    }
    // The backup holds the old library; removing it here only clears the way
    // for the rename, which on Windows does not replace an existing file.
    if (QFile::exists(libraryPath) && !QFile::remove(libraryPath)) {
        *error = QObject::tr("Could not replace %1; is it in use?")
                     .arg(QDir::toNativeSeparators(libraryPath));
        QFile::remove(partial);
        return false;
    }
    if (!QFile::rename(partial, libraryPath)) {
        *error = QObject::tr("Could not move the new library to %1.")
                     .arg(QDir::toNativeSeparators(libraryPath));
        QFile::copy(backupFile(libraryPath), libraryPath);
        return false;
    }
    return true;
}

} // namespace LibraryInstall
