// Great-circle geometry on a sphere of radius 6371 km and the HCM
// co-ordinate texts (DDDEMMSS longitude, DDNMMSS latitude).
#ifndef HCMFS_GEOMETRY_H
#define HCMFS_GEOMETRY_H

#include <string>
#include <vector>

namespace hcmfs {

const double kEarthRadiusKm = 6371.0;

struct GeoPoint {
    double lon = 0; // degrees, east positive
    double lat = 0; // degrees, north positive
};

// "036E514304N2511" style: 8 characters of longitude then 7 of latitude.
// Lower-case hemisphere letters and a two-digit longitude ("36E5143...")
// are accepted. Returns false when the text is not of that shape or a value
// is out of range.
bool parseHcmCoordinates(const std::string& text, GeoPoint& point);

double greatCircleDistanceKm(const GeoPoint& a, const GeoPoint& b);

// Azimuth from a towards b, clockwise from north, 0 <= az < 360 degrees.
double azimuthDeg(const GeoPoint& a, const GeoPoint& b);

// Point at distance s (km) from a along the great circle whose initial
// azimuth at a is az (degrees).
GeoPoint pointAlong(const GeoPoint& a, double azDeg, double sKm);

// The points of one great circle at many distances (a profile): the
// trigonometry of the start and of the azimuth is done once. at() gives
// exactly what pointAlong gives.
class GreatCircleWalk {
public:
    GreatCircleWalk(const GeoPoint& a, double azDeg);
    GeoPoint at(double sKm) const;

    // The points at 0, step, 2 step ... (count of them): exact at every few
    // points and interpolated between, within rounding of at() (see there).
    void sample(double stepKm, int count, std::vector<GeoPoint>& points) const;

private:
    struct Knot;
    Knot knot(double sKm) const;

    double lonRad_, sinLat_, cosLat_, sinAz_, cosAz_;
};

// Angle wrapped to (-180, 180].
double wrapDeg180(double angle);

// Total off-axis angle from the horizontal and vertical difference angles
// (degrees), 0 to 180.
double totalDifferenceAngle(double hdaDeg, double vdaDeg);

// "036E514304N2511" for a point (for the report).
std::string formatDms(const GeoPoint& point);

} // namespace hcmfs

#endif
