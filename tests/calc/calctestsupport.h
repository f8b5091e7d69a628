// Station lines, file and report helpers shared by the calculation and
// command-line tests.
#ifndef CALCTESTSUPPORT_H
#define CALCTESTSUPPORT_H

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

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

// Writes the lines joined by the separator, without one after the last line;
// gives the path, or nothing when the file could not be written.
inline QString writeLines(const QString& path, const QByteArrayList& lines, const QByteArray& separator = "\r\n")
{
    QFile f(path);
    const QByteArray text = lines.join(separator);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size() ? path : QString();
}

// Runs the statements (split at ';') on a report file and gives the last
// one's rows, each as its values joined with ','; {"failed"} when anything fails.
inline QStringList sql(const QString& file, const QByteArray& statements)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(file);
        bool ok = db.open();
        QSqlQuery q(db);
        for (const QByteArray& statement : statements.split(';'))
            ok = ok && q.exec(QString::fromLatin1(statement));
        while (ok && q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values.append(q.value(i).toString());
            rows.append(values.join(QLatin1Char(',')));
        }
        if (!ok)
            rows = QStringList{QStringLiteral("failed")};
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return rows;
}

// The rows of a report's table; -1 when the file or table cannot be read.
inline int countRows(const QString& file, const QByteArray& table = "results")
{
    bool ok = false;
    const int n = sql(file, "SELECT COUNT(*) FROM " + table).value(0).toInt(&ok);
    return ok ? n : -1;
}

} // namespace calctest

#endif
