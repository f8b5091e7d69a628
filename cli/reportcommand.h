#ifndef REPORTCOMMAND_H
#define REPORTCOMMAND_H

#include <QStringList>

// linkwise-cli report [--csv] FILE: prints a report file written by a
// calculation run.
extern const char kReportUsage[];
int runReportCommand(const QStringList& args);

#endif
