#ifndef CLILOAD_H
#define CLILOAD_H

#include <QString>

// Why the reader could not take the file, in a few words.
QString unreadableReason(const QString& fileName);

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

#endif
