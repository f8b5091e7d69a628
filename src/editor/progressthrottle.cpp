#include "progressthrottle.h"

bool ProgressThrottle::pass(qint64 value, qint64 maximum, const QString& message)
{
    const bool due = !m_started || message != m_message || maximum != m_maximum || value >= maximum
        || (maximum > 0 && (value - m_value) * 100 >= maximum)
        || m_sinceLast.elapsed() >= m_intervalMs;
    if (!due)
        return false;
    m_started = true;
    m_message = message;
    m_maximum = maximum;
    m_value = value;
    m_sinceLast.start();
    return true;
}

void ProgressThrottle::reset()
{
    m_started = false;
    m_message.clear();
    m_maximum = -1;
    m_value = 0;
}
