// The border points of many countries, indexed by 1-degree cells so that a
// search around one station looks only at the points near it.
#ifndef HCMFS_TRIGGER_BORDERSET_H
#define HCMFS_TRIGGER_BORDERSET_H

#include "trigger/borderfile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace hcmfs::trigger {

constexpr double kEarthRadiusKm = 6371.0;

struct CountryOutline
{
    std::string code;
    std::vector<LonLat> points;
};

// Immutable once built, so one set may be searched from several threads at once.
class BorderSet
{
public:
    // Builds the index. Outlines with the same code are merged.
    explicit BorderSet(std::vector<CountryOutline> countries);

    // Reads every `<CODE>.ALL` / `<CODE>.000` file of a folder. Where both exist
    // for one code the `.ALL` file is read. Returns 0, or kBorderDataUnreadable
    // when the folder cannot be listed, holds no border file, or any border file
    // fails its checks (a half-read set would silently miss a neighbour).
    static int load(const std::filesystem::path& folder, std::shared_ptr<const BorderSet>& set);

    // Codes in alphabetical order.
    const std::vector<std::string>& codes() const { return m_codes; }
    std::size_t pointCount() const { return m_points.size(); }

    // Codes, alphabetically, of the countries with at least one border point
    // within `distanceKm` (great circle on a sphere of kEarthRadiusKm, limit
    // included) of the given position (radians). `exclude` (any letter case,
    // surrounding blanks ignored) is never listed.
    std::vector<std::string> countriesWithin(double lonRad, double latRad, double distanceKm,
                                             const std::string& exclude = {}) const;

private:
    struct Point
    {
        double x, y, z; // unit vector
    };
    struct Span
    {
        std::uint32_t begin, end; // range of m_points
        std::uint32_t country;    // index into m_codes
    };

    static constexpr int kLonCells = 360;
    static constexpr int kLatCells = 180;

    static int cellOf(double lonRad, double latRad);
    int indexOfCode(const std::string& code) const;

    std::vector<std::string> m_codes;
    std::vector<Point> m_points;           // ordered by cell, then country
    std::vector<Span> m_spans;             // ordered by cell
    std::vector<std::uint32_t> m_cellSpans; // spans of cell c: [m_cellSpans[c], m_cellSpans[c + 1])
};

} // namespace hcmfs::trigger

#endif
