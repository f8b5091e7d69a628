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
    // The record places the antenna: ground = 4Z (the terrain model's height
    // at the site only when 4Z is empty or unreadable), antenna 9Y above it.
    double ground = 0;
    double heightAsl = 0;       // ground + 9Y
    double terrainAtSite = 0;   // the terrain model at the site (0 on smooth earth)
    bool siteFromTerrain = false;
    bool placed = false;
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
    double groundFrom = 0, groundTo = 0; // profile ends (the stations' ground), m
    double groundMin = 0, groundMax = 0;
    std::vector<double> profileD, profileH; // when kept
    int zonePoints[3] = {0, 0, 0};          // profile points per P452Zone (coastal, inland, sea) from morphology
    Refractivity refractivity;
    P452Params params;
    P452Result p452;
    AntennaEnd endFrom, endTo;
    bool samePolarisation = true;
    std::string polarisationRule;
    double a1 = 0, a2 = 0;        // the two polarisation paths, dB
    double antennaAttenuation = 0; // their voltage sum
};

struct Calculation {
    int form = 2;
    std::vector<std::string> receivedLines;
    std::vector<Station> stations;
    DataLocations locations;
    bool smoothEarth = true;
    bool keepProfiles = false;
    std::vector<std::string> tilesUsed;
    std::vector<std::string> morphoTilesUsed, morphoMissing;
    std::vector<std::string> siteWarnings; // 4Z far off the terrain model, antenna at ground level

    MaskChoice txMask, rxMask;
    double dfMHz = 0;
    double areaTx = 0, overlap0 = 0, overlap = 0;
    double md0 = 0, md = 0, nfd = 0;
    bool zeroOverlap = false;

    std::vector<Hop> hops;

    // budget
    double ptx = 0, atpc = 0, ltx = 0, lrx = 0, lrepeater = 0;
    double gainSum = 0, lossSum = 0;
    double aTotal = 0, interference = 0, noise = 0, td = 0;
    bool budgetDone = false;

    int error = 0;
    std::string errorDetail;
};

// Runs the whole case; calc.error is 0 or a code of errors.h.
void runCalculation(const CalcRequest& request, Calculation& calc);

// Antenna attenuation of two polarisation paths a1 and a2 (dB) summed as
// voltages: -20 log10(10^(-a1/20) + 10^(-a2/20)).
double combinedPolarisationPaths(double a1, double a2);

// Threshold degradation for interference I and noise N (dBW).
double thresholdDegradation(double interferenceDbw, double noiseDbw);

} // namespace hcmfs

#endif
