#ifndef PATHPROFILE_H
#define PATHPROFILE_H

#include <QList>
#include <QPointF>
#include <QString>

// The terrain along one hop of a calculated path, as our library writes it
// into the detailed report:
//
//   BEGIN PROFILE hop=1 from=TX to=RX f_GHz=13.000000 ae_km=8494.999 ant_from_m=1301.50 ant_to_m=385.50
//   0.0000;1287.0
//   ...
//   END PROFILE
//
// one point a line, distance from the hop's start in km ";" terrain height in
// m. The antenna heights are above sea level, ae_km is the effective earth
// radius the propagation model used.
struct PathProfile
{
    int hop = 0;
    QString from;
    QString to;
    double frequencyGHz = 0.0;
    double earthRadiusKm = 0.0;
    double antennaFromM = 0.0;
    double antennaToM = 0.0;
    QList<QPointF> points; // (distance km, height m), distance rising

    double lengthKm() const { return points.isEmpty() ? 0.0 : points.last().x(); }
};

// Every well-formed profile block of a detailed report, in order. A block
// with an unreadable line, fewer than two points, falling distances or no end
// is left out: a half-read profile would be drawn wrongly.
QList<PathProfile> parsePathProfiles(const QString& report);

// How far the earth's curvature lifts the ground above the straight chord
// between the hop's ends, at d1 km from one end and d2 km from the other (m).
double earthBulgeM(double d1Km, double d2Km, double earthRadiusKm);

// Radius of the first Fresnel zone at d1 km from one end and d2 km from the
// other (m); 0 at the ends and for a frequency that is not positive.
double fresnelRadiusM(double d1Km, double d2Km, double frequencyGHz);

#endif
