#include "patterncurve.h"

#include <QtNumeric>

#include <algorithm>
#include <cmath>

namespace {

// The file's numbers are C-locale texts; blanks around them do not matter,
// but anything that is not a finite number is not plotted.
bool readNumber(const QString& text, double& value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && qIsFinite(value);
}

} // namespace

PatternCurve patternCurve(const QList<PatternPointText>& rows)
{
    PatternCurve curve;
    for (int row = 0; row < rows.size(); ++row) {
        double angle = 0;
        double attenuation = 0;
        if (readNumber(rows.at(row).first, angle) && readNumber(rows.at(row).second, attenuation)
            && angle >= 0 && angle <= 360)
            curve.points.append(QPointF(angle, attenuation));
        else
            curve.unplotted.append(row);
    }
    std::stable_sort(curve.points.begin(), curve.points.end(),
                     [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    return curve;
}

PatternAxes patternAxes(const QList<PatternCurve>& curves)
{
    PatternAxes axes;
    for (const PatternCurve& curve : curves) {
        for (const QPointF& p : curve.points) {
            if (p.x() > 180)
                axes.angleMax = 360;
            axes.attenuationMin = std::min(axes.attenuationMin, std::floor(p.y() / 10) * 10);
            axes.attenuationMax = std::max(axes.attenuationMax, std::ceil(p.y() / 10) * 10);
        }
    }
    return axes;
}
