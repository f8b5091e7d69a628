// One interference case: a transmitter against a receiver, directly (two
// stations) or through a passive back-to-back repeater (four stations).
// Reads and checks the records, builds the masks and their overlap, runs the
// propagation model along terrain profiles, applies the antenna
// discrimination and sums the budget into the interference level I and the
// threshold degradation TD. Everything the detailed report prints is kept.
#ifndef HCMFS_CALCULATION_H
#define HCMFS_CALCULATION_H

#include "antenna.h"
#include "datalocations.h"
#include "masks.h"
#include "p452.h"
#include "record.h"
#include "refractivity.h"

#include <string>
#include <vector>

namespace hcmfs {

struct CalcRequest {
    std::vector<std::string> lines; // 2 or 4 record lines (empty third and fourth = two-station form)
    std::string terrain;            // data root, empty = settings file
    bool keepProfiles = false;      // keep the profile points for the report
};

struct Station {
    StationRecord record;
    AntennaModel antenna;
    double heightAsl = 0; // 4Z + 9Y
};

struct AntennaEnd {
    double etrDeg = 0; // elevation of the path at this end
    double vda = 0, hda = 0, tda = 0;
    double coAtt = 0, crossAtt = 0;
};

struct Hop {
    int from = 0, to = 0; // station indices
    double distanceKm = 0;
    double azFromTo = 0, azToFrom = 0;
    int points = 0;
    double stepKm = 0;
    double groundFrom = 0, groundTo = 0; // terrain at the ends, m
    double groundMin = 0, groundMax = 0;
    std::vector<double> profileD, profileH; // when kept
    Refractivity refractivity;
    P452Params params;
    P452Result p452;
    AntennaEnd endFrom, endTo;
    bool samePolarisation = true;
    std::string polarisationRule;
    double antennaAttenuation = 0;
};

struct Calculation {
    int form = 2;
    std::vector<std::string> receivedLines;
    std::vector<Station> stations;
    DataLocations locations;
    bool smoothEarth = true;
    std::vector<std::string> tilesUsed;

    MaskChoice txMask, rxMask;
    double dfMHz = 0;
    double areaTx = 0, overlap0 = 0, overlap = 0;
    double md0 = 0, md = 0, nfd = 0;
    bool zeroOverlap = false;

    std::vector<Hop> hops;

    // budget
    double ptx = 0, ltx = 0, lrx = 0, lrepeater = 0;
    double gainSum = 0, lossSum = 0;
    double aTotal = 0, interference = 0, noise = 0, td = 0;
    bool budgetDone = false;

    int error = 0;
    std::string errorDetail;
};

// Runs the whole case; calc.error is 0 or a code of errors.h.
void runCalculation(const CalcRequest& request, Calculation& calc);

// Threshold degradation for interference I and noise N (dBW).
double thresholdDegradation(double interferenceDbw, double noiseDbw);

} // namespace hcmfs

#endif
