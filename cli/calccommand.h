#ifndef CALCCOMMAND_H
#define CALCCOMMAND_H

#include <QStringList>

// linkwise-cli calc single|list|trigger|detail: runs one calculation through
// the HCM library and writes its report file (or, for detail, the library's
// text report).
extern const char kCalcUsage[];
int runCalcCommand(const QStringList& args);

#endif
