#ifndef PROGRESSTHROTTLE_H
#define PROGRESSTHROTTLE_H

#include <QElapsedTimer>
#include <QString>

// Decides which progress notifications of a long job are worth passing to
// the GUI thread. The file reader reports after every line; a national file
// has a hundred thousand of them, and queuing each would flood the window's
// event queue and hold the load back. A notification goes through when its
// text or maximum changed, when the job reached its end, when the value moved
// by at least one percent, or when 50 ms passed since the last one.
class ProgressThrottle
{
public:
    explicit ProgressThrottle(qint64 intervalMs = 50) : m_intervalMs(intervalMs) {}

    bool pass(qint64 value, qint64 maximum, const QString& message);
    void reset();

private:
    qint64 m_intervalMs;
    QElapsedTimer m_sinceLast;
    QString m_message;
    qint64 m_maximum = -1;
    qint64 m_value = 0;
    bool m_started = false;
};

#endif
