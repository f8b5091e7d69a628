#include "gaseous.h"

#include "csvtable.h"
#include "hcmfs_embedded_data.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace hcmfs {
namespace {

struct SpectralLine {
    double f0;
    double c[6];
};

std::vector<SpectralLine> loadLines(const char* csv)
{
    std::vector<SpectralLine> lines;
    for (const CsvRow& row : parseCsvTable(csv)) {
        if (row.size() < 7)
            continue;
        SpectralLine line{};
        bool ok = parseNumber(row[0], line.f0);
        for (int k = 0; k < 6; ++k)
            ok = parseNumber(row[k + 1], line.c[k]) && ok;
        if (ok)
            lines.push_back(line);
    }
    return lines;
}

// Both tables are constant after first use; a function-local static is
// initialised once even when several threads arrive together.
const std::vector<SpectralLine>& oxygenLines()
{
    static const std::vector<SpectralLine> lines = loadLines(embedded::p676_oxygen_lines);
    return lines;
}

const std::vector<SpectralLine>& waterLines()
{
    static const std::vector<SpectralLine> lines = loadLines(embedded::p676_water_vapour_lines);
    return lines;
}

double lineShape(double f, double fi, double df, double delta)
{
    const double below = fi - f;
    const double above = fi + f;
    return (f / fi) * ((df - delta * below) / (below * below + df * df)
                       + (df - delta * above) / (above * above + df * df));
}

// The line strengths and widths depend on the air only (pressure,
// temperature, humidity), which a run keeps for call after call while the
// frequency changes; they are worked out once per kind of air.
struct LineTerms {
    double f0, s, df, delta;
};

struct Air {
    double p = 0, temperatureK = 0, rho = 0;
    double theta = 0, e = 0, dD = 0, theta15 = 0;
    std::vector<LineTerms> oxygen, water;
};

void computeAir(double p, double temperatureK, double rho, Air& air)
{
    air.p = p;
    air.temperatureK = temperatureK;
    air.rho = rho;
    const double theta = 300.0 / temperatureK;
    const double e = rho * temperatureK / 216.7; // water-vapour partial pressure, hPa
    air.theta = theta;
    air.e = e;
    air.oxygen.clear();
    for (const SpectralLine& l : oxygenLines()) {
        const double s = l.c[0] * 1e-7 * p * theta * theta * theta * std::exp(l.c[1] * (1 - theta));
        double df = l.c[2] * 1e-4 * (p * std::pow(theta, 0.8 - l.c[3]) + 1.1 * e * theta);
        df = std::sqrt(df * df + 2.25e-6); // Zeeman splitting widens the oxygen lines
        const double delta = (l.c[4] + l.c[5] * theta) * 1e-4 * (p + e) * std::pow(theta, 0.8);
        air.oxygen.push_back({l.f0, s, df, delta});
    }
    air.dD = 5.6e-4 * (p + e) * std::pow(theta, 0.8);
    air.theta15 = std::pow(theta, 1.5);
    air.water.clear();
    for (const SpectralLine& l : waterLines()) {
        const double s = l.c[0] * 1e-1 * e * std::pow(theta, 3.5) * std::exp(l.c[1] * (1 - theta));
        double df = l.c[2] * 1e-4 * (p * std::pow(theta, l.c[3]) + l.c[4] * e * std::pow(theta, l.c[5]));
        // Doppler broadening matters for the narrow water lines at low pressure.
        df = 0.535 * df + std::sqrt(0.217 * df * df + 2.1316e-12 * l.f0 * l.f0 / theta);
        air.water.push_back({l.f0, s, df, 0.0});
    }
}

// A few kinds of air per thread (a path uses two), the most recent first.
const Air& airFor(double p, double temperatureK, double rho)
{
    const std::size_t kKinds = 4;
    thread_local std::vector<Air> kinds;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].p == p && kinds[i].temperatureK == temperatureK && kinds[i].rho == rho) {
            if (i > 0)
                std::swap(kinds[i], kinds[0]);
            return kinds[0];
        }
    }
    if (kinds.size() < kKinds)
        kinds.emplace_back();
    std::rotate(kinds.begin(), kinds.end() - 1, kinds.end());
    computeAir(p, temperatureK, rho, kinds[0]);
    return kinds[0];
}

} // namespace

GasAttenuation specificAttenuation(double f, double p, double temperatureK, double rho)
{
    const Air& air = airFor(p, temperatureK, rho);
    const double theta = air.theta;
    double oxygenSum = 0;
    for (const LineTerms& l : air.oxygen)
        oxygenSum += l.s * lineShape(f, l.f0, l.df, l.delta);
    const double dD = air.dD;
    const double dryContinuum = f * p * theta * theta
        * (6.14e-5 / (dD * (1 + (f / dD) * (f / dD)))
           + 1.4e-12 * p * air.theta15 / (1 + 1.9e-5 * std::pow(f, 1.5)));

    double waterSum = 0;
    for (const LineTerms& l : air.water)
        waterSum += l.s * lineShape(f, l.f0, l.df, l.delta);

    GasAttenuation g;
    g.oxygen = 0.1820 * f * (oxygenSum + dryContinuum);
    g.water = 0.1820 * f * waterSum;
    return g;
}

} // namespace hcmfs
