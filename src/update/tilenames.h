#ifndef TILENAMES_H
#define TILENAMES_H

#include <QString>

// Names of terrain tiles: the column folders a data directory is split into,
// the tile files inside them and the archives the terrain server offers.
namespace TileNames {

// "E016", "W005": "E" for longitudes >= 0, else "W", then three digits.
QString columnName(int longitude);

// Reads longitude and latitude from a tile file name: column letter, three
// longitude digits, "N" or "S", two latitude digits ("E016N45.dat").
// Returns false for any other name.
bool parseTileName(const QString& fileName, int* longitude, int* latitude);

// The archive holding the topographical tile at (longitude, latitude), e.g.
// "E016north30to89.zip"; empty where the server has none. The strips of
// latitude -1 and -26 in longitudes 16..32 lie in no archive.
QString topoArchiveName(int longitude, int latitude);
// The morphological archive of a column: one per column, "E016.zip".
QString morphoArchiveName(int longitude);

// Paths on the terrain server ("/topogra/TOPO/E016/E016north30to89.zip");
// empty where there is no archive.
QString topoArchivePath(int longitude, int latitude);
QString morphoArchivePath(int longitude);

// The column an archive name belongs to: its first four characters.
QString columnOfArchive(const QString& archiveName);

} // namespace TileNames

#endif
