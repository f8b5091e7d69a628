#include "kmlwriter.h"

#include <QSaveFile>

namespace {

QString number(double value)
{
    // QString::number ignores the locale: always a decimal point.
    return QString::number(value, 'f', 6);
}

QString coordinates(double longitude, double latitude, const QString& altitude)
{
    return QString(10, QLatin1Char(' ')) + number(longitude) + QLatin1Char(',') + number(latitude)
        + QLatin1Char(',') + altitude + QLatin1Char('\n');
}

QString element(int indent, const char* tag, const QString& content)
{
    const QLatin1String name(tag);
    return QString(indent, QLatin1Char(' ')) + QLatin1Char('<') + name + QLatin1Char('>') + content
        + QLatin1String("</") + name + QLatin1String(">\n");
}

} // namespace

QString kmlEscaped(const QString& text, bool attribute)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"':
            out += attribute ? QLatin1String("&quot;") : QLatin1String("\"");
            break;
        default:
            // Control characters other than tab and line ends have no place
            // in an XML document, not even as references.
            if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n')
                && c != QLatin1Char('\r'))
                out += QLatin1Char(' ');
            else
                out += c;
        }
    }
    return out;
}

KmlWriter::KmlWriter(const QString& outputPath, const QString& modelReference)
    : m_outputPath(outputPath), m_modelReference(modelReference)
{
}

void KmlWriter::addStyle(const QString& id, const QString& colour, int width, const QString& iconReference)
{
    m_styles.push_back({id, colour, width, iconReference});
}

void KmlWriter::addPoint(const QString& name, const QString& description, double longitude,
                         double latitude, double altitude, const QString& styleId)
{
    m_points.push_back({name, description, longitude, latitude, altitude, styleId});
}

void KmlWriter::addLine(const QString& name, const QString& description, const QString& styleId,
                        const LineEnd& from, const LineEnd& to)
{
    m_lines.push_back({name, description, styleId, from, to});
}

QString KmlWriter::altitudeMode() const
{
    if (m_absoluteAltitude && !m_clampToGround)
        return QStringLiteral("absolute");
    return QStringLiteral("relativeToGround");
}

void KmlWriter::renderStyle(QString& out, const Style& style) const
{
    out += QLatin1String("    <Style id=\"") + kmlEscaped(style.id, true) + QLatin1String("\">\n");
    out += QLatin1String("      <LineStyle>\n");
    out += element(8, "color", kmlEscaped(style.colour));
    out += element(8, "width", QString::number(style.width));
    out += QLatin1String("      </LineStyle>\n");
    if (!style.icon.isEmpty()) {
        out += QLatin1String("      <IconStyle>\n        <Icon>\n");
        out += element(10, "href", kmlEscaped(style.icon));
        out += QLatin1String("        </Icon>\n      </IconStyle>\n");
    }
    out += QLatin1String("      <PolyStyle>\n        <fill>0</fill>\n      </PolyStyle>\n    </Style>\n");
}

void KmlWriter::renderHeading(QString& out, const QString& name, const QString& description,
                              const QString& styleId) const
{
    out += QLatin1String("    <Placemark>\n");
    out += element(6, "name", kmlEscaped(name));
    out += element(6, "description", kmlEscaped(description));
    if (!styleId.isEmpty())
        out += element(6, "styleUrl", QLatin1Char('#') + kmlEscaped(styleId));
}

void KmlWriter::renderPoint(QString& out, const Point& point) const
{
    const QString altitude = m_clampToGround ? QStringLiteral("0") : number(point.altitude);
    renderHeading(out, point.name, point.description, point.styleId);
    out += QLatin1String("      <Point>\n        <extrude>1</extrude>\n        <tessellate>0</tessellate>\n");
    out += element(8, "altitudeMode", altitudeMode());
    out += QLatin1String("        <coordinates>\n");
    out += coordinates(point.longitude, point.latitude, altitude);
    out += QLatin1String("        </coordinates>\n      </Point>\n    </Placemark>\n");
    if (!m_modelReference.isEmpty())
        renderModel(out, point, altitude);
}

void KmlWriter::renderModel(QString& out, const Point& point, const QString& altitude) const
{
    const QString scale = number(point.altitude / kModelScaleDivisor);
    out += QLatin1String("    <Placemark>\n      <Model>\n        <Location>\n");
    out += element(10, "longitude", number(point.longitude));
    out += element(10, "latitude", number(point.latitude));
    out += element(10, "altitude", altitude);
    out += QLatin1String("        </Location>\n        <Link>\n");
    out += element(10, "href", kmlEscaped(m_modelReference));
    out += QLatin1String("        </Link>\n        <Scale>\n");
    out += element(10, "x", scale);
    out += element(10, "y", scale);
    out += element(10, "z", scale);
    out += QLatin1String("        </Scale>\n      </Model>\n    </Placemark>\n");
}

void KmlWriter::renderLine(QString& out, const Line& line) const
{
    renderHeading(out, line.name, line.description, line.styleId);
    out += QLatin1String("      <LineString>\n");
    out += element(8, "extrude", m_modelReference.isEmpty() ? QStringLiteral("1") : QStringLiteral("0"));
    out += QLatin1String("        <tessellate>0</tessellate>\n");
    out += element(8, "altitudeMode", altitudeMode());
    out += QLatin1String("        <coordinates>\n");
    for (const LineEnd& end : {line.from, line.to})
        out += coordinates(end.longitude, end.latitude, number(end.altitude));
    out += QLatin1String("        </coordinates>\n      </LineString>\n    </Placemark>\n");
}

QByteArray KmlWriter::render() const
{
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
                                 "  <Document>\n");
    out += element(4, "name", kmlEscaped(m_name));
    out += element(4, "description", kmlEscaped(m_description));
    for (const Style& style : m_styles)
        renderStyle(out, style);
    for (const Point& point : m_points)
        renderPoint(out, point);
    for (const Line& line : m_lines)
        renderLine(out, line);
    out += QLatin1String("  </Document>\n</kml>\n");
    return out.toUtf8();
}

bool KmlWriter::write()
{
    QSaveFile file(m_outputPath);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    const QByteArray document = render();
    if (file.write(document) != document.size() || !file.commit()) {
        m_error = file.errorString();
        return false;
    }
    m_error.clear();
    return true;
}
