// Antenna discrimination: radiation patterns from the record, the standard
// diagrams by gain when a record has none, and the ITU-R F.699 reference
// envelope for gains outside the standard diagrams.
#ifndef HCMFS_ANTENNA_H
#define HCMFS_ANTENNA_H

#include "record.h"

#include <string>
#include <vector>

namespace hcmfs {

enum class PatternSource { Record, StandardTable, F699 };

const char* patternSourceName(PatternSource source);

// Attenuation (dB) of a tabulated pattern at total off-axis angle tda; hda
// (signed horizontal difference angle) picks the side of a pattern that runs
// past 180 degrees. Linear in dB between points; a repeated angle is a step
// and the larger value applies exactly at it; values are held beyond the ends.
double tabulatedAttenuation(const std::vector<AnglePoint>& points, double tdaDeg, double hdaDeg);

// ITU-R F.699 peak envelope as attenuation below the maximum gain (dB).
double f699Attenuation(double gainDbi, double angleDeg);

// Standard co-polar diagram of a gain rounded to 0.1 dB: one tabulated
// diagram for every gain from 20.0 to 50.0 dBi. False outside that range.
bool standardDiagram(double gainDbi, std::vector<AnglePoint>& points);

// First cross-polar value of the standard diagrams, by gain class.
double crossPolarFloor(double gainDbi);

// Cross-polar diagram derived from a co-polar one: the floor at 0 degrees,
// then every co-polar point whose attenuation reaches the floor.
std::vector<AnglePoint> crossFromCoPolar(const std::vector<AnglePoint>& co, double floorDb);

// Both patterns of one station's antenna.
struct AntennaModel {
    double gain = 0;
    PatternSource coSource = PatternSource::Record;
    PatternSource crossSource = PatternSource::Record;
    bool crossDerived = false; // cross-polar built from the co-polar pattern
    std::vector<AnglePoint> co, cross;
    double floorDb = 0;        // cross-polar floor used by F.699

    double coAttenuation(double tdaDeg, double hdaDeg) const;
    double crossAttenuation(double tdaDeg, double hdaDeg) const;
};

// Picks the patterns of a record. Returns false (no usable antenna data)
// when the gain is missing or a pattern in the record is malformed.
bool chooseAntenna(const StationRecord& record, AntennaModel& model, std::string& message);

} // namespace hcmfs

#endif
