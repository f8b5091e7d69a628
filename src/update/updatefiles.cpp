#include "updatefiles.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace UpdateFiles {

namespace {

QString besideUpdateFolder(const QString& updateFolder, const QString& name)
{
    return QDir::cleanPath(updateFolder + QStringLiteral("/../") + name);
}

void writeTiles(QSettings& s, const QString& array, const QList<Tile>& tiles)
{
    s.beginWriteArray(array, int(tiles.size()));
    for (int i = 0; i < tiles.size(); ++i) {
        s.setArrayIndex(i);
        s.setValue(QStringLiteral("longitude"), tiles.at(i).longitude);
        s.setValue(QStringLiteral("latitude"), tiles.at(i).latitude);
    }
    s.endArray();
}

QList<Tile> readTiles(QSettings& s, const QString& array)
{
    QList<Tile> tiles;
    const int count = s.beginReadArray(array);
    for (int i = 0; i < count; ++i) {
        s.setArrayIndex(i);
        tiles.append({s.value(QStringLiteral("longitude")).toInt(),
                      s.value(QStringLiteral("latitude")).toInt()});
    }
    s.endArray();
    return tiles;
}

} // namespace

QString listFile(const QString& updateFolder)
{
    return besideUpdateFolder(updateFolder, QStringLiteral("list.ini"));
}

QString orderFile(const QString& updateFolder)
{
    return besideUpdateFolder(updateFolder, QStringLiteral("download.ini"));
}

Offer readOffer(const QString& listIni)
{
    Offer offer;
    QSettings s(listIni, QSettings::IniFormat);
    const int count = s.beginReadArray(QStringLiteral("HCMDLL"));
    for (int i = 0; i < count; ++i) {
        s.setArrayIndex(i);
        offer.libraries.append({s.value(QStringLiteral("version")).toString(),
                                s.value(QStringLiteral("path")).toString()});
    }
    s.endArray();
    offer.version = s.value(QStringLiteral("VERSION")).toString();
    return offer;
}

QString writeOrder(const QString& orderIni, const Order& order)
{
    QSettings s(orderIni, QSettings::IniFormat);
    s.clear();
    s.setValue(QStringLiteral("update_linkwise"), order.updateProgram ? 1 : 0);
    if (!order.libraryPath.isEmpty()) {
        s.setValue(QStringLiteral("download_hcm_library"), order.libraryPath);
        s.setValue(QStringLiteral("download_hcm_library_version"), order.libraryVersion);
    }
    writeTiles(s, QStringLiteral("morpho"), order.morpho);
    writeTiles(s, QStringLiteral("topo"), order.topo);
    s.sync();
    if (s.status() != QSettings::NoError || !QFile::exists(orderIni))
        return QObject::tr("Could not write %1.").arg(QDir::toNativeSeparators(orderIni));
    return QString();
}

Order readOrder(const QString& orderIni)
{
    QSettings s(orderIni, QSettings::IniFormat);
    Order order;
    order.updateProgram = s.value(QStringLiteral("update_linkwise")).toBool();
    order.libraryPath = s.value(QStringLiteral("download_hcm_library")).toString();
    order.libraryVersion = s.value(QStringLiteral("download_hcm_library_version")).toString();
    order.morpho = readTiles(s, QStringLiteral("morpho"));
    order.topo = readTiles(s, QStringLiteral("topo"));
    return order;
}

QUrl serverUrl(const QString& base, const QString& path)
{
    QString root = base.trimmed();
    if (root.isEmpty())
        return QUrl();
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return QUrl(root + (path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path));
}

} // namespace UpdateFiles
