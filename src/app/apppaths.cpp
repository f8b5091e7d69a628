#include "apppaths.h"

#include "calc/fileversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString fromEnvironment(const char* name)
{
    return qEnvironmentVariable(name);
}

QString ensureFolder(const QString& path)
{
    QDir().mkpath(path);
    return path;
}

QString applicationFolder()
{
    // Before the application object exists there is no reliable program folder;
    // the current folder is the best guess and only matters for the lock.
    if (!QCoreApplication::instance())
        return QDir::currentPath();
    return QCoreApplication::applicationDirPath();
}

} // namespace

namespace AppPaths {

QString machineIniPath()
{
    const QString overridden = fromEnvironment("LINKWISE_MACHINE_INI");
    if (!overridden.isEmpty())
        return overridden;
#ifdef Q_OS_WIN
    QString programData = fromEnvironment("ProgramData");
    if (programData.isEmpty())
        programData = QStringLiteral("C:/ProgramData");
    return QDir::fromNativeSeparators(programData) + QStringLiteral("/Linkwise/linkwise.ini");
#else
    return QStringLiteral("/etc/xdg/Linkwise/linkwise.ini");
#endif
}

std::unique_ptr<QSettings> createMachineStore()
{
    return std::make_unique<QSettings>(machineIniPath(), QSettings::IniFormat);
}

std::unique_ptr<QSettings> createUserStore()
{
    const QString overridden = fromEnvironment("LINKWISE_USER_INI");
    if (!overridden.isEmpty())
        return std::make_unique<QSettings>(overridden, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Linkwise"), QString());
}

QString dataFolder()
{
    QString folder = fromEnvironment("LINKWISE_DATA_DIR");
    if (folder.isEmpty()) {
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (base.isEmpty())
            return QDir::currentPath();
        folder = base + QStringLiteral("/linkWise");
    }
    return ensureFolder(folder);
}

QString dataSubFolder(const QString& name)
{
    return ensureFolder(dataFolder() + QLatin1Char('/') + name);
}

QString lockFilePath()
{
    // The lock lives in a per-user folder: one running copy per user, like a
    // session-wide named object on Windows.
    QString folder = fromEnvironment("LINKWISE_LOCK_DIR");
    if (folder.isEmpty())
        folder = dataFolder();
    else
        ensureFolder(folder);
    return folder + QStringLiteral("/linkwise.lock");
}

QString defaultLibraryPath()
{
    return applicationFolder() + QLatin1Char('/') + hcmLibraryFileName();
}

QString googleEarthTowerIcon()
{
    return applicationFolder() + QStringLiteral("/google_earth/tower.png");
}

QString googleEarthTowerModel()
{
    return applicationFolder() + QStringLiteral("/google_earth/models/tower.dae");
}

QString equipmentDatabase()
{
    return applicationFolder() + QStringLiteral("/equipment.db");
}

} // namespace AppPaths
