// Station lines and file helpers shared by the calculation tests.
#ifndef CALCTESTSUPPORT_H
#define CALCTESTSUPPORT_H

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QString>

namespace calctest {

// 4C of a station at 15 E, 47 N ("DDDEMMSSDDNMMSS"); one minute of latitude
// is about 1.85 km.
const char kHere[] = "015E000047N0000";

// A station line with the fields the engine reads: type (0), frequency and
// unit (1, 2), name (8), country (9), co-ordinates (10), remarks (39, where
// the fake library finds its directives) and reference (43, the name + "-REF").
inline QByteArray station(const QByteArray& type, const QByteArray& name, const QByteArray& remarks = QByteArray(),
                          const QByteArray& coordinates = kHere, const QByteArray& frequency = "13000",
                          const QByteArray& unit = "M")
{
    QByteArrayList fields(49);
    fields[0] = type;
    fields[1] = frequency;
    fields[2] = unit;
    fields[8] = name;
    fields[9] = "AUT";
    fields[10] = coordinates;
    fields[39] = remarks;
    fields[43] = name + "-REF";
    return fields.join(';');
}

// Writes the lines joined by the separator, without one after the last line.
inline bool writeLines(const QString& path, const QByteArrayList& lines, const QByteArray& separator = "\r\n")
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray text = lines.join(separator);
    return f.write(text) == text.size();
}

} // namespace calctest

#endif
