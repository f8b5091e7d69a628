#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <cstdio>

namespace hcmfs {
namespace {

const double kPi = 3.14159265358979323846;
const double kRad = kPi / 180.0;

bool digits(const std::string& s, std::size_t pos, std::size_t count, int& value)
{
    value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

} // namespace

bool parseHcmCoordinates(const std::string& text, GeoPoint& point)
{
    // DDDEMMSS DDNMMSS; real files also carry a two-digit longitude
    // (36E593104N2132), which is just as unambiguous.
    if (text.size() != 15 && text.size() != 14)
        return false;
    const std::size_t lonDigits = text.size() - 12;
    int lonD = 0, lonM = 0, lonS = 0, latD = 0, latM = 0, latS = 0;
    const std::size_t ewAt = lonDigits;
    const std::size_t latAt = ewAt + 5;
    if (!digits(text, 0, lonDigits, lonD) || !digits(text, ewAt + 1, 2, lonM) || !digits(text, ewAt + 3, 2, lonS)
        || !digits(text, latAt, 2, latD) || !digits(text, latAt + 3, 2, latM) || !digits(text, latAt + 5, 2, latS))
        return false;
    const char ew = static_cast<char>(std::toupper(static_cast<unsigned char>(text[ewAt])));
    const char ns = static_cast<char>(std::toupper(static_cast<unsigned char>(text[latAt + 2])));
    if ((ew != 'E' && ew != 'W') || (ns != 'N' && ns != 'S'))
        return false;
    if (lonM > 59 || lonS > 59 || latM > 59 || latS > 59)
        return false;
    double lon = lonD + lonM / 60.0 + lonS / 3600.0;
    double lat = latD + latM / 60.0 + latS / 3600.0;
    if (lon > 180 || lat > 90)
        return false;
    point.lon = ew == 'W' ? -lon : lon;
    point.lat = ns == 'S' ? -lat : lat;
    return true;
}

double greatCircleDistanceKm(const GeoPoint& a, const GeoPoint& b)
{
    const double p1 = a.lat * kRad, p2 = b.lat * kRad;
    const double dp = p2 - p1;
    const double dl = (b.lon - a.lon) * kRad;
    const double h = std::sin(dp / 2) * std::sin(dp / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

double azimuthDeg(const GeoPoint& a, const GeoPoint& b)
{
    const double p1 = a.lat * kRad, p2 = b.lat * kRad;
    const double dl = (b.lon - a.lon) * kRad;
    const double y = std::sin(dl) * std::cos(p2);
    const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    double az = std::atan2(y, x) / kRad;
    if (az < 0)
        az += 360;
    if (az >= 360)
        az -= 360;
    return az;
}

GreatCircleWalk::GreatCircleWalk(const GeoPoint& a, double azDeg)
{
    const double p1 = a.lat * kRad;
    const double az = azDeg * kRad;
    lonRad_ = a.lon * kRad;
    sinLat_ = std::sin(p1);
    cosLat_ = std::cos(p1);
    sinAz_ = std::sin(az);
    cosAz_ = std::cos(az);
}

GeoPoint GreatCircleWalk::at(double sKm) const
{
    const double delta = sKm / kEarthRadiusKm;
    const double sinDelta = std::sin(delta), cosDelta = std::cos(delta);
    const double sinLat = sinLat_ * cosDelta + cosLat_ * sinDelta * cosAz_;
    const double lat = std::asin(std::max(-1.0, std::min(1.0, sinLat)));
    const double lon = lonRad_ + std::atan2(sinAz_ * sinDelta * cosLat_, cosDelta - sinLat_ * sinLat);
    GeoPoint r;
    r.lat = lat / kRad;
    r.lon = wrapDeg180(lon / kRad);
    return r;
}

// A point of the walk with the rate of change of its latitude and of its
// (unwrapped) longitude along the path, degrees per km.
struct GreatCircleWalk::Knot {
    double lat, lon, dLat, dLon;
};

GreatCircleWalk::Knot GreatCircleWalk::knot(double sKm) const
{
    // The same arithmetic as at(), so that the knots are exact points.
    const double delta = sKm / kEarthRadiusKm;
    const double sinDelta = std::sin(delta), cosDelta = std::cos(delta);
    const double sinLat = sinLat_ * cosDelta + cosLat_ * sinDelta * cosAz_;
    const double lat = std::asin(std::max(-1.0, std::min(1.0, sinLat)));
    const double lon = lonRad_ + std::atan2(sinAz_ * sinDelta * cosLat_, cosDelta - sinLat_ * sinLat);
    // d(sin lat)/d delta = cos lat d lat/d delta, and cos lat sin az stays
    // constant along a great circle (Clairaut).
    const double cos2 = 1 - sinLat * sinLat;
    const double perKm = 1 / (kEarthRadiusKm * kRad);
    Knot k;
    k.lat = lat / kRad;
    k.lon = lon / kRad;
    k.dLat = (cosLat_ * cosAz_ * cosDelta - sinLat_ * sinDelta) / std::sqrt(cos2) * perKm;
    k.dLon = sinAz_ * cosLat_ / cos2 * perKm;
    return k;
}

void GreatCircleWalk::sample(double stepKm, int count, std::vector<GeoPoint>& points) const
{
    // Between two exact points 1.6 km apart a cubic through their positions
    // and slopes is off by h^4/384 times the fourth derivative: about 1e-17
    // rad, below the rounding of the coordinates themselves. Near the poles
    // the longitude turns too fast for that, and every point is exact.
    const int kSpan = 16;
    const double kPolarDeg = 80;
    points.resize(static_cast<std::size_t>(std::max(count, 0)));
    if (count <= 0)
        return;
    // The weights of the end values and slopes at each point of a span; the
    // same for every full span, so worked out once (same expressions).
    struct Weights {
        double rise, slope0, slope1;
    };
    auto weightsAt = [](int j, int len, double h) {
        const double t = static_cast<double>(j) / len;
        const double u = 1 - t;
        return Weights{t * t * (3 - 2 * t), h * t * u * u, -h * t * t * u};
    };
    Weights full[kSpan];
    for (int j = 1; j < kSpan; ++j)
        full[j] = weightsAt(j, kSpan, kSpan * stepKm);
    Knot k0 = knot(0);
    for (int a = 0; a < count - 1;) {
        const int b = std::min(a + kSpan, count - 1);
        const Knot k1 = knot(b * stepKm);
        const bool polar = std::fabs(k0.lat) > kPolarDeg || std::fabs(k1.lat) > kPolarDeg;
        const double h = (b - a) * stepKm;
        points[a].lat = k0.lat;
        points[a].lon = wrapDeg180(k0.lon);
        for (int i = a + 1; i < b; ++i) {
            if (polar) {
                points[i] = at(i * stepKm);
                continue;
            }
            const Weights w = b - a == kSpan ? full[i - a] : weightsAt(i - a, b - a, h);
            const double rise = w.rise, slope0 = w.slope0, slope1 = w.slope1;
            points[i].lat = k0.lat + (k1.lat - k0.lat) * rise + k0.dLat * slope0 + k1.dLat * slope1;
            points[i].lon = wrapDeg180(k0.lon + (k1.lon - k0.lon) * rise + k0.dLon * slope0 + k1.dLon * slope1);
        }
        k0 = k1;
        a = b;
    }
    points[count - 1].lat = k0.lat;
    points[count - 1].lon = wrapDeg180(k0.lon);
}

GeoPoint pointAlong(const GeoPoint& a, double azDeg, double sKm)
{
    return GreatCircleWalk(a, azDeg).at(sKm);
}

double wrapDeg180(double angle)
{
    if (angle > -180 && angle <= 180)
        return angle; // what the remainder below would give, without its cost
    double a = std::fmod(angle, 360.0);
    if (a <= -180)
        a += 360;
    else if (a > 180)
        a -= 360;
    return a;
}

double totalDifferenceAngle(double hdaDeg, double vdaDeg)
{
    const double c = std::cos(hdaDeg * kRad) * std::cos(vdaDeg * kRad);
    return std::acos(std::max(-1.0, std::min(1.0, c))) / kRad;
}

std::string formatDms(const GeoPoint& point)
{
    auto split = [](double v, int& d, int& m, int& s) {
        long total = std::lround(std::fabs(v) * 3600.0);
        d = static_cast<int>(total / 3600);
        m = static_cast<int>((total / 60) % 60);
        s = static_cast<int>(total % 60);
    };
    int ld, lm, ls, pd, pm, ps;
    split(point.lon, ld, lm, ls);
    split(point.lat, pd, pm, ps);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%03d%c%02d%02d%02d%c%02d%02d", ld, point.lon < 0 ? 'W' : 'E', lm, ls, pd,
                  point.lat < 0 ? 'S' : 'N', pm, ps);
    return buf;
}

} // namespace hcmfs
