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
