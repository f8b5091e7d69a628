#include "tilenames.h"

namespace TileNames {

namespace {

bool in(int value, int low, int high)
{
    return value >= low && value <= high;
}

QString northSplitSuffix(int latitude, const char* southName)
{
    if (latitude < 0)
        return QLatin1String(southName);
    return latitude <= 29 ? QStringLiteral("north00to29.zip") : QStringLiteral("north30to89.zip");
}

// The suffix after the column name; empty where the server holds nothing.
QString topoSuffix(int l, int b)
{
    if (in(l, 0, 15) || in(l, 33, 122) || in(l, -10, -1) || in(l, -102, -98) || in(l, -115, -105))
        return northSplitSuffix(b, "south.zip");
    if (l == -104) {
        if (b < 0)
            return QStringLiteral("south.zip");
        return b <= 29 ? QStringLiteral("north00to29.zip") : QStringLiteral("30to89.zip");
    }
    if (in(l, 16, 32)) {
        if (b >= 0)
            return northSplitSuffix(b, "");
        if (in(b, -25, -2))
            return QStringLiteral("south01to25.zip");
        if (in(b, -90, -27))
            return QStringLiteral("south26to90.zip");
        return QString();
    }
    if (in(l, 123, 149) || in(l, -59, -50) || in(l, -80, -74) || l <= -116)
        return b >= 0 ? QStringLiteral("north.zip") : QStringLiteral("south.zip");
    if (l >= 150 || in(l, -49, -11) || in(l, -97, -81))
        return QStringLiteral(".zip");
    if (in(l, -73, -60)) {
        if (b >= 0)
            return QStringLiteral("north.zip");
        if (in(b, -30, -1))
            return QStringLiteral("south01to30.zip");
        return QStringLiteral("south31to90.zip");
    }
    // -103 is in no range.
    return QString();
}

int digits(const QString& text, int from, int count, bool* ok)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            *ok = false;
            return 0;
        }
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

} // namespace

QString columnName(int longitude)
{
    const QChar letter = longitude >= 0 ? QLatin1Char('E') : QLatin1Char('W');
    return letter + QStringLiteral("%1").arg(qAbs(longitude), 3, 10, QLatin1Char('0'));
}

bool parseTileName(const QString& fileName, int* longitude, int* latitude)
{
    if (fileName.size() < 7)
        return false;
    const QChar we = fileName.at(0).toUpper();
    const QChar ns = fileName.at(4).toUpper();
    if ((we != QLatin1Char('E') && we != QLatin1Char('W'))
        || (ns != QLatin1Char('N') && ns != QLatin1Char('S')))
        return false;
    bool ok = true;
    const int lon = digits(fileName, 1, 3, &ok);
    const int lat = digits(fileName, 5, 2, &ok);
    if (!ok || lon > 180 || lat > 90)
        return false;
    *longitude = we == QLatin1Char('W') ? -lon : lon;
    *latitude = ns == QLatin1Char('S') ? -lat : lat;
    return true;
}

QString topoArchiveName(int longitude, int latitude)
{
    const QString suffix = topoSuffix(longitude, latitude);
    return suffix.isEmpty() ? QString() : columnName(longitude) + suffix;
}

QString morphoArchiveName(int longitude)
{
    return columnName(longitude) + QStringLiteral(".zip");
}

QString topoArchivePath(int longitude, int latitude)
{
    const QString name = topoArchiveName(longitude, latitude);
    if (name.isEmpty())
        return QString();
    return QStringLiteral("/topogra/TOPO/") + columnName(longitude) + QLatin1Char('/') + name;
}

QString morphoArchivePath(int longitude)
{
    const QString column = columnName(longitude);
    return QStringLiteral("/morpho/MORPHO/") + column + QLatin1Char('/') + column
         + QStringLiteral(".zip");
}

QString columnOfArchive(const QString& archiveName)
{
    return archiveName.left(4);
}

} // namespace TileNames
