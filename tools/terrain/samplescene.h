// The synthetic landscape of the sample terrain set: a gently rolling plain
// around 250 m with a north-south ridge (crest 800 m) at 16.9 degrees east,
// between the two link ends of samples/terrain/ridge-links.txt.
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

} // namespace samplescene

#endif
