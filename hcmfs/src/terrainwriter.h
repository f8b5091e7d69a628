// Writes terrain tiles in the layouts the terrain reader accepts: for
// synthetic sample data and for tests.
#ifndef HCMFS_TERRAINWRITER_H
#define HCMFS_TERRAINWRITER_H

#include <functional>
#include <string>

namespace hcmfs {

using HeightFunction = std::function<double(double latDeg, double lonDeg)>;

// HCM layout: .33E (3" x 3", halfLongitude false) or .63E (3" x 6"), 12 x 12
// blocks of 5', south-west block first, rows south to north, little-endian
// int16. Heights are rounded to whole metres; NaN writes the missing value.
bool writeHcmTile(const std::string& path, int lon0, int lat0, bool halfLongitude, const HeightFunction& height,
                  std::string& message);

// SRTM layout: size x size (1201 or 3601), north row first, big-endian int16.
bool writeHgtTile(const std::string& path, int lon0, int lat0, int size, const HeightFunction& height,
                  std::string& message);

} // namespace hcmfs

#endif
