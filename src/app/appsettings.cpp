#include "appsettings.h"

#include "apppaths.h"

#include <QSettings>
#include <QThread>

namespace {

QString text(const QSettings& s, const char* key, const QString& fallback = QString())
{
    return s.value(QLatin1String(key), fallback).toString();
}

bool flag(const QSettings& s, const char* key, bool fallback)
{
    return s.value(QLatin1String(key), fallback).toBool();
}

double number(const QSettings& s, const char* key, double fallback)
{
    return s.value(QLatin1String(key), fallback).toDouble();
}

// Writes a machine-wide folder only when it changes the store.
bool putIfChanged(QSettings& s, const char* key, const QString& value)
{
    const QLatin1String name(key);
    if (s.contains(name) ? s.value(name).toString() == value : value.isEmpty())
        return false;
    s.setValue(name, value);
    return true;
}

} // namespace

void AppSettings::read(const QSettings& user, const QSettings& machine)
{
    using namespace SettingsKeys;
    hcmLibrary = text(user, HCMLibrary, AppPaths::defaultLibraryPath());
    topo = text(machine, Topo);
    morpho = text(machine, Morpho);
    border = text(machine, Border);
    checkForUpdateOnStartup = flag(user, CheckForUpdate, true);
    check.checkOnEditing = flag(user, CheckOnEditing, true);
    check.checkOnLoading = flag(user, CheckOnLoading, false);
    check.calcErrors = flag(user, CheckCalcErrors, false);
    check.formatErrors = flag(user, CheckFormatErrors, true);
    check.valueWarnings = flag(user, CheckValueWarnings, true);
    check.characterWarnings = flag(user, CheckCharacterWarnings, true);
    googleShowTower = flag(user, GoogleShowTower, false);
    recentDir = text(user, RecentDir);
    updateServer = text(user, UpdateServer);
    terrainServer = text(user, TerrainServer);
    frequencyTxRx = number(user, FrequencyTxRx, 300.0);
    distanceTxRx = number(user, DistanceTxRx, 1000.0);
    distancePTxRx = number(user, DistancePTxRx, 2.0);
    calculationThreads = qBound(1, user.value(QLatin1String(CalculationThreads), QThread::idealThreadCount()).toInt(), 256);
}

bool AppSettings::write(QSettings& user, QSettings& machine) const
{
    using namespace SettingsKeys;
    auto put = [&user](const char* key, const QVariant& value) {
        user.setValue(QLatin1String(key), value);
    };
    put(CheckForUpdate, checkForUpdateOnStartup);
    put(HCMLibrary, hcmLibrary);
    put(CheckOnEditing, check.checkOnEditing);
    put(CheckOnLoading, check.checkOnLoading);
    put(CheckCalcErrors, check.calcErrors);
    put(CheckFormatErrors, check.formatErrors);
    put(CheckValueWarnings, check.valueWarnings);
    put(CheckCharacterWarnings, check.characterWarnings);
    put(GoogleShowTower, googleShowTower);
    put(RecentDir, recentDir);
    put(FrequencyTxRx, frequencyTxRx);
    put(DistanceTxRx, distanceTxRx);
    put(DistancePTxRx, distancePTxRx);
    put(UpdateServer, updateServer);
    put(TerrainServer, terrainServer);
    put(CalculationThreads, calculationThreads);
    user.sync();

    bool changed = putIfChanged(machine, Topo, topo);
    changed = putIfChanged(machine, Morpho, morpho) || changed;
    changed = putIfChanged(machine, Border, border) || changed;
    if (!changed)
        return true;
    machine.sync();
    return machine.status() == QSettings::NoError;
}
