#ifndef KMLCOMMAND_H
#define KMLCOMMAND_H

#include <QStringList>

// linkwise-cli kml FILE --records RANGES [--tower] -o OUT.kml: the KML
// document the desktop's Google Earth export writes for the same selection.
extern const char kKmlUsage[];
int runKmlCommand(const QStringList& args);

#endif
