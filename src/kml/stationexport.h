#ifndef STATIONEXPORT_H
#define STATIONEXPORT_H

#include <QString>

#include <vector>

class HCMFile;

// Where the station export writes and what it refers to.
struct KmlExportRequest
{
    QString outputPath;
    // The folder holding google_earth/ with the tower model and the icons.
    QString programFolder;
    bool showTower = false;
};

// How a station export ended, with the warning to show when it failed.
struct KmlExportResult
{
    enum Status { Written, NothingSelected, BadLongitude, BadLatitude, WriteFailed };
    Status status = NothingSelected;
    QString stationName; // of the station with the bad co-ordinate
    QString path;        // of the file written or not written

    bool failed() const { return status != Written && status != NothingSelected; }
    QString warningTitle() const;
    QString warningText() const;
};

// The name of the file the desktop export writes into the data folder.
QString kmlExportFileName();

// Writes the records of the numbers given, in that order, as point placemarks
// (with the tower model under each when asked) through a KmlWriter. A station
// whose longitude or latitude cannot be read stops the export before anything
// is written; numbers that name no record are passed over.
KmlExportResult exportStationsToKml(const HCMFile& file, const std::vector<int>& recordNumbers,
                                    const KmlExportRequest& request);

#endif
