#include "librarylocation.h"

#include "calc/fileversion.h"
#include "calc/versioncompare.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const char kLastDriveTerrainVersion[] = "2.0.9.9";
}

namespace LibraryLocation {

QString resolve(const QString& setting, const QString& programFolder)
{
    // Folders do not count: an empty setting must not name the program folder.
    if (setting.isEmpty() || QFileInfo(setting).isFile())
        return setting;
    const QString besideProgram = programFolder + QLatin1Char('/') + setting;
    return QFileInfo(besideProgram).isFile() ? besideProgram : setting;
}

QString terrainPath(const QString& libraryPath, const QString& current,
                    const QFileInfoList& drives)
{
    if (!QFile::exists(libraryPath))
        return current;
    const QString version = fileVersionText(libraryPath);
    if (version.isEmpty()
        || compareVersions(QLatin1String(kLastDriveTerrainVersion), version) == 1)
        return current;
    for (const QFileInfo& drive : drives) {
        const QString root = drive.absoluteFilePath();
        if (QDir(QDir(root).filePath(QStringLiteral("TOPO"))).exists())
            return root.left(1);
    }
    return QString();
}

} // namespace LibraryLocation
