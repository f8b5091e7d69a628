// Clear-air basic transmission loss after ITU-R P.452-18: line of sight with
// multipath and focusing, delta-Bullington diffraction, troposcatter and
// ducting/layer reflection, combined for a time percentage p.
#ifndef HCMFS_P452_H
#define HCMFS_P452_H

#include <functional>
#include <string>
#include <vector>

namespace hcmfs {

// Radio-climatic zones of profile points.
enum P452Zone { ZoneCoastalLand = 1, ZoneInland = 2, ZoneSea = 3 };

// Terrain profile from the interfering station (d = 0) to the victim.
struct P452Profile {
    std::vector<double> d;    // km from the transmitter, first value 0
    std::vector<double> h;    // terrain height, m above sea level
    std::vector<double> r;    // representative clutter height, m (empty = none)
    std::vector<int> zone;    // P452Zone per point (empty = all inland)
};

struct P452Params {
    double f = 0;       // GHz
    double p = 20;      // % of an average year for which the loss is not exceeded
    double htg = 0;     // antenna centre heights above ground, m
    double hrg = 0;
    double phitE = 0;   // transmitter longitude and latitude, degrees
    double phitN = 0;
    double phirE = 0;   // receiver longitude and latitude, degrees
    double phirN = 0;
    double gt = 0;      // antenna gains towards the horizon, dBi (troposcatter only)
    double gr = 0;
    int pol = 1;        // 1 horizontal, 2 vertical
    double dct = 500;   // distance over land to the coast from each end, km
    double dcr = 500;
    double press = 1013.25; // dry-air pressure, hPa
    double temp = 15;       // air temperature, degrees C
    double dn = 45;         // refractivity lapse rate, N-units/km
    double n0 = 325;        // sea-level surface refractivity, N-units
    double ae = 0;          // effective Earth radius in km; 0 derives it from dn
    double lambdaNumerator = 0.2998; // wavelength in m is this over f in GHz

    // Optional: antenna gains towards the horizon that depend on the path
    // geometry (horizon angles). Called once the path analysis is done; it
    // replaces gt and gr for the troposcatter term.
    std::function<void(const struct P452Result& geometry, double& gt, double& gr)> horizonGains;
};

struct P452Result {
    // path parameters
    double ae = 0, dtot = 0, hts = 0, hrs = 0;
    double thetaT = 0, thetaR = 0, theta = 0; // mrad
    double hm = 0, hte = 0, hre = 0, hstd = 0, hsrd = 0;
    double dlt = 0, dlr = 0;
    bool transHorizon = false;
    double dtm = 0, dlm = 0, b0 = 0, omega = 0;
    double centreLat = 0, centreLon = 0; // great-circle midpoint of the profile, degrees
    double gt = 0, gr = 0;               // gains used by the troposcatter term, dBi
    // losses, dB
    double lb = 0, lbfsg = 0, lb0p = 0, lb0b = 0;
    double ldsph = 0, ld50 = 0, ldp = 0, lbs = 0, lba = 0;
};

// Codes of computeP452 besides 0.
enum P452Error { P452BadProfile = 1, P452BadParameter = 2, P452NotFinite = 3 };

// Computes everything; returns 0 or a P452Error. Pure function of its inputs.
int computeP452(const P452Profile& profile, const P452Params& params, P452Result& result);

// Building blocks, exposed for validation against the diffraction examples.
struct DeltaBullington {
    double lbulla = 0, lbulls = 0, ldsph = 0, ld = 0;
};

// Smooth-surface heights for the diffraction model (m a.s.l. at both ends).
void diffractionSmoothSurface(const std::vector<double>& d, const std::vector<double>& h, double hts,
                              double hrs, double& hstd, double& hsrd);

// Bullington loss over the interior points of profile z (m), effective radius a (km).
double bullingtonLoss(const std::vector<double>& d, const double* z, double hts, double hrs, double a,
                      double lambda);

// Spherical-Earth diffraction loss for heights above the smooth surface.
double sphericalEarthLoss(double d, double hte, double hre, double a, double f, double lambda,
                          double omega, int pol);

DeltaBullington deltaBullington(const std::vector<double>& d, const std::vector<double>& g, double hts,
                                double hrs, double hstd, double hsrd, double a, double f, double lambda,
                                double omega, int pol);

// Inverse complementary cumulative normal distribution, rational approximation.
double inverseComplementaryNormal(double x);

} // namespace hcmfs

#endif
