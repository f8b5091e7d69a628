// One border file: the outline of one country as binary points.
//
// A file holds nothing but points, 16 bytes each: longitude then latitude,
// IEEE-754 float64 little-endian, in radians. The country code is the file
// name without its extension (`AUT.ALL`, `D.000`).
#ifndef HCMFS_TRIGGER_BORDERFILE_H
#define HCMFS_TRIGGER_BORDERFILE_H

#include <filesystem>
#include <string>
#include <vector>

namespace hcmfs::trigger {

constexpr int kBorderDataUnreadable = 2008;

struct LonLat
{
    double lon = 0.0; // radians, east positive
    double lat = 0.0; // radians, north positive
};

// Reads and checks one border file. Returns 0, or kBorderDataUnreadable when the
// file cannot be read, is empty, is not a whole number of points, or holds a
// value that is not a longitude within +-pi or a latitude within +-pi/2 (a file
// written in degrees fails here). `points` is left empty on failure.
int readBorderFile(const std::filesystem::path& file, std::vector<LonLat>& points);

// Decodes the bytes of a border file with the same checks.
int decodeBorderPoints(const unsigned char* data, std::size_t size, std::vector<LonLat>& points);

// Country code of a border file name (upper case), or an empty text when the
// name is not `<CODE>.ALL` or `<CODE>.000` (in any letter case) or the code is
// not 1 to 8 letters, digits, '_' or '-'.
std::string borderFileCode(const std::string& fileName);

// True for `<CODE>.ALL` (the full outline), false for `<CODE>.000`.
bool isFullOutlineFile(const std::string& fileName);

} // namespace hcmfs::trigger

#endif
