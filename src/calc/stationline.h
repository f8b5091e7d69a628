#ifndef STATIONLINE_H
#define STATIONLINE_H

#include <QByteArray>
#include <QList>
#include <QString>

// One line of an HCM file as the calculation engine sees it: the raw text that
// goes unchanged to the calculation library, plus the few values the engine
// itself needs, read once before a run so that the pair tests never re-parse
// text. Missing or unparsable numbers read as kMissingValue.
struct StationLine
{
    enum Type : unsigned char { Other, Tx, Rx, PRx, PTx };

    static constexpr double kMissingValue = -1000.0;

    Type type = Other;
    double frequency = kMissingValue; // MHz
    double longitude = kMissingValue; // degrees, east positive
    double latitude = kMissingValue;  // degrees, north positive
    int index = -1;                   // line number in its file, from 0
    bool testing = true;              // true: the testing file, false: the reference file
    QString name;
    QString country;
    QString reference;
    QByteArray line;

    // Sets the co-ordinates together with the terms of the distance formula,
    // which are worked out once per station rather than once per pair.
    void setPosition(double longitude, double latitude);
    double sinLatitude = 0.0;
    double cosLatitude = 1.0;
    double longitudeRadians = 0.0;

    // Coordinates or frequency missing: the distance tests let such a station
    // pass and leave it to the library to report the gap.
    bool positionMissing() const { return longitude < -900.0 || latitude < -900.0; }
    bool incomplete() const { return positionMissing() || frequency < 0.0; }
};

// Splits the text of a whole file into lines at CR LF when the text holds one,
// else at CR when it holds one, else at LF. Empty lines stay, so that a line's
// position is its line number.
QList<QByteArray> splitStationLines(const QByteArray& text);

// Reads a whole file and splits it; false when the file cannot be read.
bool readStationLines(const QString& fileName, QList<QByteArray>* lines);

// Field n (from 0) of a line; empty when the line has fewer fields.
QByteArray stationField(const QByteArray& line, int n);

StationLine::Type stationType(const QByteArray& line);

// Frequency in MHz from fields 1 (value) and 2 (unit: G, K or anything else).
double stationFrequency(const QByteArray& value, const QByteArray& unit);

// Reads 4C ("DDDEMMSSDDNMMSS"); the parse stops at the first part that is not
// a number and leaves what is left at kMissingValue.
void stationCoordinates(const QByteArray& text, double* longitude, double* latitude);

StationLine parseStationLine(const QByteArray& line, int index, bool testing);
QList<StationLine> parseStationLines(const QList<QByteArray>& lines, bool testing);

// Great-circle distance in km between two stations.
double stationDistance(const StationLine& a, const StationLine& b);

#endif
