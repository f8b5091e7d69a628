#ifndef CHECKCOMMAND_H
#define CHECKCOMMAND_H

#include <QStringList>

// linkwise-cli check: the whole-file syntax check of the desktop program,
// printed as its error list or as bare codes.
extern const char kCheckUsage[];
int runCheckCommand(const QStringList& args);

#endif
