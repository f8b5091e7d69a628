#include "trigger/borderfile.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace hcmfs::trigger {

namespace {

constexpr std::size_t kPointBytes = 16;
// Far beyond any country's outline at 1 km spacing; a larger file is not
// border data and is not read into memory.
constexpr std::uintmax_t kMaxFileBytes = 256u * 1024u * 1024u;
constexpr double kPi = 3.14159265358979323846;
// Room for the rounding of a value written as exactly +-pi or +-pi/2.
constexpr double kRangeSlack = 1e-9;

double readFloat64LE(const unsigned char* p)
{
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

bool isCodeChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

std::string upperCase(std::string text)
{
    for (char& c : text)
        c = upper(c);
    return text;
}

} // namespace

int decodeBorderPoints(const unsigned char* data, std::size_t size, std::vector<LonLat>& points)
{
    points.clear();
    if (!data || size == 0 || size % kPointBytes != 0)
        return kBorderDataUnreadable;
    std::vector<LonLat> result(size / kPointBytes);
    for (std::size_t i = 0; i < result.size(); ++i) {
        const double lon = readFloat64LE(data + i * kPointBytes);
        const double lat = readFloat64LE(data + i * kPointBytes + 8);
        // NaN fails both comparisons and is caught here too.
        if (!(std::fabs(lon) <= kPi + kRangeSlack) || !(std::fabs(lat) <= kPi / 2 + kRangeSlack))
            return kBorderDataUnreadable;
        result[i] = {lon, lat};
    }
    points = std::move(result);
    return 0;
}

int readBorderFile(const std::filesystem::path& file, std::vector<LonLat>& points)
{
    points.clear();
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size == 0 || size > kMaxFileBytes || size % kPointBytes != 0)
        return kBorderDataUnreadable;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return kBorderDataUnreadable;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    // The size may change between the size query and the read; trust only what arrived.
    if (in.gcount() != static_cast<std::streamsize>(bytes.size()))
        return kBorderDataUnreadable;
    return decodeBorderPoints(bytes.data(), bytes.size(), points);
}

std::string borderFileCode(const std::string& fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot > 8)
        return {};
    const std::string extension = upperCase(fileName.substr(dot + 1));
    if (extension != "ALL" && extension != "000")
        return {};
    std::string code = upperCase(fileName.substr(0, dot));
    for (char c : code)
        if (!isCodeChar(c))
            return {};
    return code;
}

bool isFullOutlineFile(const std::string& fileName)
{
    const std::size_t dot = fileName.rfind('.');
    return dot != std::string::npos && upperCase(fileName.substr(dot + 1)) == "ALL";
}

} // namespace hcmfs::trigger
