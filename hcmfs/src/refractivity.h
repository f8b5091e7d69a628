// Radio-meteorological inputs of the propagation model: the refractivity
// lapse rate dN and the sea-level surface refractivity N0. Taken from the
// ITU-R P.452 digital maps (DN50.TXT, N050.TXT: 121 x 241 values on a
// 1.5 degree grid, north row first, longitudes 0 to 360 east): maps in the
// data root first, else the maps shipped beside the library; fixed values
// dN = 45 and N0 = 325 only when neither can be read.
#ifndef HCMFS_REFRACTIVITY_H
#define HCMFS_REFRACTIVITY_H

#include <string>

namespace hcmfs {

struct Refractivity {
    double dn = 45;
    double n0 = 325;
    bool fromMaps = false;
    std::string source; // for the report
};

// From the maps in one folder; fromMaps is false when they are missing or unusable.
Refractivity refractivityAt(const std::string& folder, double latDeg, double lonDeg);

// The folder holding the shipped maps: the library's own folder.
std::string shippedMapsFolder();

// The values for a path centre: maps in the data root (or beside its
// topography folder), else the shipped maps, else the fixed values.
Refractivity refractivityForPath(const std::string& dataRoot, const std::string& topoFolder, double latDeg,
                                 double lonDeg);

} // namespace hcmfs

#endif
