#include "pathprofile.h"

#include <QStringList>

#include <cmath>

namespace {

const QString kBegin = QStringLiteral("BEGIN PROFILE");
const QString kEnd = QStringLiteral("END PROFILE");

bool readNumber(const QString& text, double* value)
{
    bool ok = false;
    *value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(*value);
}

// The key=value words after BEGIN PROFILE; false on a value that should be a
// number and is not.
bool readHeader(const QString& line, PathProfile* profile)
{
    const QStringList words = line.mid(kBegin.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        const qsizetype eq = word.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = word.left(eq);
        const QString value = word.mid(eq + 1);
        bool ok = true;
        if (key == QLatin1String("hop"))
            profile->hop = value.toInt(&ok);
        else if (key == QLatin1String("from"))
            profile->from = value;
        else if (key == QLatin1String("to"))
            profile->to = value;
        else if (key == QLatin1String("f_GHz"))
            ok = readNumber(value, &profile->frequencyGHz);
        else if (key == QLatin1String("ae_km"))
            ok = readNumber(value, &profile->earthRadiusKm);
        else if (key == QLatin1String("ant_from_m"))
            ok = readNumber(value, &profile->antennaFromM);
        else if (key == QLatin1String("ant_to_m"))
            ok = readNumber(value, &profile->antennaToM);
        if (!ok)
            return false;
    }
    return true;
}

bool readPoint(const QString& line, QPointF* point)
{
    const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
    double d = 0.0;
    double h = 0.0;
    if (semicolon < 0 || !readNumber(line.left(semicolon), &d) || !readNumber(line.mid(semicolon + 1), &h))
        return false;
    *point = QPointF(d, h);
    return true;
}

} // namespace

QList<PathProfile> parsePathProfiles(const QString& report)
{
    QList<PathProfile> profiles;
    PathProfile current;
    bool inBlock = false;
    bool good = false;
    const QStringList lines = report.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(kBegin)) {
            // A new block also ends one that never saw its end line.
            current = PathProfile();
            inBlock = true;
            good = readHeader(line, &current);
        } else if (!inBlock) {
            continue;
        } else if (line == kEnd) {
            inBlock = false;
            if (good && current.points.size() >= 2)
                profiles.append(current);
        } else if (good) {
            QPointF point;
            good = readPoint(line, &point)
                   && (current.points.isEmpty() || point.x() >= current.points.last().x());
            if (good)
                current.points.append(point);
        }
    }
    return profiles;
}

double earthBulgeM(double d1Km, double d2Km, double earthRadiusKm)
{
    if (earthRadiusKm <= 0.0)
        return 0.0;
    return d1Km * d2Km / (2.0 * earthRadiusKm) * 1000.0;
}

double fresnelRadiusM(double d1Km, double d2Km, double frequencyGHz)
{
    const double d = d1Km + d2Km;
    if (frequencyGHz <= 0.0 || d <= 0.0 || d1Km <= 0.0 || d2Km <= 0.0)
        return 0.0;
    // r1 = sqrt(lambda d1 d2 / d), lambda = 0.299792458 / f(GHz) m, d in m.
    const double lambdaM = 0.299792458 / frequencyGHz;
    return std::sqrt(lambdaM * d1Km * d2Km * 1000.0 / d);
}
