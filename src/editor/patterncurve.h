#ifndef PATTERNCURVE_H
#define PATTERNCURVE_H

#include <QList>
#include <QPointF>
#include <QString>

#include <utility>

// The texts of one radiation-pattern point as the editor's table holds them:
// angle in degrees, attenuation in dB.
using PatternPointText = std::pair<QString, QString>;

// A pattern as the editor plots it: attenuation against angle, in order of
// angle, so that a mistyped point shows as a spike in an otherwise smooth line.
struct PatternCurve
{
    QList<QPointF> points;  // x angle, y attenuation; ascending angle, ties in table order
    QList<int> unplotted;   // table rows that are not numbers or lie outside 0 - 360 degrees
};

PatternCurve patternCurve(const QList<PatternPointText>& rows);

// The axes that show every plotted point of the curves: angle from 0 to 180
// when no point lies beyond it, else to 360; attenuation in whole 10 dB steps
// from 0 (or below, for negative values) to at least 10.
struct PatternAxes
{
    double angleMax = 180;
    double attenuationMin = 0;
    double attenuationMax = 10;
};

PatternAxes patternAxes(const QList<PatternCurve>& curves);

#endif
