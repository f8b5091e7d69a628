#include "trigger/triggerdistance.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace hcmfs::trigger {

namespace {

// Sites at or above this height see further in the lower bands.
constexpr double kHighSiteM = 300.0;

struct TriggerBand
{
    double upToGHz;       // upper band edge, included; the lower edge is the previous row's
    double lowSiteKm;     // antenna below kHighSiteM above sea level
    double highSiteKm;    // antenna at or above it
};

// The whole trigger rule lives in this table, rows by rising frequency.
constexpr TriggerBand kBands[] = {
    {5.0, 100.0, 200.0},
    {10.0, 100.0, 150.0},
    {12.0, 100.0, 100.0},
    {20.0, 80.0, 80.0},
    {24.5, 60.0, 60.0},
    {30.0, 40.0, 40.0},
    {39.5, 30.0, 30.0},
    {std::numeric_limits<double>::infinity(), 20.0, 20.0},
};

} // namespace

double triggerDistanceKm(double frequencyGHz, double antennaHeightAslM)
{
    if (!std::isfinite(frequencyGHz) || frequencyGHz <= 0.0)
        return 0.0;
    const auto band = std::find_if(std::begin(kBands), std::end(kBands),
                                   [&](const TriggerBand& b) { return frequencyGHz <= b.upToGHz; });
    // An unknown height counts as a low site: the high-site distances only widen
    // the search for antennas known to stand high.
    const bool high = std::isfinite(antennaHeightAslM) && antennaHeightAslM >= kHighSiteM;
    return high ? band->highSiteKm : band->lowSiteKm;
}

double maxTriggerDistanceKm()
{
    double result = 0.0;
    for (const TriggerBand& b : kBands)
        result = std::max({result, b.lowSiteKm, b.highSiteKm});
    return result;
}

} // namespace hcmfs::trigger
