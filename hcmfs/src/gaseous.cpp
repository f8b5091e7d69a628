#include "gaseous.h"

#include "csvtable.h"
#include "hcmfs_embedded_data.h"

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

} // namespace

GasAttenuation specificAttenuation(double f, double p, double temperatureK, double rho)
{
    const double theta = 300.0 / temperatureK;
    const double e = rho * temperatureK / 216.7; // water-vapour partial pressure, hPa

    double oxygenSum = 0;
    for (const SpectralLine& l : oxygenLines()) {
        const double s = l.c[0] * 1e-7 * p * theta * theta * theta * std::exp(l.c[1] * (1 - theta));
        double df = l.c[2] * 1e-4 * (p * std::pow(theta, 0.8 - l.c[3]) + 1.1 * e * theta);
        df = std::sqrt(df * df + 2.25e-6); // Zeeman splitting widens the oxygen lines
        const double delta = (l.c[4] + l.c[5] * theta) * 1e-4 * (p + e) * std::pow(theta, 0.8);
        oxygenSum += s * lineShape(f, l.f0, df, delta);
    }
    const double dD = 5.6e-4 * (p + e) * std::pow(theta, 0.8);
    const double dryContinuum = f * p * theta * theta
        * (6.14e-5 / (dD * (1 + (f / dD) * (f / dD)))
           + 1.4e-12 * p * std::pow(theta, 1.5) / (1 + 1.9e-5 * std::pow(f, 1.5)));

    double waterSum = 0;
    for (const SpectralLine& l : waterLines()) {
        const double s = l.c[0] * 1e-1 * e * std::pow(theta, 3.5) * std::exp(l.c[1] * (1 - theta));
        double df = l.c[2] * 1e-4 * (p * std::pow(theta, l.c[3]) + l.c[4] * e * std::pow(theta, l.c[5]));
        // Doppler broadening matters for the narrow water lines at low pressure.
        df = 0.535 * df + std::sqrt(0.217 * df * df + 2.1316e-12 * l.f0 * l.f0 / theta);
        waterSum += s * lineShape(f, l.f0, df, 0.0);
    }

    GasAttenuation g;
    g.oxygen = 0.1820 * f * (oxygenSum + dryContinuum);
    g.water = 0.1820 * f * waterSum;
    return g;
}

} // namespace hcmfs
