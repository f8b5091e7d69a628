#ifndef UPDATEFILES_H
#define UPDATEFILES_H

#include <QList>
#include <QString>
#include <QUrl>

// The two INI files of an update: the offer list "list.ini" fetched from the
// update server, and the order "download.ini" the download centre writes for
// the downloader job. Both lie in the parent folder of the update folder.
namespace UpdateFiles {

struct LibraryOffer
{
    QString version;
    QString path;
};

struct Offer
{
    QString version; // newest program version
    QList<LibraryOffer> libraries;
};

struct Tile
{
    int longitude = 0;
    int latitude = 0;
    bool operator==(const Tile& other) const
    {
        return longitude == other.longitude && latitude == other.latitude;
    }
};

struct Order
{
    bool updateProgram = false;
    QString libraryPath; // empty: no library wanted
    QString libraryVersion;
    QList<Tile> morpho;
    QList<Tile> topo;
};

QString listFile(const QString& updateFolder);
QString orderFile(const QString& updateFolder);

Offer readOffer(const QString& listIni);

// Replaces the order file with order. Returns an empty text on success, else
// why the file could not be written; a half-written order never counts.
QString writeOrder(const QString& orderIni, const Order& order);
Order readOrder(const QString& orderIni);

// A server's base URL with a path below it; an empty base gives an invalid
// URL. "http://host/mirror/" + "/files/list.ini".
QUrl serverUrl(const QString& base, const QString& path);

} // namespace UpdateFiles

#endif
