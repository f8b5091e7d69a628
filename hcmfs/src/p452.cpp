#include "p452.h"

#include "gaseous.h"
#include "profilepasses.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace hcmfs {
namespace {

const double kEarthRadius = 6371.0; // km
const double kPi = 3.14159265358979323846;
const double kDeg = kPi / 180.0;

double log10d(double x) { return std::log10(x); }

// Longest run (zone statistics): each maximal run of points i..j satisfying
// the predicate counts d_j - d_i plus half the gap to the neighbouring point
// on each side where there is one.
template <typename Pred>
void zoneRuns(const std::vector<double>& d, const std::vector<int>& zone, Pred pred, double& longest,
              double& total)
{
    longest = 0;
    total = 0;
    const std::size_t n = d.size();
    std::size_t i = 0;
    while (i < n) {
        if (!pred(zone[i])) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j + 1 < n && pred(zone[j + 1]))
            ++j;
        double len = d[j] - d[i];
        if (j + 1 < n)
            len += 0.5 * (d[j + 1] - d[j]);
        if (i > 0)
            len += 0.5 * (d[i] - d[i - 1]);
        longest = std::max(longest, len);
        total += len;
        i = j + 1;
    }
}

// Great-circle point at distance dpnt (km) from the transmitter towards the receiver.
void pathCentre(double phitE, double phitN, double phirE, double phirN, double dpnt, double& lat,
                double& lon)
{
    const double dpsi = (phirE - phitE) * kDeg;
    const double pt = phitN * kDeg;
    const double pr = phirN * kDeg;
    const double r = std::sin(pt) * std::sin(pr) + std::cos(pt) * std::cos(pr) * std::cos(dpsi);
    const double x1 = std::sin(pr) - r * std::sin(pt);
    const double y1 = std::cos(pt) * std::cos(pr) * std::sin(dpsi);
    double bearing;
    if (std::fabs(x1) < 1e-9 && std::fabs(y1) < 1e-9)
        bearing = phirE * kDeg;
    else
        bearing = std::atan2(y1, x1);
    const double phiPnt = dpnt / kEarthRadius;
    const double s = std::sin(pt) * std::cos(phiPnt) + std::cos(pt) * std::sin(phiPnt) * std::cos(bearing);
    lat = std::asin(std::max(-1.0, std::min(1.0, s))) / kDeg;
    const double x2 = std::cos(phiPnt) - s * std::sin(pt);
    const double y2 = std::cos(pt) * std::sin(phiPnt) * std::sin(bearing);
    if (x2 < 1e-9 && y2 < 1e-9)
        lon = bearing / kDeg;
    else
        lon = phitE + std::atan2(y2, x2) / kDeg;
}

double timePercentageBeta0(double latDeg, double dtm, double dlm)
{
    const double phi = std::fabs(latDeg);
    const double tau = 1 - std::exp(-4.12e-4 * std::pow(dlm, 2.41));
    double mu1 = std::pow(std::pow(10.0, -dtm / (16 - 6.6 * tau)) + std::pow(10.0, -5 * (0.496 + 0.354 * tau)),
                          0.2);
    mu1 = std::min(mu1, 1.0);
    if (phi <= 70) {
        const double mu4 = std::pow(10.0, (-0.935 + 0.0176 * phi) * log10d(mu1));
        return std::pow(10.0, -0.015 * phi + 1.67) * mu1 * mu4;
    }
    const double mu4 = std::pow(10.0, 0.3 * log10d(mu1));
    return 4.17 * mu1 * mu4;
}

double knifeEdgeJ(double nu)
{
    if (nu <= -0.78)
        return 0;
    const double a = nu - 0.1;
    return 6.9 + 20 * log10d(std::sqrt(a * a + 1) + a);
}

// First-term spherical-Earth loss over one kind of surface.
double firstTermSurface(double a, double d, double hte, double hre, double f, double epsr, double sigma,
                        int pol)
{
    const double s = 18 * sigma / f;
    const double kh = 0.036 * std::pow(a * f, -1.0 / 3.0) * std::pow((epsr - 1) * (epsr - 1) + s * s, -0.25);
    const double k = pol == 1 ? kh : kh * std::sqrt(epsr * epsr + s * s);
    const double k2 = k * k;
    const double k4 = k2 * k2;
    const double beta = (1 + 1.6 * k2 + 0.67 * k4) / (1 + 4.5 * k2 + 1.53 * k4);
    const double x = 21.88 * beta * std::cbrt(f / (a * a)) * d;
    const double yFactor = 0.9575 * beta * std::cbrt(f * f / a);
    const double fx = x >= 1.6 ? 11 + 10 * log10d(x) - 17.6 * x : -20 * log10d(x) - 5.6488 * std::pow(x, 1.425);
    const double gMin = 2 + 20 * log10d(k);
    auto g = [&](double y) {
        const double b = beta * y;
        const double v = b > 2 ? 17.6 * std::sqrt(b - 1.1) - 5 * log10d(b - 1.1) - 8
                               : 20 * log10d(b + 0.1 * b * b * b);
        return std::max(v, gMin);
    };
    return -fx - g(yFactor * hte) - g(yFactor * hre);
}

double firstTerm(double a, double d, double hte, double hre, double f, double omega, int pol)
{
    const double sea = omega > 0 ? firstTermSurface(a, d, hte, hre, f, 80, 5, pol) : 0;
    const double land = omega < 1 ? firstTermSurface(a, d, hte, hre, f, 22, 0.003, pol) : 0;
    return omega * sea + (1 - omega) * land;
}

double gasAlong(double f, double press, double tempK, double rho, double dist)
{
    const GasAttenuation g = specificAttenuation(f, press, tempK, rho);
    return (g.oxygen + g.water) * dist;
}

bool allFinite(const P452Result& r)
{
    const double v[] = {r.gt, r.gr, r.ae, r.dtot, r.hts, r.hrs, r.thetaT, r.thetaR, r.theta, r.hm, r.hte, r.hre,
                        r.hstd, r.hsrd, r.dlt, r.dlr, r.dtm, r.dlm, r.b0, r.omega, r.lb, r.lbfsg,
                        r.lb0p, r.lb0b, r.ldsph, r.ld50, r.ldp, r.lbs, r.lba};
    for (double x : v)
        if (!std::isfinite(x))
            return false;
    return true;
}

} // namespace

double inverseComplementaryNormal(double x)
{
    const double c0 = 2.515516698, c1 = 0.802853, c2 = 0.010328;
    const double d1 = 1.432788, d2 = 0.189269, d3 = 0.001308;
    x = std::max(x, 1e-6);
    const double t = std::sqrt(-2 * std::log(x));
    const double xi = ((c2 * t + c1) * t + c0) / (((d3 * t + d2) * t + d1) * t + 1);
    return xi - t;
}

// Heights of the least-squares straight line through the profile at the
// transmitter (hst) and receiver (hsr) ends, in metres above sea level.
void leastSquaresSurface(const std::vector<double>& d, const std::vector<double>& h, double& hst, double& hsr)
{
    const std::size_t n = d.size();
    const double dt = d[n - 1];
    double v1 = 0, v2 = 0;
    for (std::size_t i = 1; i < n; ++i) {
        const double dd = d[i] - d[i - 1];
        v1 += dd * (h[i] + h[i - 1]);
        v2 += dd * (h[i] * (2 * d[i] + d[i - 1]) + h[i - 1] * (d[i] + 2 * d[i - 1]));
    }
    hst = (2 * v1 * dt - v2) / (dt * dt);
    hsr = (v2 - v1 * dt) / (dt * dt);
}

namespace {

// The candidate where exact is largest: the first of equals, or the last
// when lastOfEquals.
template <typename Exact>
double bestOf(const std::vector<std::size_t>& candidates, bool lastOfEquals, Exact exact, std::size_t& index)
{
    double best = -std::numeric_limits<double>::infinity();
    for (std::size_t k : candidates) {
        const double v = exact(k);
        if (v > best || (lastOfEquals && v == best)) {
            best = v;
            index = k;
        }
    }
    return best;
}

double bullingtonLossFrom(const BullingtonMaxima& m, double dt, double hts, double hrs, double lambda)
{
    const double str = (hrs - hts) / dt;
    double luc;
    if (m.stim < str) {
        luc = knifeEdgeJ(m.numax * std::sqrt(0.002 * dt / lambda));
    } else {
        const double dbp = (hrs - hts + m.srim * dt) / (m.stim + m.srim);
        const double nub = (hts + m.stim * dbp - (hts * (dt - dbp) + hrs * dbp) / dt)
            * std::sqrt(0.002 * dt / (lambda * dbp * (dt - dbp)));
        luc = knifeEdgeJ(nub);
    }
    return luc + (1 - std::exp(-luc / 6)) * (10 + 0.02 * dt);
}

// The delta-Bullington loss for two earth radii; stimTerrain (optional) is
// the terrain's stim for the first radius. flatInterior: g is 0 at every
// interior point.
void deltaBullingtonPair(const BullingtonPath& path, const std::vector<double>& g, double hts, double hrs,
                         double hstd, double hsrd, double a1, double a2, double f, double lambda, double omega,
                         int pol, DeltaBullington& r1, DeltaBullington& r2, double* stimTerrain = nullptr,
                         bool flatInterior = false)
{
    BullingtonMaxima terrain1, terrain2, smooth1, smooth2;
    bullingtonMaxima<true>(path, g.data(), hts, hrs, a1, a2, terrain1, terrain2);
    const double htsSmooth = hts - hstd, hrsSmooth = hrs - hsrd;
    if (flatInterior && hstd == 0 && hsrd == 0) {
        // Smooth earth: the smooth surface is the terrain, at the same
        // antenna heights; the same sums on the same numbers.
        smooth1 = terrain1;
        smooth2 = terrain2;
    } else {
        bullingtonMaxima<false>(path, nullptr, htsSmooth, hrsSmooth, a1, a2, smooth1, smooth2);
    }
    if (stimTerrain)
        *stimTerrain = terrain1.stim;
    const double dt = path.dt;
    const struct {
        const BullingtonMaxima& terrain;
        const BullingtonMaxima& smooth;
        double a;
        DeltaBullington& r;
    } uses[] = {{terrain1, smooth1, a1, r1}, {terrain2, smooth2, a2, r2}};
    for (const auto& u : uses) {
        u.r.lbulla = bullingtonLossFrom(u.terrain, dt, hts, hrs, lambda);
        u.r.lbulls = bullingtonLossFrom(u.smooth, dt, htsSmooth, hrsSmooth, lambda);
        u.r.ldsph = sphericalEarthLoss(dt, htsSmooth, hrsSmooth, u.a, f, lambda, omega, pol);
        u.r.ld = u.r.lbulla + std::max(u.r.ldsph - u.r.lbulls, 0.0);
    }
}

} // namespace

double bullingtonLoss(const std::vector<double>& d, const double* z, double hts, double hrs, double a,
                      double lambda)
{
    BullingtonMaxima m, unused;
    if (z)
        bullingtonMaxima<true>(BullingtonPath(d), z, hts, hrs, a, a, m, unused);
    else
        bullingtonMaxima<false>(BullingtonPath(d), nullptr, hts, hrs, a, a, m, unused);
    return bullingtonLossFrom(m, d.back(), hts, hrs, lambda);
}

double sphericalEarthLoss(double d, double hte, double hre, double a, double f, double lambda,
                          double omega, int pol)
{
    const double dlos = std::sqrt(2 * a) * (std::sqrt(0.001 * hte) + std::sqrt(0.001 * hre));
    if (d >= dlos)
        return firstTerm(a, d, hte, hre, f, omega, pol);
    const double c = (hte - hre) / (hte + hre);
    const double m = 250 * d * d / (a * (hte + hre));
    const double b = 2 * std::sqrt((m + 1) / (3 * m))
        * std::cos(kPi / 3 + std::acos(1.5 * c * std::sqrt(3 * m / ((m + 1) * (m + 1) * (m + 1)))) / 3);
    const double dse1 = d / 2 * (1 + b);
    const double dse2 = d - dse1;
    const double hse = ((hte - 500 * dse1 * dse1 / a) * dse2 + (hre - 500 * dse2 * dse2 / a) * dse1) / d;
    const double hreq = 17.456 * std::sqrt(dse1 * dse2 * lambda / d);
    if (hse > hreq)
        return 0;
    const double root = std::sqrt(hte) + std::sqrt(hre);
    const double aem = 500 * (d / root) * (d / root);
    const double ldft = firstTerm(aem, d, hte, hre, f, omega, pol);
    if (ldft < 0)
        return 0;
    return (1 - hse / hreq) * ldft;
}

void diffractionSmoothSurface(const std::vector<double>& d, const std::vector<double>& h, double hts,
                              double hrs, double& hstd, double& hsrd)
{
    double hst = 0, hsr = 0;
    smoothSurfaces(BullingtonPath(d), h.data(), hts, hrs, hst, hsr, hstd, hsrd);
}

DeltaBullington deltaBullington(const std::vector<double>& d, const std::vector<double>& g, double hts,
                                double hrs, double hstd, double hsrd, double a, double f, double lambda,
                                double omega, int pol)
{
    DeltaBullington r, unused;
    deltaBullingtonPair(BullingtonPath(d), g, hts, hrs, hstd, hsrd, a, a, f, lambda, omega, pol, r, unused);
    return r;
}

int computeP452(const P452Profile& prof, const P452Params& par, P452Result& out)
{
    out = P452Result();
    const std::size_t n = prof.d.size();
    if (n < 4 || prof.h.size() != n || (!prof.r.empty() && prof.r.size() != n)
        || (!prof.zone.empty() && prof.zone.size() != n) || prof.d[0] != 0)
        return P452BadProfile;
    double highest = 0; // of |h|, for the rounding margin of the line-of-sight search
    bool flat = true;   // h is 0 between the ends (smooth earth)
    if (!checkProfile(prof.d.data(), prof.h.data(), n, highest, flat))
        return P452BadProfile;
    for (double r : prof.r)
        if (!std::isfinite(r))
            return P452BadProfile;
    const double f = par.f;
    const double p = par.p;
    if (!(f >= 0.1 && f <= 50) || !(p >= 0.001 && p <= 50) || !(par.htg > 0) || !(par.hrg > 0)
        || (par.pol != 1 && par.pol != 2) || !std::isfinite(par.dn) || !std::isfinite(par.n0)
        || !(par.dn < 157) || !std::isfinite(par.gt) || !std::isfinite(par.gr) || !(par.dct >= 0)
        || !(par.dcr >= 0) || !(par.press > 0) || !(par.temp > -273.15) || !(par.lambdaNumerator > 0))
        return P452BadParameter;

    const std::vector<double>& d = prof.d;
    const std::vector<double>& h = prof.h;
    const double dt = d[n - 1];
    const double lambda = par.lambdaNumerator / f;
    const double tempK = par.temp + 273.15;

    // Zones: without a zone list every point is inland, one run over the whole path.
    double unused = 0, seaTotal = 0;
    if (prof.zone.empty()) {
        out.dtm = out.dlm = dt;
    } else {
        const std::vector<int>& zone = prof.zone;
        zoneRuns(d, zone, [](int z) { return z == ZoneCoastalLand || z == ZoneInland; }, out.dtm, unused);
        zoneRuns(d, zone, [](int z) { return z == ZoneInland; }, out.dlm, unused);
        zoneRuns(d, zone, [](int z) { return z == ZoneSea; }, unused, seaTotal);
    }
    const double omega = seaTotal / dt;
    out.omega = omega;

    pathCentre(par.phitE, par.phitN, par.phirE, par.phirN, 0.5 * dt, out.centreLat, out.centreLon);
    const double b0 = timePercentageBeta0(out.centreLat, out.dtm, out.dlm);
    out.b0 = b0;

    const double ae = par.ae > 0 ? par.ae : kEarthRadius * 157.0 / (157.0 - par.dn);
    const double abeta = kEarthRadius * 3.0;
    out.ae = ae;
    out.dtot = dt;

    // Radio profile: clutter is added except within 50 m of either terminal.
    std::vector<double> cluttered;
    if (!prof.r.empty()) {
        cluttered = h;
        for (std::size_t i = 0; i < n; ++i)
            if (!(d[i] < 0.05) && !(d[i] > dt - 0.05))
                cluttered[i] = h[i] + prof.r[i];
    }
    const std::vector<double>& g = prof.r.empty() ? h : cluttered;

    const double hts = h[0] + par.htg;
    const double hrs = h[n - 1] + par.hrg;
    out.hts = hts;
    out.hrs = hrs;

    const BullingtonPath bullington(d);

    // Horizon angles and path classification. The arc tangent rises with
    // its argument, so the highest argument gives the horizon.
    const double thetaTd = 1000 * std::atan((hrs - hts) / (1000 * dt) - dt / (2 * ae));
    const double thetaRd = 1000 * std::atan((hts - hrs) / (1000 * dt) - dt / (2 * ae));
    // The searches run on forms with the divisions and roots taken out,
    // which differ from the exact ones by rounding only; the exact form is
    // then evaluated where it could still win, so the point found (first or
    // last of equals) is the one the exact form alone would find.
    const BullingtonPath& dist = bullington;
    const double inv2ae = 1 / (2 * ae);
    const double curvatureSlack = dt * inv2ae + 1;
    std::size_t it = 1, ir = n - 2;
    std::vector<std::size_t> nearT, nearR;
    nearT.reserve(16);
    nearR.reserve(16);
    horizonCandidates(dist, h.data(), hts, hrs, inv2ae, curvatureSlack, nearT, nearR);
    const double argTMax = bestOf(
        nearT, false, [&](std::size_t i) { return (h[i] - hts) / (1000 * d[i]) - d[i] / (2 * ae); }, it);
    const double argRMax = bestOf(
        nearR, true,
        [&](std::size_t j) {
            const double dj = dt - d[j];
            return (h[j] - hrs) / (1000 * dj) - dj / (2 * ae);
        },
        ir);
    const double thetaMax = 1000 * std::atan(argTMax);
    const double thetaRMax = 1000 * std::atan(argRMax);
    const bool transHorizon = thetaMax > thetaTd;
    out.transHorizon = transHorizon;
    if (transHorizon) {
        out.thetaT = std::max(thetaMax, thetaTd);
        out.thetaR = std::max(thetaRMax, thetaRd);
        out.dlt = d[it];
        out.dlr = dt - d[ir];
    } else {
        out.thetaT = thetaTd;
        out.thetaR = thetaRd;
        const double ce = 1 / ae;
        // The margin's scale bounds the magnitudes met: d (dt - d) is
        // smallest at the ends, so its inverse root is largest there (twice
        // that covers the rounding of the stored values).
        const double heightScale = highest + std::fabs(hts) + std::fabs(hrs) + 500 * ce * dt * dt + 1;
        const double rootScale = 2 * std::max(dist.invRootSpan[1], dist.invRootSpan[n - 2]);
        std::size_t istar = 1;
        lineOfSightCandidates(dist, h.data(), hts, hrs, ce, 1e-12 * (heightScale * rootScale), nearT);
        bestOf(
            nearT, true,
            [&](std::size_t i) {
                return (h[i] + 500 * ce * d[i] * (dt - d[i]) - (hts * (dt - d[i]) + hrs * d[i]) / dt)
                    * std::sqrt(0.002 * dt / (lambda * d[i] * (dt - d[i])));
            },
            istar);
        it = ir = istar;
        out.dlt = d[istar];
        out.dlr = dt - out.dlt;
    }
    out.theta = 1000 * dt / ae + out.thetaT + out.thetaR;
    double gt = par.gt, gr = par.gr;
    if (par.horizonGains)
        par.horizonGains(out, gt, gr);
    out.gt = gt;
    out.gr = gr;

    // Least-squares smooth surface and the heights derived from it.
    double hst = 0, hsr = 0;
    smoothSurfaces(bullington, h.data(), hts, hrs, hst, hsr, out.hstd, out.hsrd);

    const double hstDash = std::min(hst, h[0]);
    const double hsrDash = std::min(hsr, h[n - 1]);
    const double slope = (hsrDash - hstDash) / dt;
    out.hte = par.htg + h[0] - hstDash;
    out.hre = par.hrg + h[n - 1] - hsrDash;
    double hm = -std::numeric_limits<double>::infinity();
    for (std::size_t i = it; i <= ir; ++i)
        hm = std::max(hm, h[i] - (hstDash + slope * d[i]));
    out.hm = std::isfinite(hm) ? hm : 0.0;

    // Line of sight with multipath and focusing.
    const double rhoSurface = 7.5 + 2.5 * omega;
    const GasAttenuation gasSurface = specificAttenuation(f, par.press, tempK, rhoSurface);
    const double gammaSurface = gasSurface.oxygen + gasSurface.water;
    const double dfs = std::sqrt(dt * dt + std::pow((hts - hrs) / 1000, 2));
    out.lbfsg = 92.4 + 20 * log10d(f) + 20 * log10d(dfs) + gammaSurface * dfs;
    const double esFactor = 2.6 * (1 - std::exp(-0.1 * (out.dlt + out.dlr)));
    out.lb0p = out.lbfsg + esFactor * log10d(p / 50);
    out.lb0b = out.lbfsg + esFactor * log10d(b0 / 50);

    // Diffraction.
    // Both earth radii in one go (the second is needed unless p is 50 %);
    // the terrain's stim for ae also serves the combination below.
    DeltaBullington d50, dbeta;
    double stimTerrain = 0;
    deltaBullingtonPair(bullington, g, hts, hrs, out.hstd, out.hsrd, ae, abeta, f, lambda, omega, par.pol, d50, dbeta,
                        &stimTerrain, flat && prof.r.empty());
    out.ldsph = d50.ldsph;
    out.ld50 = d50.ld;
    double fi = 1;
    if (p > b0)
        fi = inverseComplementaryNormal(p / 100) / inverseComplementaryNormal(b0 / 100);
    if (p == 50) {
        out.ldp = out.ld50;
    } else {
        out.ldp = out.ld50 + fi * (dbeta.ld - out.ld50);
    }
    const double lbd50 = out.lbfsg + out.ld50;
    const double lbd = out.lb0p + out.ldp;

    // Troposcatter.
    const double lf = 25 * log10d(f) - 2.5 * std::pow(log10d(f / 2), 2);
    const double lc = 0.051 * std::exp(0.055 * (gt + gr));
    const double agScatter = gasAlong(f, par.press, tempK, 3.0, dt);
    out.lbs = 190 + lf + 20 * log10d(dt) + 0.573 * out.theta - 0.15 * par.n0 + lc + agScatter
        - 10.1 * std::pow(-log10d(p / 50), 0.7);

    // Ducting and layer reflection.
    const double alf = f < 0.5 ? 45.375 - 137.0 * f + 92.5 * f * f : 0.0;
    auto siteShielding = [f](double thetaDD, double dl) {
        if (thetaDD <= 0)
            return 0.0;
        return 20 * log10d(1 + 0.361 * thetaDD * std::sqrt(f * dl)) + 0.264 * thetaDD * std::cbrt(f);
    };
    const double ast = siteShielding(out.thetaT - 0.1 * out.dlt, out.dlt);
    const double asr = siteShielding(out.thetaR - 0.1 * out.dlr, out.dlr);
    auto coupling = [omega](double dc, double dl, double hs) {
        if (omega >= 0.75 && dc <= dl && dc <= 5)
            return -3 * std::exp(-0.25 * dc * dc) * (1 + std::tanh(0.07 * (50 - hs)));
        return 0.0;
    };
    const double act = coupling(par.dct, out.dlt, hts);
    const double acr = coupling(par.dcr, out.dlr, hrs);
    const double af = 102.45 + 20 * log10d(f) + 20 * log10d(out.dlt + out.dlr) + alf + ast + asr + act + acr;

    const double gammaD = 5e-5 * ae * std::cbrt(f);
    const double thetaDashT = std::min(out.thetaT, 0.1 * out.dlt);
    const double thetaDashR = std::min(out.thetaR, 0.1 * out.dlr);
    const double thetaDash = 1000 * dt / ae + thetaDashT + thetaDashR;
    const double di = std::min(dt - out.dlt - out.dlr, 40.0);
    const double mu3 = out.hm <= 10 ? 1.0 : std::exp(-4.6e-5 * (out.hm - 10) * (43 + 6 * di));
    const double tau = 1 - std::exp(-4.12e-4 * std::pow(out.dlm, 2.41));
    const double alpha = std::max(-0.6 - 3.5e-9 * std::pow(dt, 3.1) * tau, -3.4);
    const double rootH = std::sqrt(out.hte) + std::sqrt(out.hre);
    const double mu2 = std::min(std::pow(500 * dt * dt / (ae * rootH * rootH), alpha), 1.0);
    const double beta = b0 * mu2 * mu3;
    const double lbeta = log10d(beta);
    const double gamma = 1.076 / std::pow(2.0058 - lbeta, 1.012)
        * std::exp(-(9.51 - 4.8 * lbeta + 0.198 * lbeta * lbeta) * 1e-6 * std::pow(dt, 1.13));
    const double ap = -12 + (1.2 + 3.7e-3 * dt) * log10d(p / beta) + 12 * std::pow(p / beta, gamma);
    const double adp = gammaD * thetaDash + ap;
    out.lba = af + adp + gammaSurface * dt;

    // Combination of the mechanisms.
    if (!prof.r.empty()) {
        // The combination looks at the bare terrain, the diffraction above at the cluttered one.
        BullingtonMaxima bare, unused;
        bullingtonMaxima<true>(bullington, h.data(), hts, hrs, ae, ae, bare, unused);
        stimTerrain = bare.stim;
    }
    const double strT = (hrs - hts) / dt;
    const double fj = 1 - 0.5 * (1 + std::tanh(3 * 0.8 * (stimTerrain - strT) / 0.3));
    const double fk = 1 - 0.5 * (1 + std::tanh(3 * 0.5 * (dt - 20) / 20));
    double lminb0p;
    if (p < b0)
        lminb0p = out.lb0p + (1 - omega) * out.ldp;
    else
        lminb0p = lbd50 + (out.lb0b + (1 - omega) * out.ldp - lbd50) * fi;
    const double eta = 2.5;
    const double top = std::max(out.lba, out.lb0p);
    const double lminbap =
        top + eta * std::log(std::exp((out.lba - top) / eta) + std::exp((out.lb0p - top) / eta));
    const double lbda = lminbap > lbd ? lbd : lminbap + (lbd - lminbap) * fk;
    const double lbam = lbda + (lminb0p - lbda) * fj;
    out.lb = -5 * log10d(std::pow(10.0, -0.2 * out.lbs) + std::pow(10.0, -0.2 * lbam));

    if (!allFinite(out)) {
        out = P452Result();
        return P452NotFinite;
    }
    return 0;
}

} // namespace hcmfs
