#ifndef KMLWRITER_H
#define KMLWRITER_H

#include <QByteArray>
#include <QString>

#include <vector>

// Collects the styles, point placemarks and line placemarks of one KML 2.2
// document and renders them in one pass. One writer serves one export.
//
// Texts are escaped for XML as they are inserted, so a station name holding
// "&" or "<" still gives a document that readers open; numbers are written
// with six decimals and a decimal point whatever the user's locale is.
class KmlWriter
{
public:
    struct LineEnd
    {
        double latitude;
        double longitude;
        double altitude;
    };

    // An empty model reference places no model under the points.
    KmlWriter(const QString& outputPath, const QString& modelReference);

    void setDocumentName(const QString& name) { m_name = name; }
    void setDocumentDescription(const QString& description) { m_description = description; }
    // Points at the ground (altitude 0, relative to it) whatever their altitude.
    void setClampToGround(bool on) { m_clampToGround = on; }
    // Altitudes above sea level rather than above the ground.
    void setAbsoluteAltitude(bool on) { m_absoluteAltitude = on; }

    void addStyle(const QString& id, const QString& colour, int width, const QString& iconReference);
    void addPoint(const QString& name, const QString& description, double longitude, double latitude,
                  double altitude, const QString& styleId);
    void addLine(const QString& name, const QString& description, const QString& styleId,
                 const LineEnd& from, const LineEnd& to);

    // The whole document, UTF-8.
    QByteArray render() const;
    // Replaces the output file with the document in one step, so a failure
    // leaves any previous file as it was; false (with errorString) on failure.
    bool write();
    QString errorString() const { return m_error; }

    // The model is drawn this many times smaller than the station's altitude.
    static constexpr int kModelScaleDivisor = 330;

private:
    struct Style
    {
        QString id;
        QString colour;
        int width;
        QString icon;
    };
    struct Point
    {
        QString name;
        QString description;
        double longitude;
        double latitude;
        double altitude;
        QString styleId;
    };
    struct Line
    {
        QString name;
        QString description;
        QString styleId;
        LineEnd from;
        LineEnd to;
    };

    void renderStyle(QString& out, const Style& style) const;
    void renderPoint(QString& out, const Point& point) const;
    void renderModel(QString& out, const Point& point, const QString& altitude) const;
    void renderLine(QString& out, const Line& line) const;
    void renderHeading(QString& out, const QString& name, const QString& description,
                       const QString& styleId) const;
    QString altitudeMode() const;

    QString m_outputPath;
    QString m_modelReference;
    QString m_name;
    QString m_description;
    bool m_clampToGround = false;
    bool m_absoluteAltitude = false;
    std::vector<Style> m_styles;
    std::vector<Point> m_points;
    std::vector<Line> m_lines;
    QString m_error;
};

// text made safe for XML element content (and, with attribute set, for a
// value between quotation marks). Characters XML cannot carry at all become
// blanks.
QString kmlEscaped(const QString& text, bool attribute = false);

#endif
