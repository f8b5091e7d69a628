#include "trigger/borderset.h"

#include "trigger/borderfolder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace hcmfs::trigger {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegPerRad = 180.0 / kPi;

std::string normalisedCode(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    std::string code = text.substr(first, last - first + 1);
    for (char& c : code)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return code;
}

int floorIndex(double value, int count)
{
    const int index = static_cast<int>(std::floor(value));
    return std::clamp(index, 0, count - 1);
}

} // namespace

int BorderSet::cellOf(double lonRad, double latRad)
{
    // Longitudes of exactly +180 degrees fall into the first column, beside -180.
    double lonDeg = lonRad * kDegPerRad + 180.0;
    if (lonDeg >= 360.0)
        lonDeg -= 360.0;
    const int column = floorIndex(lonDeg, kLonCells);
    const int row = floorIndex(latRad * kDegPerRad + 90.0, kLatCells);
    return row * kLonCells + column;
}

BorderSet::BorderSet(std::vector<CountryOutline> countries)
{
    std::map<std::string, std::vector<LonLat>> byCode;
    for (CountryOutline& country : countries) {
        auto& points = byCode[normalisedCode(country.code)];
        points.insert(points.end(), country.points.begin(), country.points.end());
    }
    byCode.erase(std::string());

    struct Entry
    {
        int cell;
        std::uint32_t country;
        Point point;
    };
    std::vector<Entry> entries;
    for (auto& [code, points] : byCode) {
        const auto country = static_cast<std::uint32_t>(m_codes.size());
        m_codes.push_back(code);
        for (const LonLat& p : points) {
            const double c = std::cos(p.lat);
            entries.push_back({cellOf(p.lon, p.lat), country,
                               {c * std::cos(p.lon), c * std::sin(p.lon), std::sin(p.lat)}});
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.cell, a.country) < std::tie(b.cell, b.country);
    });

    m_points.reserve(entries.size());
    m_cellSpans.assign(kLonCells * kLatCells + 1, 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const bool newSpan = m_spans.empty() || i == 0 || entries[i - 1].cell != e.cell
                             || entries[i - 1].country != e.country;
        if (newSpan) {
            const auto at = static_cast<std::uint32_t>(i);
            m_spans.push_back({at, at, e.country});
            ++m_cellSpans[e.cell + 1];
        }
        m_points.push_back(e.point);
        ++m_spans.back().end;
    }
    for (std::size_t c = 1; c < m_cellSpans.size(); ++c)
        m_cellSpans[c] += m_cellSpans[c - 1];
}

int BorderSet::load(const std::filesystem::path& folder, std::shared_ptr<const BorderSet>& set)
{
    set.reset();
    std::vector<BorderFileEntry> files;
    if (listBorderFiles(folder, files) != 0)
        return kBorderDataUnreadable;
    std::vector<CountryOutline> countries;
    for (const BorderFileEntry& file : files) {
        CountryOutline country;
        country.code = file.code;
        if (readBorderFile(file.path, country.points) != 0)
            return kBorderDataUnreadable;
        countries.push_back(std::move(country));
    }
    set = std::make_shared<const BorderSet>(std::move(countries));
    return 0;
}

int BorderSet::indexOfCode(const std::string& code) const
{
    const auto it = std::lower_bound(m_codes.begin(), m_codes.end(), code);
    return (it != m_codes.end() && *it == code) ? static_cast<int>(it - m_codes.begin()) : -1;
}

std::vector<std::string> BorderSet::countriesWithin(double lonRad, double latRad, double distanceKm,
                                                    const std::string& exclude) const
{
    std::vector<std::string> result;
    if (!(distanceKm >= 0.0) || !std::isfinite(lonRad) || !std::isfinite(latRad) || m_codes.empty())
        return result;
    // Past half the circumference every point of the sphere is within reach.
    const double angle = std::min(distanceKm / kEarthRadiusKm, kPi);
    // Great-circle distance <= D exactly when the straight chord between the two
    // unit vectors is <= 2 sin(D / 2R); the chord needs no trigonometry per point
    // and keeps full precision at short distances.
    const double chord = 2.0 * std::sin(angle / 2.0);
    const double chord2 = chord * chord;
    const double cosLat = std::cos(latRad);
    const Point s{cosLat * std::cos(lonRad), cosLat * std::sin(lonRad), std::sin(latRad)};

    std::vector<char> done(m_codes.size(), 0);
    const int own = indexOfCode(normalisedCode(exclude));
    if (own >= 0)
        done[own] = 1;

    // Cells touched by the circle: its latitude band, and the longitudes it spans
    // at its widest; a circle over a pole spans all longitudes.
    // The margin keeps a point on a cell edge from being lost to rounding.
    const double latDeg = latRad * kDegPerRad;
    const double angleDeg = angle * kDegPerRad + 1e-9;
    const int rowFirst = floorIndex(latDeg - angleDeg + 90.0, kLatCells);
    const int rowLast = floorIndex(latDeg + angleDeg + 90.0, kLatCells);
    int columnFirst = 0;
    int columnCount = kLonCells;
    const bool overPole = latDeg + angleDeg >= 90.0 || latDeg - angleDeg <= -90.0;
    if (!overPole && std::sin(angle) < cosLat) {
        const double halfWidthDeg = std::asin(std::sin(angle) / cosLat) * kDegPerRad + 1e-9;
        const double lonDeg = std::remainder(lonRad * kDegPerRad, 360.0);
        columnFirst = static_cast<int>(std::floor(lonDeg - halfWidthDeg + 180.0));
        const int columnLast = static_cast<int>(std::floor(lonDeg + halfWidthDeg + 180.0));
        columnCount = std::min(columnLast - columnFirst + 1, kLonCells);
    }

    for (int row = rowFirst; row <= rowLast; ++row) {
        for (int k = 0; k < columnCount; ++k) {
            const int column = ((columnFirst + k) % kLonCells + kLonCells) % kLonCells;
            const int cell = row * kLonCells + column;
            for (std::uint32_t si = m_cellSpans[cell]; si < m_cellSpans[cell + 1]; ++si) {
                const Span& span = m_spans[si];
                if (done[span.country])
                    continue;
                for (std::uint32_t pi = span.begin; pi < span.end; ++pi) {
                    const Point& p = m_points[pi];
                    const double dx = p.x - s.x, dy = p.y - s.y, dz = p.z - s.z;
                    if (dx * dx + dy * dy + dz * dz <= chord2) {
                        done[span.country] = 2;
                        break;
                    }
                }
            }
        }
    }
    for (std::size_t c = 0; c < m_codes.size(); ++c)
        if (done[c] == 2)
            result.push_back(m_codes[c]);
    return result;
}

} // namespace hcmfs::trigger
