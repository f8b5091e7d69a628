#ifndef GOOGLEEARTHEXPORT_H
#define GOOGLEEARTHEXPORT_H

#include <QString>

#include <vector>

class HCMFile;
class QWidget;

// Writes the records of the numbers given (in that order) into the file
// linkwise.kml of the data folder and asks the desktop to open it. A bad
// co-ordinate or a file that cannot be written is shown as a warning and
// nothing is opened; an empty list does nothing at all.
void showStationsOnGoogleEarth(QWidget* parent, const HCMFile& file, const std::vector<int>& recordNumbers,
                               bool showTower, const QString& dataFolder);

#endif
