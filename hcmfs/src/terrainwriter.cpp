#include "terrainwriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace hcmfs {
namespace {

int16_t toSample(double h, int16_t missing)
{
    if (!std::isfinite(h))
        return missing;
    const double r = std::round(h);
    return static_cast<int16_t>(std::max(-32767.0, std::min(32767.0, r)));
}

bool writeBytes(const std::string& path, const std::vector<unsigned char>& bytes, std::string& message)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        message = "cannot write " + path;
        return false;
    }
    out.close();
    if (!out) {
        message = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace

bool writeHcmTile(const std::string& path, int lon0, int lat0, bool halfLongitude, const HeightFunction& height,
                  std::string& message)
{
    const int blockCols = halfLongitude ? 51 : 101;
    std::vector<unsigned char> bytes;
    bytes.reserve(144u * 101u * blockCols * 2u);
    for (int br = 0; br < 12; ++br)
        for (int bc = 0; bc < 12; ++bc)
            for (int r = 0; r < 101; ++r)
                for (int c = 0; c < blockCols; ++c) {
                    const double lat = lat0 + (br * 100 + r) / 1200.0;
                    const double lon = lon0 + (bc * (blockCols - 1) + c) / (12.0 * (blockCols - 1));
                    const int16_t v = toSample(height(lat, lon), -9999);
                    bytes.push_back(static_cast<unsigned char>(v & 0xff));
                    bytes.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
                }
    return writeBytes(path, bytes, message);
}

bool writeHgtTile(const std::string& path, int lon0, int lat0, int size, const HeightFunction& height,
                  std::string& message)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(size) * size * 2);
    for (int row = 0; row < size; ++row)
        for (int c = 0; c < size; ++c) {
            const double lat = lat0 + 1.0 - row / static_cast<double>(size - 1);
            const double lon = lon0 + c / static_cast<double>(size - 1);
            const int16_t v = toSample(height(lat, lon), -32768);
            bytes.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
            bytes.push_back(static_cast<unsigned char>(v & 0xff));
        }
    return writeBytes(path, bytes, message);
}

} // namespace hcmfs
