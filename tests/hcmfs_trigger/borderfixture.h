// Helpers shared by the trigger tests: synthetic border files and positions at
// a known great-circle distance.
#ifndef BORDERFIXTURE_H
#define BORDERFIXTURE_H

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace fixture {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEarthKm = 6371.0;

struct Deg
{
    double lon;
    double lat;
};

inline void appendFloat64LE(QByteArray& out, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i)
        out.append(char((bits >> (8 * i)) & 0xff));
}

// Bytes of a border file; the points given in degrees are written in radians.
inline QByteArray borderBytes(const std::vector<Deg>& points)
{
    QByteArray out;
    for (const Deg& p : points) {
        appendFloat64LE(out, p.lon * kPi / 180.0);
        appendFloat64LE(out, p.lat * kPi / 180.0);
    }
    return out;
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The point reached from `from` after `km` along the great circle leaving at
// `bearingDeg` (clockwise from north), on the sphere the trigger uses.
inline Deg destination(Deg from, double bearingDeg, double km)
{
    const double lat1 = from.lat * kPi / 180.0;
    const double lon1 = from.lon * kPi / 180.0;
    const double b = bearingDeg * kPi / 180.0;
    const double d = km / kEarthKm;
    const double lat2 = std::asin(std::sin(lat1) * std::cos(d) + std::cos(lat1) * std::sin(d) * std::cos(b));
    const double lon2 = lon1 + std::atan2(std::sin(b) * std::sin(d) * std::cos(lat1),
                                          std::cos(d) - std::sin(lat1) * std::sin(lat2));
    return {std::remainder(lon2 * 180.0 / kPi, 360.0), lat2 * 180.0 / kPi};
}

} // namespace fixture

#endif
