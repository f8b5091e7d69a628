// Transmitter spectrum masks and receiver selectivity masks: the two-sided
// curve built from a record's one-sided 7G points, its exact integration,
// the overlapping area of a transmitter and a receiver mask, the masks
// discrimination MD and the net filter discrimination NFD.
#ifndef HCMFS_MASKS_H
#define HCMFS_MASKS_H

#include "record.h"

#include <string>
#include <vector>

namespace hcmfs {

// Piecewise linear attenuation (dB) over frequency offset (MHz), points in
// rising offset order; two points at the same offset make a vertical step.
// Outside the first and last offset the mask passes no power.
struct TwoSidedMask {
    std::vector<MaskPointValue> points;
};

// One-sided points -> two-sided mask: a 0 MHz / 0 dB point in front when the
// first offset is above 0, extension to 2.5 x and 3.5 x the channel spacing
// (the latter 5 dB below the last attenuation), mirrored to negative offsets.
// channelSpacing <= 0 skips the extension.
TwoSidedMask buildTwoSidedMask(const std::vector<MaskPointValue>& oneSided, double channelSpacingMHz);

// Integral of the linear power transfer 10^(-a/10) over the mask (MHz).
double maskArea(const TwoSidedMask& mask);

// Integral of 10^(-(a_T(f) + a_R(f - df))/10) over f (MHz): the power of the
// transmitter mask passed by the receiver mask tuned df MHz away.
double overlappingArea(const TwoSidedMask& tx, const TwoSidedMask& rx, double dfMHz);

// Exact integral of 10^(-y/10) over [x1, x2] for y linear from y1 to y2.
double segmentIntegral(double x1, double x2, double y1, double y2);

// One row of the default mask tables.
struct DefaultMaskRow {
    int row = 0;
    double fLowGHz = 0, fHighGHz = 0;
    std::string equipmentClass;
    double csLowMHz = 0, csHighMHz = 0;
    std::vector<MaskPointValue> points;
};

// Default mask for a band (frequency in GHz), equipment class and channel
// spacing; transmitter table when transmitter is true, else receiver table.
// Without a row for the spacing, the row of the next larger spacing of the
// band and class; with the class empty, the lowest class whose spacing fits
// (exactly, else the next larger). note (optional) says which fallback was
// taken, empty for an exact row. Returns nullptr when nothing fits.
const DefaultMaskRow* findDefaultMask(bool transmitter, double fGHz, const std::string& equipmentClass,
                                      double channelSpacingMHz, std::string* note = nullptr);

// Where a station's mask came from, for the report.
struct MaskChoice {
    bool usable = false;
    bool fromRecord = false;
    int defaultRow = 0;          // table row when not from the record
    std::string defaultNote;     // how that row was found when not exactly
    std::vector<MaskPointValue> oneSided;
    double channelSpacing = 0;   // MHz, 0 when unknown
    TwoSidedMask mask;
};

// The mask of a TX (transmitter spectrum) or RX (receiver selectivity) record.
MaskChoice chooseMask(const StationRecord& record, bool transmitter);

} // namespace hcmfs

#endif
