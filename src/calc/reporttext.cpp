#include "reporttext.h"

#include "datareport.h"

#include <QAtomicInt>
#include <QIODevice>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

namespace ReportText {
namespace {

QString cellText(const QVariant& value)
{
    // QVariant writes numbers in the C locale, whatever the environment says.
    return value.isNull() ? QString() : value.toString();
}

bool walkTable(QSqlDatabase& db, const QString& table, const QStringList& labels,
               const std::function<void(const QStringList&)>& row)
{
    QSqlQuery query(db);
    // Forward only: a cached result would keep every row of a large report.
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT * FROM ") + table))
        return false;
    const QSqlRecord record = query.record();
    const int columns = record.count();
    QStringList header;
    for (int c = 0; c < columns; ++c)
        header.append(c < labels.size() ? labels.at(c) : record.fieldName(c));
    row(header);
    QStringList cells;
    while (query.next()) {
        cells.clear();
        for (int c = 0; c < columns; ++c)
            cells.append(cellText(query.value(c)));
        row(cells);
    }
    return true;
}

QString readVersion(QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT * FROM version")) || !query.next())
        return QString();
    return query.value(0).toString();
}

} // namespace

bool forEachRow(const QString& reportFile, const std::function<void(const QStringList&)>& row, QString* version)
{
    static QAtomicInt counter;
    const QString connection = QStringLiteral("linkwise-reporttext-%1").arg(counter.fetchAndAddRelaxed(1));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(reportFile);
        // Reading never creates a file.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            if (version)
                *version = readVersion(db);
            const QStringList tables = db.tables();
            if (tables.contains(QStringLiteral("results")))
                ok = walkTable(db, QStringLiteral("results"), dataReport::resultLabels(), row);
            else if (tables.contains(QStringLiteral("trigger")))
                ok = walkTable(db, QStringLiteral("trigger"), dataReport::triggerLabels(), row);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

QString csvLine(const QStringList& fields)
{
    QString line;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        const QString& text = fields.at(i);
        if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
            && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) {
            line += text;
            continue;
        }
        QString quoted = text;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        line += QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    return line;
}

bool writeCsv(const QString& reportFile, QIODevice* out)
{
    QString version;
    bool started = false;
    bool written = true;
    const bool read = forEachRow(
        reportFile,
        [&](const QStringList& cells) {
            if (!started) {
                started = true;
                written = out->write((QStringLiteral("HCM Library version:") + version + QLatin1Char('\n')).toUtf8()) >= 0;
            }
            if (written)
                written = out->write((csvLine(cells) + QLatin1Char('\n')).toUtf8()) >= 0;
        },
        &version);
    return read && written;
}

} // namespace ReportText
