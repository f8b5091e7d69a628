// The synthetic landscape of the sample terrain set: a gently rolling plain
// around 250 m with a north-south ridge (crest 800 m) at 16.9 degrees east,
// between the two link ends of samples/terrain/ridge-links.txt, and its
// morphology: a north-south stretch of sea east of the ridge, from 16.95 to
// 17.02 degrees east, lined by coastal land 0.02 degrees wide. The sea is a
// class only: the heights stay those of the plain.
#ifndef LINKWISE_SAMPLESCENE_H
#define LINKWISE_SAMPLESCENE_H

#include <cmath>

namespace samplescene {

const double kRidgeLon = 16.9;
const double kRidgeCrest = 800;
const double kPlain = 250;

inline double height(double lat, double lon)
{
    const double pi = 3.14159265358979323846;
    const double kmPerDegLon = 111.195 * std::cos(lat * pi / 180);
    const double across = (lon - kRidgeLon) * kmPerDegLon; // km east of the crest line
    const double ridge = (kRidgeCrest - kPlain) * std::exp(-(across / 1.5) * (across / 1.5));
    const double rolling = 15 * std::sin(lat * 40) * std::cos(lon * 30);
    return kPlain + ridge + rolling;
}

const double kSeaWest = 16.95;
const double kSeaEast = 17.02;
const double kCoastWidth = 0.02;

// Morphological class of a point: 0 inland, 1 sea, 4 coastal land.
inline double zone(double, double lon)
{
    if (lon >= kSeaWest && lon < kSeaEast)
        return 1;
    if (lon >= kSeaWest - kCoastWidth && lon < kSeaEast + kCoastWidth)
        return 4;
    return 0;
}

} // namespace samplescene

#endif
