// Radio-meteorological inputs of the propagation model: the refractivity
// lapse rate dN and the sea-level surface refractivity N0. Taken from the
// ITU-R P.452 digital maps (DN50.TXT, N050.TXT: 121 x 241 values on a
// 1.5 degree grid, north row first, longitudes 0 to 360 east) when they are
// present in the data root, else fixed at dN = 45 and N0 = 325.
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

Refractivity refractivityAt(const std::string& dataRoot, double latDeg, double lonDeg);

} // namespace hcmfs

#endif
