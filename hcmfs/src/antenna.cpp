#include "antenna.h"

#include "csvtable.h"
#include "hcmfs_embedded_data.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace hcmfs {
namespace {

// Shipped standard diagrams, keyed by gain in tenths of a dB.
std::map<int, std::vector<AnglePoint>> loadDiagrams()
{
    std::map<int, std::vector<AnglePoint>> out;
    for (const CsvRow& c : parseCsvTable(embedded::standard_diagrams)) {
        double gain = 0;
        if (c.size() < 3 || (c.size() - 1) % 2 != 0 || !parseNumber(c[0], gain))
            continue;
        std::vector<AnglePoint> pts;
        bool ok = true;
        for (std::size_t i = 1; i + 1 < c.size() && ok; i += 2) {
            AnglePoint p;
            ok = parseNumber(c[i], p.angle) && parseNumber(c[i + 1], p.attenuation);
            pts.push_back(p);
        }
        if (ok)
            out[static_cast<int>(std::lround(gain * 10))] = pts;
    }
    return out;
}

const std::map<int, std::vector<AnglePoint>>& shippedDiagrams()
{
    static const std::map<int, std::vector<AnglePoint>> diagrams = loadDiagrams();
    return diagrams;
}

// The shipped diagrams follow the F.699 shape with an aperture efficiency of
// about 55 % (20 log D/lambda = G - 7.4): five main-lobe points up to the
// first side-lobe, the side-lobe plateau up to 100/(D/lambda) degrees (F.699
// phi_r for D/lambda above 100), the
// 25 log(phi) decay sampled at three whole-degree angles spread evenly
// towards 48 degrees, a point where the decay reaches the cross-polar floor
// (so the derived cross-polar diagram starts on the curve) and a far-lobe
// floor 10 dB under F.699's, reached at 48 degrees.
} // namespace

std::vector<AnglePoint> buildStandardDiagram(double g)
{
    const double dl = std::pow(10.0, (g - 7.4) / 20);
    const double g1 = 2 + 15 * std::log10(dl);
    const double phiM = 20 / dl * std::sqrt(std::max(g - g1, 0.0));
    // Large apertures (D/lambda above 100) take F.699's other branch.
    const bool large = dl > 100;
    const double phiS = large ? 15.85 * std::pow(dl, -0.6) : 100 / dl;
    auto decayGain = [&](double phi) {
        return large ? 32 - 25 * std::log10(phi) : 52 - 10 * std::log10(dl) - 25 * std::log10(phi);
    };
    auto decay = [&](double phi) { return std::max(g - decayGain(phi), g - g1); };
    // Angles are kept to 0.1 degree, as in the shipped rows.
    auto cut = [](double a) { return std::floor(a * 10 + 1e-9) / 10; };
    auto near = [](double a) { return std::round(a * 10) / 10; };
    const double phiMTenth = near(phiM);
    std::vector<AnglePoint> pts{{0.0, 0.0}};
    for (int k = 1; k <= 4; ++k) {
        const double phi = cut(phiMTenth * k / 5);
        pts.push_back({phi, 0.0025 * (dl * phi) * (dl * phi)});
    }
    pts.push_back({phiMTenth, g - g1});
    const double phiSTenth = large ? near(phiS) : cut(phiS);
    pts.push_back({phiSTenth, g - g1});
    std::vector<AnglePoint> tail;
    for (int k = 1; k <= 3; ++k) {
        const double phi = std::floor(phiS + k * (48 - phiS) / 4 + 0.02);
        tail.push_back({phi, decay(phi)});
    }
    const double floorX = crossPolarFloor(g);
    const double phiX = large ? std::pow(10.0, (32 - g + floorX) / 25)
                              : std::pow(10.0, (floorX - g + 52 - 10 * std::log10(dl)) / 25);
    if (phiX > phiS && phiX < 48)
        tail.push_back({cut(phiX), floorX});
    std::sort(tail.begin(), tail.end(), [](const AnglePoint& a, const AnglePoint& b) { return a.angle < b.angle; });
    pts.insert(pts.end(), tail.begin(), tail.end());
    const double floorAtt = large ? g + 20 : g + 10 * std::log10(dl);
    pts.push_back({48, floorAtt});
    pts.push_back({180, floorAtt});
    return pts;
}

namespace {

bool validPattern(const std::vector<AnglePoint>& pts)
{
    if (pts.empty())
        return false;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        if (pts[i].angle < 0 || pts[i].angle > 360 || pts[i].attenuation < 0)
            return false;
        if (i > 0 && pts[i].angle < pts[i - 1].angle)
            return false;
    }
    return true;
}

} // namespace

const char* patternSourceName(PatternSource source)
{
    switch (source) {
    case PatternSource::Record: return "record";
    case PatternSource::StandardTable: return "standard diagram (table)";
    case PatternSource::StandardBuilt: return "standard diagram (built for this gain)";
    case PatternSource::F699: return "ITU-R F.699 envelope";
    }
    return "?";
}

double tabulatedAttenuation(const std::vector<AnglePoint>& pts, double tda, double hda)
{
    if (pts.empty())
        return 0;
    double angle = tda;
    if (pts.back().angle > 180 && hda < 0)
        angle = 360 - tda;
    // Exactly on tabulated angles (a step when repeated): the larger value.
    bool hit = false;
    double best = 0;
    for (const AnglePoint& p : pts) {
        if (p.angle == angle) {
            best = hit ? std::max(best, p.attenuation) : p.attenuation;
            hit = true;
        }
    }
    if (hit)
        return best;
    if (angle < pts.front().angle)
        return pts.front().attenuation;
    if (angle > pts.back().angle)
        return pts.back().attenuation;
    for (std::size_t k = 1; k < pts.size(); ++k) {
        if (angle < pts[k].angle) {
            const AnglePoint& a = pts[k - 1];
            const AnglePoint& b = pts[k];
            return a.attenuation + (b.attenuation - a.attenuation) * (angle - a.angle) / (b.angle - a.angle);
        }
    }
    return pts.back().attenuation;
}

double f699Attenuation(double gmax, double phi)
{
    phi = std::fabs(phi);
    if (phi > 180)
        phi = 360 - std::fmod(phi, 360.0);
    const double dl = std::pow(10.0, (gmax - 7.7) / 20);
    const double g1 = 2 + 15 * std::log10(dl);
    const double phiM = 20 / dl * std::sqrt(std::max(gmax - g1, 0.0));
    double g;
    if (phi < phiM) {
        g = gmax - 0.0025 * (dl * phi) * (dl * phi);
    } else if (dl > 100) {
        const double phiR = 15.85 * std::pow(dl, -0.6);
        if (phi < phiR)
            g = g1;
        else if (phi < 48)
            g = 32 - 25 * std::log10(phi);
        else
            g = -10;
    } else {
        if (phi < 100 / dl)
            g = g1;
        else if (phi < 48)
            g = 52 - 10 * std::log10(dl) - 25 * std::log10(phi);
        else
            g = 10 - 10 * std::log10(dl);
    }
    // Small dishes: the side-lobe level may exceed the main lobe formula.
    return std::max(gmax - g, 0.0);
}

bool standardDiagram(double gain, std::vector<AnglePoint>& points, bool& fromTable)
{
    const int tenths = static_cast<int>(std::lround(gain * 10));
    if (tenths < 200 || tenths > 500)
        return false;
    const auto& shipped = shippedDiagrams();
    const auto it = shipped.find(tenths);
    fromTable = it != shipped.end();
    points = fromTable ? it->second : buildStandardDiagram(tenths / 10.0);
    return true;
}

double crossPolarFloor(double gain)
{
    const int tenths = static_cast<int>(std::lround(gain * 10));
    if (tenths < 230)
        return 15;
    if (tenths < 270)
        return 20;
    if (tenths < 300)
        return 25;
    return 30;
}

std::vector<AnglePoint> crossFromCoPolar(const std::vector<AnglePoint>& co, double floorDb)
{
    std::vector<AnglePoint> out{{0.0, floorDb}};
    for (const AnglePoint& p : co)
        if (p.attenuation >= floorDb && p.angle > 0)
            out.push_back(p);
    if (out.size() == 1)
        out.push_back({co.empty() || co.back().angle <= 180 ? 180.0 : 360.0, floorDb});
    return out;
}

double AntennaModel::coAttenuation(double tda, double hda) const
{
    if (coSource == PatternSource::F699)
        return f699Attenuation(gain, tda);
    return tabulatedAttenuation(co, tda, hda);
}

double AntennaModel::crossAttenuation(double tda, double hda) const
{
    if (crossSource == PatternSource::F699)
        return std::max(floorDb, f699Attenuation(gain, tda));
    return tabulatedAttenuation(cross, tda, hda);
}

bool chooseAntenna(const StationRecord& record, AntennaModel& m, std::string& message)
{
    m = AntennaModel();
    if (!record.gain.valid) {
        message = record.gain.present ? "antenna gain 9X1 is not a number" : "antenna gain 9X1 is missing";
        return false;
    }
    m.gain = record.gain.value;
    m.floorDb = crossPolarFloor(m.gain);
    if (!record.coPolar.points.empty() && !validPattern(record.coPolar.points)) {
        message = "co-polar pattern angles must rise from 0 to at most 360 with attenuations of 0 or more";
        return false;
    }
    if (!record.crossPolar.points.empty() && !validPattern(record.crossPolar.points)) {
        message = "cross-polar pattern angles must rise from 0 to at most 360 with attenuations of 0 or more";
        return false;
    }
    if (!record.coPolar.points.empty()) {
        m.coSource = PatternSource::Record;
        m.co = record.coPolar.points;
    } else {
        bool fromTable = false;
        if (standardDiagram(m.gain, m.co, fromTable))
            m.coSource = fromTable ? PatternSource::StandardTable : PatternSource::StandardBuilt;
        else
            m.coSource = PatternSource::F699;
    }
    if (!record.crossPolar.points.empty()) {
        m.crossSource = PatternSource::Record;
        m.cross = record.crossPolar.points;
    } else if (m.coSource == PatternSource::F699) {
        m.crossSource = PatternSource::F699;
        m.crossDerived = true;
    } else {
        m.crossSource = m.coSource;
        m.crossDerived = true;
        m.cross = crossFromCoPolar(m.co, m.floorDb);
    }
    return true;
}

} // namespace hcmfs
