#ifndef COMPARECOMMAND_H
#define COMPARECOMMAND_H

#include <QStringList>

extern const char kCompareUsage[];
int runCompareCommand(const QStringList& args);

#endif
