#ifndef FIELDCURSOR_H
#define FIELDCURSOR_H

#include <QByteArrayView>

// Walks the semicolon-separated fields of one line. HCM lines know no quoting
// or escaping: a field is everything up to the next semicolon.
class FieldCursor
{
public:
    explicit FieldCursor(QByteArrayView line) : m_line(line) {}

    // The text up to the next semicolon, stepping past it; false (and no step)
    // when no semicolon follows.
    bool next(QByteArrayView& field)
    {
        const qsizetype end = m_line.indexOf(';', m_pos);
        if (end < 0)
            return false;
        field = m_line.sliced(m_pos, end - m_pos);
        m_pos = end + 1;
        return true;
    }

    QByteArrayView rest() const { return m_line.sliced(m_pos); }

private:
    QByteArrayView m_line;
    qsizetype m_pos = 0;
};

// Leading and trailing spaces removed; tabs and other white space stay.
inline QByteArrayView trimSpaces(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    return text.sliced(begin, end - begin);
}

#endif
