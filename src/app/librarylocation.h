#ifndef LIBRARYLOCATION_H
#define LIBRARYLOCATION_H

#include <QFileInfoList>
#include <QString>

// Where the calculation library and, for old libraries, the terrain data are.
namespace LibraryLocation {

// The library setting as a file when one of that name exists, else the same
// name inside the program folder when that exists, else the setting as it is.
QString resolve(const QString& setting, const QString& programFolder);

// The terrain data path handed to the library. Libraries up to 2.0.9.9 find
// their data in a TOPO folder at the root of a drive and take the drive's
// letter: for those the path becomes the first character of the first of
// drives holding TOPO (empty when none does). Newer libraries, and libraries
// whose version cannot be read, leave current unchanged.
QString terrainPath(const QString& libraryPath, const QString& current,
                    const QFileInfoList& drives);

} // namespace LibraryLocation

#endif
