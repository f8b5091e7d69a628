#ifndef CLILOAD_H
#define CLILOAD_H

#include "hcm/checksettings.h"

#include <QString>

class HCMFile;
class LoadJob;

// A one-line progress display on standard error, only when that is a
// terminal, so that redirected output and scripts see results only.
class ProgressLine
{
public:
    ProgressLine();
    ~ProgressLine() { finish(); }

    void show(const QString& message, qint64 value, qint64 maximum);
    void finish();

private:
    bool m_enabled;
    bool m_shown = false;
    int m_percent = -1;
    QString m_message;
};

// Why the reader could not take fileName, in a few words.
QString unreadableReason(const QString& fileName);

// Reads fileName into file through job on this thread, with the progress
// line; false, with the reason on standard error, when the file cannot be
// read at all. The job keeps the reader's findings.
bool loadForCommand(const QString& command, const QString& fileName, const CheckSettings* settings,
                    HCMFile& file, LoadJob& job, ProgressLine& progress);

#endif
