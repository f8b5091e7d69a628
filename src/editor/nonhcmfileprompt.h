#ifndef NONHCMFILEPROMPT_H
#define NONHCMFILEPROMPT_H

#include <QString>

class QWidget;

// Tells the user that the file just opened does not look like an HCM file and
// asks whether its window stays open; true to keep it.
bool keepWindowOfNonHcmFile(QWidget* parent, const QString& path);

#endif
