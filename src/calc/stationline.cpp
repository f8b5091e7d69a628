#include "stationline.h"

#include <QFile>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// The constants of the distance formula stay as HCM co-ordinators have always
// used them, so that a pair lands on the same side of a limit as elsewhere.
const double kEarthRadiusKm = 6371.0;
const double kPi = 3.14159265;

bool startsWithNoCase(const QByteArray& line, const char* prefix, int n)
{
    return line.size() >= n && qstrnicmp(line.constData(), prefix, n) == 0;
}

// A finite decimal number, or nothing.
bool readNumber(const QByteArray& text, double* value)
{
    if (text.isEmpty())
        return false;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

// Degrees, hemisphere letter, minutes and seconds starting at `at`.
bool readAngle(const QByteArray& text, int at, int degreeDigits, char negative, double* angle)
{
    double degrees = 0, minutes = 0, seconds = 0;
    if (!readNumber(text.mid(at, degreeDigits), &degrees))
        return false;
    const int hemisphere = at + degreeDigits;
    if (!readNumber(text.mid(hemisphere + 1, 2), &minutes) || !readNumber(text.mid(hemisphere + 3, 2), &seconds))
        return false;
    double value = degrees + (minutes + seconds / 60.0) / 60.0;
    if (hemisphere < text.size() && std::toupper(static_cast<unsigned char>(text.at(hemisphere))) == negative)
        value = -value;
    *angle = value;
    return true;
}

double radians(double degrees)
{
    return degrees * kPi / 180.0;
}

} // namespace

QList<QByteArray> splitStationLines(const QByteArray& text)
{
    if (!text.contains("\r\n"))
        return text.split(text.contains('\r') ? '\r' : '\n');
    QList<QByteArray> lines;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf("\r\n"); at >= 0; at = text.indexOf("\r\n", from)) {
        lines.append(text.mid(from, at - from));
        from = at + 2;
    }
    lines.append(text.mid(from));
    return lines;
}

bool readStationLines(const QString& fileName, QList<QByteArray>* lines)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    *lines = splitStationLines(text);
    return true;
}

QByteArray stationField(const QByteArray& line, int n)
{
    qsizetype from = 0;
    for (int i = 0; i < n; ++i) {
        from = line.indexOf(';', from);
        if (from < 0)
            return QByteArray();
        ++from;
    }
    const qsizetype end = line.indexOf(';', from);
    return line.mid(from, end < 0 ? -1 : end - from);
}

StationLine::Type stationType(const QByteArray& line)
{
    if (startsWithNoCase(line, "PRX", 3))
        return StationLine::PRx;
    if (startsWithNoCase(line, "PTX", 3))
        return StationLine::PTx;
    if (startsWithNoCase(line, "TX", 2))
        return StationLine::Tx;
    if (startsWithNoCase(line, "RX", 2))
        return StationLine::Rx;
    return StationLine::Other;
}

double stationFrequency(const QByteArray& value, const QByteArray& unit)
{
    double f = 0;
    if (!readNumber(value, &f))
        return StationLine::kMissingValue;
    if (unit == "G")
        return f * 1000.0;
    if (unit == "K")
        return f / 1000.0;
    return f;
}

void stationCoordinates(const QByteArray& text, double* longitude, double* latitude)
{
    *longitude = StationLine::kMissingValue;
    *latitude = StationLine::kMissingValue;
    if (!readAngle(text, 0, 3, 'W', longitude))
        return;
    readAngle(text, 8, 2, 'S', latitude);
}

StationLine parseStationLine(const QByteArray& line, int index, bool testing)
{
    StationLine s;
    s.line = line;
    s.index = index;
    s.testing = testing;
    s.type = stationType(line);
    const QList<QByteArray> fields = line.split(';');
    auto field = [&fields](int n) { return n < fields.size() ? fields.at(n) : QByteArray(); };
    s.frequency = stationFrequency(field(1), field(2));
    double longitude = 0, latitude = 0;
    stationCoordinates(field(10), &longitude, &latitude);
    s.setPosition(longitude, latitude);
    s.name = QString::fromLatin1(field(8));
    s.country = QString::fromLatin1(field(9));
    s.reference = QString::fromLatin1(field(43));
    return s;
}

QList<StationLine> parseStationLines(const QList<QByteArray>& lines, bool testing)
{
    QList<StationLine> stations;
    stations.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i)
        stations.append(parseStationLine(lines.at(i), i, testing));
    return stations;
}

void StationLine::setPosition(double lon, double lat)
{
    longitude = lon;
    latitude = lat;
    sinLatitude = std::sin(radians(lat));
    cosLatitude = std::cos(radians(lat));
    longitudeRadians = radians(lon);
}

double stationDistance(const StationLine& a, const StationLine& b)
{
    double c = a.sinLatitude * b.sinLatitude
               + a.cosLatitude * b.cosLatitude * std::cos(a.longitudeRadians - b.longitudeRadians);
    // Rounding can push the cosine of two co-located stations just past 1,
    // where acos has no value and the pair would fail every distance test.
    c = std::clamp(c, -1.0, 1.0);
    return std::acos(c) * kEarthRadiusKm;
}
