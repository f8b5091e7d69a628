#include "calculation.h"

#include "errors.h"
#include "geometry.h"
#include "morphology.h"
#include "terrain.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace hcmfs {
namespace {

const double kPi = 3.14159265358979323846;
const double kProfileStepKm = 0.1;
const double kTimePercentage = 20;
const double kMinHopKm = 0.001;
const double kSiteMismatchM = 50;   // 4Z this far off the terrain model is worth a warning
const double kMinAboveGroundM = 1;  // the path model needs an antenna above its ground

bool fail(Calculation& c, int code, std::string detail)
{
    c.error = code;
    c.errorDetail = std::move(detail);
    return false;
}

std::string stationLabel(const Calculation& c, std::size_t i)
{
    return "record " + std::to_string(i + 1) + " (" + stationTypeName(c.stations[i].record.type) + ")";
}

bool parseRecords(const CalcRequest& req, Calculation& c)
{
    std::vector<std::string> lines = req.lines;
    while (lines.size() < 4)
        lines.push_back(std::string());
    c.receivedLines = lines;
    const bool third = !lines[2].empty();
    const bool fourth = !lines[3].empty();
    if (third != fourth)
        return fail(c, ErrStationTypes, "a third record needs a fourth (TX, PRX, PTX, RX)");
    c.form = third ? 4 : 2;
    const std::size_t count = static_cast<std::size_t>(c.form);
    c.stations.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string message;
        if (!parseStationRecord(lines[i].data(), static_cast<int>(lines[i].size()), c.stations[i].record, message))
            return fail(c, ErrRecordSyntax, "record " + std::to_string(i + 1) + ": " + message);
    }
    const StationType two[] = {StationType::Tx, StationType::Rx};
    const StationType four[] = {StationType::Tx, StationType::Prx, StationType::Ptx, StationType::Rx};
    const StationType* expected = c.form == 2 ? two : four;
    for (std::size_t i = 0; i < count; ++i) {
        if (c.stations[i].record.type != expected[i])
            return fail(c, ErrStationTypes,
                        "record " + std::to_string(i + 1) + " is " + stationTypeName(c.stations[i].record.type)
                            + ", expected " + stationTypeName(expected[i])
                            + (c.form == 2 ? " (two-station form TX, RX)" : " (four-station form TX, PRX, PTX, RX)"));
    }
    return true;
}

bool checkValues(Calculation& c)
{
    const StationRecord& tx = c.stations.front().record;
    const StationRecord& rx = c.stations.back().record;
    for (const StationRecord* r : {&tx, &rx}) {
        if (!r->hasFrequency)
            return fail(c, ErrFrequency, std::string(stationTypeName(r->type)) + " frequency 1A/1A1 missing or unreadable");
        const double ghz = r->frequencyMHz / 1000;
        if (ghz < 0.1 || ghz > 50)
            return fail(c, ErrFrequency, std::string(stationTypeName(r->type)) + " frequency outside 0.1-50 GHz");
    }
    for (std::size_t i = 0; i < c.stations.size(); ++i)
        if (!c.stations[i].record.hasCoordinates)
            return fail(c, ErrCoordinates, stationLabel(c, i) + ": 4C is not DDDEMMSSDDNMMSS");
    if (!tx.power.valid)
        return fail(c, ErrPower, tx.power.present ? "8B is not a number" : "8B is empty");
    if (!rx.noise.valid)
        return fail(c, ErrNoise, rx.noise.present ? "9H is not a number" : "9H is empty");
    for (std::size_t i = 0; i < c.stations.size(); ++i) {
        const StationRecord& r = c.stations[i].record;
        const struct {
            const FieldNumber& value;
            const char* code;
        } needed[] = {{r.antennaHeight, "9Y"}, {r.azimuth, "9A"}, {r.elevation, "9B"}};
        for (const auto& n : needed)
            if (!n.value.valid)
                return fail(c, ErrStationGeometry, stationLabel(c, i) + ": " + n.code + (n.value.present ? " is not a number" : " is empty"));
        // Values no real station has would only lead the path model astray.
        if (r.elevation.value < -90 || r.elevation.value > 90)
            return fail(c, ErrStationGeometry, stationLabel(c, i) + ": 9B outside -90..90 degrees");
        if (r.azimuth.value < 0 || r.azimuth.value >= 360)
            return fail(c, ErrStationGeometry, stationLabel(c, i) + ": 9A outside 0..360 degrees");
        // An empty or unreadable 4Z is taken from the terrain model later.
        if (r.siteHeight.valid && (r.siteHeight.value < -1000 || r.siteHeight.value > 9000))
            return fail(c, ErrStationGeometry, stationLabel(c, i) + ": 4Z outside -1000..9000 m");
        if (r.antennaHeight.value < 0 || r.antennaHeight.value > 3000)
            return fail(c, ErrStationGeometry, stationLabel(c, i) + ": 9Y outside 0..3000 m");
        if (r.lineLoss.present && !r.lineLoss.valid)
            return fail(c, ErrRecordSyntax, stationLabel(c, i) + ": 9L is not a number");
    }
    for (std::size_t i = 0; i < c.stations.size(); ++i) {
        std::string message;
        if (!chooseAntenna(c.stations[i].record, c.stations[i].antenna, message))
            return fail(c, ErrNoAntenna, stationLabel(c, i) + ": " + message);
    }
    return true;
}

// The masks and their integrals depend on a few fields of the records only,
// and a list run meets the same few masks over and over (most stations use
// a default mask). Each thread remembers its last few results; a hit gives
// back what the computation gives, to the bit (inputs are compared bitwise).
bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool samePoints(const std::vector<MaskPointValue>& a, const std::vector<MaskPointValue>& b)
{
    for (std::size_t i = 0; i < a.size() && a.size() == b.size(); ++i)
        if (!sameBits(a[i].offset, b[i].offset) || !sameBits(a[i].attenuation, b[i].attenuation))
            return false;
    return a.size() == b.size();
}

struct MaskInputs {
    bool transmitter = false, spacingValid = false, hasFrequency = false, maskUsable = false;
    double spacing = 0, frequencyMHz = 0;
    std::string equipmentClass;
    std::vector<MaskPointValue> mask;

    MaskInputs(const StationRecord& r, bool tx)
        : transmitter(tx), spacingValid(r.channelSpacing.valid), hasFrequency(r.hasFrequency),
          maskUsable(r.maskUsable), spacing(r.channelSpacing.value), frequencyMHz(r.frequencyMHz),
          equipmentClass(r.equipmentClass), mask(r.mask)
    {
    }
    bool operator==(const MaskInputs& o) const
    {
        return transmitter == o.transmitter && spacingValid == o.spacingValid && hasFrequency == o.hasFrequency
            && maskUsable == o.maskUsable && sameBits(spacing, o.spacing) && sameBits(frequencyMHz, o.frequencyMHz)
            && equipmentClass == o.equipmentClass && samePoints(mask, o.mask);
    }
};

template <typename Entry>
struct Recent {
    static const std::size_t kSize = 4;
    std::vector<Entry> entries;
    std::size_t next = 0;

    void add(Entry e)
    {
        if (entries.size() < kSize) {
            entries.push_back(std::move(e));
        } else {
            entries[next] = std::move(e);
            next = (next + 1) % kSize;
        }
    }
};

struct ChoiceEntry {
    MaskInputs inputs;
    MaskChoice choice;
    double area;
};

struct OverlapEntry {
    std::vector<MaskPointValue> tx, rx;
    double df, area;
};

// The mask of a record and its area.
void rememberedMask(const StationRecord& r, bool transmitter, MaskChoice& choice, double& area)
{
    thread_local Recent<ChoiceEntry> recent;
    MaskInputs inputs(r, transmitter);
    for (const ChoiceEntry& e : recent.entries) {
        if (e.inputs == inputs) {
            choice = e.choice;
            area = e.area;
            return;
        }
    }
    choice = chooseMask(r, transmitter);
    area = maskArea(choice.mask);
    recent.add(ChoiceEntry{std::move(inputs), choice, area});
}

double rememberedOverlap(const TwoSidedMask& tx, const TwoSidedMask& rx, double df)
{
    thread_local Recent<OverlapEntry> recent;
    for (const OverlapEntry& e : recent.entries)
        if (sameBits(e.df, df) && samePoints(e.tx, tx.points) && samePoints(e.rx, rx.points))
            return e.area;
    const double area = overlappingArea(tx, rx, df);
    recent.add(OverlapEntry{tx.points, rx.points, df, area});
    return area;
}

bool computeMasks(Calculation& c)
{
    const StationRecord& tx = c.stations.front().record;
    const StationRecord& rx = c.stations.back().record;
    rememberedMask(tx, true, c.txMask, c.areaTx);
    if (!c.txMask.usable)
        return fail(c, ErrNoMask, "TX mask: " + std::string(tx.mask.empty() && tx.maskUsable
                                       ? "7G empty and no default row for this band, class 7G1 and spacing 7G3"
                                       : "7G points are incomplete, unreadable or not rising"));
    double rxArea = 0;
    rememberedMask(rx, false, c.rxMask, rxArea);
    if (!c.rxMask.usable)
        return fail(c, ErrNoMask, "RX mask: " + std::string(rx.mask.empty() && rx.maskUsable
                                       ? "7G empty and no default row for this band, class 7G1 and spacing 7G3"
                                       : "7G points are incomplete, unreadable or not rising"));
    c.dfMHz = rx.frequencyMHz - tx.frequencyMHz;
    c.overlap0 = rememberedOverlap(c.txMask.mask, c.rxMask.mask, 0);
    c.overlap = rememberedOverlap(c.txMask.mask, c.rxMask.mask, c.dfMHz);
    const double inf = std::numeric_limits<double>::infinity();
    c.md0 = c.overlap0 > 0 ? 10 * std::log10(c.areaTx / c.overlap0) : inf;
    if (c.overlap > 0) {
        c.md = 10 * std::log10(c.areaTx / c.overlap);
        c.nfd = c.md - c.md0;
    } else {
        c.zeroOverlap = true;
        c.md = inf;
        c.nfd = inf;
    }
    return true;
}

// Puts a station where its record says: on 4Z, or on the terrain model when
// 4Z is missing, with the antenna 9Y above. Nothing is moved to fit the
// terrain model; a large disagreement is only reported.
void placeStation(Calculation& c, std::size_t index, double terrainAtSite)
{
    Station& s = c.stations[index];
    if (s.placed)
        return;
    s.placed = true;
    s.terrainAtSite = terrainAtSite;
    s.siteFromTerrain = !s.record.siteHeight.valid;
    s.ground = s.siteFromTerrain ? terrainAtSite : s.record.siteHeight.value;
    s.heightAsl = s.ground + s.record.antennaHeight.value;
    const std::string who = stationLabel(c, index);
    char text[200];
    if (s.siteFromTerrain) {
        std::snprintf(text, sizeof text, "%s: 4Z %s, the terrain height at the site (%.1f m) is taken", who.c_str(),
                      s.record.siteHeight.present ? "is not a number" : "is empty", terrainAtSite);
        c.siteWarnings.push_back(text);
    } else if (!c.smoothEarth && std::fabs(s.ground - terrainAtSite) > kSiteMismatchM) {
        std::snprintf(text, sizeof text, "warning: %s: 4Z %.1f m differs from the terrain model (%.1f m) by %.1f m",
                      who.c_str(), s.ground, terrainAtSite, s.ground - terrainAtSite);
        c.siteWarnings.push_back(text);
    }
}

// The profile's end point under a station: its ground (0 m on smooth earth,
// where the whole antenna height a.s.l. stands above the profile). The path
// model needs an antenna above the ground, so an antenna at or below ground
// level keeps its height a.s.l. and the end point is taken just under it.
double endGround(Calculation& c, std::size_t index, double& aboveGround)
{
    const Station& s = c.stations[index];
    const double ground = c.smoothEarth ? 0.0 : s.ground;
    aboveGround = std::max(s.heightAsl - ground, kMinAboveGroundM);
    if (s.heightAsl - ground < kMinAboveGroundM) {
        char text[200];
        std::snprintf(text, sizeof text, "%s: antenna at %.1f m a.s.l. is not above its ground; the profile end is taken %.0f m under it",
                      stationLabel(c, index).c_str(), s.heightAsl, kMinAboveGroundM);
        c.siteWarnings.push_back(text);
    }
    return s.heightAsl - aboveGround;
}

// Distances over land from each end to the first sea point (none: the
// propagation model's default, far from any coast).
void coastDistances(const P452Profile& profile, P452Params& par)
{
    const std::vector<int>& z = profile.zone;
    const auto first = std::find(z.begin(), z.end(), static_cast<int>(ZoneSea));
    if (first == z.end())
        return;
    const auto last = std::find(z.rbegin(), z.rend(), static_cast<int>(ZoneSea));
    par.dct = profile.d[static_cast<std::size_t>(first - z.begin())];
    par.dcr = profile.d.back() - profile.d[z.size() - 1 - static_cast<std::size_t>(last - z.rbegin())];
}

bool extractProfile(Calculation& c, Hop& hop, TerrainSource& topo, MorphoSource& morpho, P452Profile& profile)
{
    std::vector<double>& d = profile.d;
    std::vector<double>& h = profile.h;
    const GeoPoint a = c.stations[hop.from].record.position;
    const int n = std::max(4, static_cast<int>(std::ceil(hop.distanceKm / kProfileStepKm - 1e-9)) + 1);
    hop.points = n;
    hop.stepKm = hop.distanceKm / (n - 1);
    d.resize(n);
    h.assign(n, 0.0);
    if (morpho.configured())
        profile.zone.resize(n);
    const bool placed = !topo.smoothEarth() || morpho.configured();
    // Kept between calls: sample() overwrites every point, and resizing
    // a buffer of the right size costs nothing. Used only when placed.
    thread_local std::vector<GeoPoint> points;
    if (placed)
        GreatCircleWalk(a, hop.azFromTo).sample(hop.stepKm, n, points);
    for (int i = 0; i < n; ++i)
        d[i] = i == n - 1 ? hop.distanceKm : i * hop.stepKm;
    if (placed) {
        // The ends are the stations themselves.
        points.front() = a;
        points.back() = c.stations[hop.to].record.position;
    }
    std::string message;
    if (!topo.smoothEarth() && !topo.heights(points.data(), points.size(), h.data(), message))
        return fail(c, ErrTerrainTile, message);
    if (morpho.configured()) {
        for (int i = 0; i < n; ++i) {
            profile.zone[i] = morpho.zoneAt(points[i].lat, points[i].lon);
            ++hop.zonePoints[profile.zone[i] - 1];
        }
    }
    coastDistances(profile, hop.params);
    placeStation(c, static_cast<std::size_t>(hop.from), h.front());
    placeStation(c, static_cast<std::size_t>(hop.to), h.back());
    h.front() = endGround(c, static_cast<std::size_t>(hop.from), hop.params.htg);
    h.back() = endGround(c, static_cast<std::size_t>(hop.to), hop.params.hrg);
    hop.groundFrom = h.front();
    hop.groundTo = h.back();
    hop.groundMin = *std::min_element(h.begin(), h.end());
    hop.groundMax = *std::max_element(h.begin(), h.end());
    if (c.keepProfiles) {
        hop.profileD = d;
        hop.profileH = h;
    }
    return true;
}

// Off-axis angles of one antenna towards the other end of its hop.
AntennaEnd antennaEnd(const Station& s, double azToOther, double etrDeg)
{
    AntennaEnd e;
    e.etrDeg = etrDeg;
    e.vda = s.record.elevation.value - etrDeg;
    e.hda = wrapDeg180(azToOther - s.record.azimuth.value);
    e.tda = totalDifferenceAngle(e.hda, e.vda);
    e.coAtt = s.antenna.coAttenuation(e.tda, e.hda);
    e.crossAtt = s.antenna.crossAttenuation(e.tda, e.hda);
    return e;
}

bool runHop(Calculation& c, Hop& hop, TerrainSource& topo, MorphoSource& morpho)
{
    const Station& sf = c.stations[hop.from];
    const Station& st = c.stations[hop.to];
    hop.distanceKm = greatCircleDistanceKm(sf.record.position, st.record.position);
    if (hop.distanceKm < kMinHopKm)
        return fail(c, ErrShortHop, std::string(stationTypeName(sf.record.type)) + " to "
                                        + stationTypeName(st.record.type) + " is shorter than 1 m");
    hop.azFromTo = azimuthDeg(sf.record.position, st.record.position);
    hop.azToFrom = azimuthDeg(st.record.position, sf.record.position);

    P452Profile profile;
    if (!extractProfile(c, hop, topo, morpho, profile))
        return false;

    P452Params& par = hop.params;
    par.f = c.stations.front().record.frequencyMHz / 1000;
    par.p = kTimePercentage;
    par.phitE = sf.record.position.lon;
    par.phitN = sf.record.position.lat;
    par.phirE = st.record.position.lon;
    par.phirN = st.record.position.lat;
    const char pol = sf.record.polarisation ? sf.record.polarisation : c.stations.front().record.polarisation;
    par.pol = pol == 'H' ? 1 : 2;
    par.press = 1013.25;
    par.temp = 15;
    const GeoPoint mid = pointAlong(sf.record.position, hop.azFromTo, hop.distanceKm / 2);
    hop.refractivity = refractivityForPath(c.locations.root, c.locations.topo, mid.lat, mid.lon);
    par.dn = hop.refractivity.dn;
    par.n0 = hop.refractivity.n0;
    // The troposcatter term wants each antenna's gain towards the horizon,
    // which depends on the horizon angles found by the path analysis.
    par.horizonGains = [&sf, &st, &hop](const P452Result& g, double& gt, double& gr) {
        const double mradToDeg = 180.0 / kPi / 1000.0;
        const AntennaEnd ef = antennaEnd(sf, hop.azFromTo, g.thetaT * mradToDeg);
        const AntennaEnd et = antennaEnd(st, hop.azToFrom, g.thetaR * mradToDeg);
        gt = sf.antenna.gain - ef.coAtt;
        gr = st.antenna.gain - et.coAtt;
    };
    const int rc = computeP452(profile, par, hop.p452);
    par.horizonGains = nullptr;
    if (rc != 0)
        return fail(c, ErrNumerical, "propagation model rejected the path (code " + std::to_string(rc) + ")");

    // The elevation of the path at each end is the horizon angle of the path
    // analysis: the direct ray on a line-of-sight path, the horizon otherwise.
    const double mradToDeg = 180.0 / kPi / 1000.0;
    hop.endFrom = antennaEnd(sf, hop.azFromTo, hop.p452.thetaT * mradToDeg);
    hop.endTo = antennaEnd(st, hop.azToFrom, hop.p452.thetaR * mradToDeg);

    const char pf = sf.record.polarisation, pt = st.record.polarisation;
    hop.samePolarisation = !pf || !pt || pf == pt;
    if (hop.samePolarisation) {
        hop.a1 = hop.endFrom.coAtt + hop.endTo.coAtt;
        hop.a2 = hop.endFrom.crossAtt + hop.endTo.crossAtt;
        hop.polarisationRule = (!pf || !pt) ? "polarisation unknown at one end: taken as the same"
                                            : "same polarisation";
        hop.polarisationRule += ": a1 = co + co, a2 = cross + cross";
    } else {
        hop.a1 = hop.endFrom.coAtt + hop.endTo.crossAtt;
        hop.a2 = hop.endFrom.crossAtt + hop.endTo.coAtt;
        hop.polarisationRule = "different polarisation: a1 = co + cross, a2 = cross + co";
    }
    hop.antennaAttenuation = combinedPolarisationPaths(hop.a1, hop.a2);
    return true;
}

void computeBudget(Calculation& c)
{
    const Station& tx = c.stations.front();
    const Station& rx = c.stations.back();
    c.ptx = tx.record.power.value;
    // The long-term interference comes from the power ATPC settles at: the
    // range 8B3 below 8B. Anything but a positive number deducts nothing.
    const FieldNumber& atpc = tx.record.atpc;
    c.atpc = atpc.valid && atpc.value > 0 ? atpc.value : 0;
    c.ltx = tx.record.lineLoss.valid ? tx.record.lineLoss.value : 0;
    c.lrx = rx.record.lineLoss.valid ? rx.record.lineLoss.value : 0;
    c.noise = rx.record.noise.value;
    c.lrepeater = 0;
    c.gainSum = tx.antenna.gain + rx.antenna.gain;
    if (c.form == 4) {
        for (std::size_t i : {std::size_t(1), std::size_t(2)}) {
            const StationRecord& r = c.stations[i].record;
            c.lrepeater += r.lineLoss.valid ? r.lineLoss.value : 0;
            c.gainSum += c.stations[i].antenna.gain;
        }
    }
    double propagation = 0;
    for (const Hop& h : c.hops)
        propagation += h.p452.lb + h.antennaAttenuation;
    c.lossSum = c.ltx + c.lrx + c.lrepeater + propagation;
    c.aTotal = c.lossSum + c.md - c.gainSum;
    c.interference = c.ptx - c.atpc - c.aTotal;
    c.td = thresholdDegradation(c.interference, c.noise);
    c.budgetDone = true;
}

} // namespace

double combinedPolarisationPaths(double a1, double a2)
{
    // The two paths may arrive in phase: their field strengths add. Written
    // around the smaller attenuation so that large values cannot underflow.
    const double m = std::min(a1, a2);
    return m - 20 * std::log10(1 + std::pow(10.0, -(std::max(a1, a2) - m) / 20));
}

double thresholdDegradation(double i, double n)
{
    if (std::isinf(i) && i < 0)
        return 0;
    // Written so that a large I - N cannot overflow: 10 log(1 + 10^(x/10))
    // = m + 10 log(10^(-m/10) + 10^((x - m)/10)) with m = max(x, 0).
    const double x = i - n;
    const double m = std::max(x, 0.0);
    return m + 10 * std::log10(std::pow(10.0, -m / 10) + std::pow(10.0, (x - m) / 10));
}

void runCalculation(const CalcRequest& req, Calculation& c)
{
    c = Calculation();
    if (!parseRecords(req, c) || !checkValues(c) || !computeMasks(c))
        return;
    c.locations = resolveDataLocations(req.terrain, false);
    c.keepProfiles = req.keepProfiles;
    if (c.zeroOverlap) {
        // No power of the transmitter reaches the receiver's passband: no
        // interference, whatever the path.
        const double inf = std::numeric_limits<double>::infinity();
        c.aTotal = inf;
        c.interference = -inf;
        c.noise = c.stations.back().record.noise.value;
        c.td = 0;
        return;
    }
    c.smoothEarth = c.locations.topo.empty();
    if (!c.smoothEarth && !c.locations.topoFound && !isDirectory(c.locations.topo)) {
        fail(c, ErrTerrainTile, "terrain folder " + c.locations.topo + " does not exist");
        return;
    }
    TerrainSource topo(c.locations.topo);
    MorphoSource morpho(c.locations.morpho);
    if (c.form == 2) {
        c.hops.resize(1);
        c.hops[0].from = 0;
        c.hops[0].to = 1;
    } else {
        c.hops.resize(2);
        c.hops[0].from = 0;
        c.hops[0].to = 1;
        c.hops[1].from = 2;
        c.hops[1].to = 3;
    }
    bool ok = true;
    for (Hop& hop : c.hops)
        if (ok)
            ok = runHop(c, hop, topo, morpho);
    c.tilesUsed = topo.tilesUsed();
    c.morphoTilesUsed = morpho.tilesUsed();
    c.morphoMissing = morpho.tilesMissing();
    if (!ok)
        return;
    computeBudget(c);
    const double values[] = {c.aTotal, c.interference, c.td, c.md, c.nfd, c.overlap};
    for (double v : values)
        if (!std::isfinite(v))
            fail(c, ErrNumerical, "a budget value is not finite");
}

} // namespace hcmfs
