#ifndef APPSETTINGS_H
#define APPSETTINGS_H

#include "checks/checkoptions.h"

#include <QString>

class QSettings;

// The program's settings as held in memory between start-up and quit. Every
// key, its store and its default is named here and nowhere else. The window
// state and geometry, the first-installation request and the pending download
// flag are read and written by their owners directly.
struct AppSettings
{
    QString hcmLibrary;
    QString topo;
    QString morpho;
    QString border;
    CheckOptions check;
    bool googleShowTower = false;
    bool checkForUpdateOnStartup = true;
    double frequencyTxRx = 300.0;
    double distanceTxRx = 1000.0;
    double distancePTxRx = 2.0;
    int calculationThreads = 1; // read() defaults it to one per core
    QString recentDir;
    // Base URLs of the update and terrain servers; empty: not configured.
    QString updateServer;
    QString terrainServer;

    // Fills every value from the two stores; a missing key takes its default,
    // a stored value of the wrong type its conversion's fallback. A missing
    // library path defaults to the library shipped beside the executable.
    void read(const QSettings& user, const QSettings& machine);

    // Writes the user keys, then the three folders to the machine store. The
    // machine store is only touched when a folder differs from what it holds,
    // so users without write access there are not troubled at every quit.
    // Returns false when the machine store could not be written.
    bool write(QSettings& user, QSettings& machine) const;
};

namespace SettingsKeys {
inline constexpr char HCMLibrary[] = "HCMLibrary";
inline constexpr char Topo[] = "topo";
inline constexpr char Morpho[] = "morpho";
inline constexpr char Border[] = "border";
inline constexpr char CheckForUpdate[] = "check_for_update_on_startup";
inline constexpr char CheckOnEditing[] = "checkOnEditing";
inline constexpr char CheckOnLoading[] = "checkOnLoading";
inline constexpr char CheckCalcErrors[] = "checkCalcErrors";
inline constexpr char CheckFormatErrors[] = "checkFormatErrors";
inline constexpr char CheckValueWarnings[] = "checkValueWarnings";
inline constexpr char CheckCharacterWarnings[] = "checkCharacterWarnings";
inline constexpr char GoogleShowTower[] = "googleShowTower";
inline constexpr char RecentDir[] = "recentDir";
inline constexpr char UpdateServer[] = "update_server";
inline constexpr char TerrainServer[] = "terrain_server";
inline constexpr char FrequencyTxRx[] = "frequency_TXRX";
inline constexpr char DistanceTxRx[] = "distance_TXRX";
inline constexpr char DistancePTxRx[] = "distance_PTXRX";
inline constexpr char CalculationThreads[] = "calculation_threads";
inline constexpr char State[] = "state";
inline constexpr char MainGeometry[] = "main_geometry";
inline constexpr char FirstInstallation[] = "first_installation";
inline constexpr char LaunchDownloader[] = "launch_downloader";
} // namespace SettingsKeys

#endif
