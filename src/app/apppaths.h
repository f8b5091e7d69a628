#ifndef APPPATHS_H
#define APPPATHS_H

#include <QString>

#include <memory>

class QSettings;

// Where the program keeps its settings and files. Every location can be moved
// with an environment variable, so tests and portable installations never touch
// a user's real stores:
//   LINKWISE_MACHINE_INI  machine-wide INI file holding the three data folders
//   LINKWISE_USER_INI     INI file used instead of the native per-user store
//   LINKWISE_DATA_DIR     per-user data folder (reports, KML, downloads)
//   LINKWISE_LOCK_DIR     folder of the single-instance lock file
namespace AppPaths {

// Machine-wide INI file: %ProgramData%\Linkwise\linkwise.ini on Windows,
// /etc/xdg/Linkwise/linkwise.ini elsewhere.
QString machineIniPath();
std::unique_ptr<QSettings> createMachineStore();

// Organisation "Linkwise" without application name, native format, user scope.
std::unique_ptr<QSettings> createUserStore();

// The per-user data folder, created when missing. Falls back to the current
// folder when the platform names no per-user data location.
QString dataFolder();
// A sub-folder of the data folder ("update", "topo", "morpho"), created when
// missing. A failure to create is not reported; the path is used as it is.
QString dataSubFolder(const QString& name);

QString lockFilePath();

// The calculation library shipped beside the executable.
QString defaultLibraryPath();

QString googleEarthTowerIcon();
QString googleEarthTowerModel();
QString equipmentDatabase();

} // namespace AppPaths

#endif
