#ifndef CLI_H
#define CLI_H

#include <QStringList>

#include <cstdio>

// Exit statuses of linkwise-cli.
enum CliExit { ExitOk = 0, ExitFindings = 1, ExitUsage = 2, ExitEngineError = 3 };

// One command of linkwise-cli: its name, a one-line summary, its usage text
// and the function that runs it with the arguments after the command name.
struct CliCommand
{
    const char* name;
    const char* summary;
    const char* usage;
    int (*run)(const QStringList& args);
};

// Output helpers: results go to standard output, messages to standard error.
void cliOut(const QString& text);
void cliErr(const QString& text);

#endif
