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

} // namespace

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
    case PatternSource::StandardTable: return "standard diagram";
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

bool standardDiagram(double gain, std::vector<AnglePoint>& points)
{
    const int tenths = static_cast<int>(std::lround(gain * 10));
    const auto& shipped = shippedDiagrams();
    const auto it = shipped.find(tenths);
    if (it == shipped.end())
        return false;
    points = it->second;
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
        m.coSource = standardDiagram(m.gain, m.co) ? PatternSource::StandardTable : PatternSource::F699;
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
