#include "reportmerge.h"

#include "datareport.h"

#include <QAtomicInt>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <cstdio>
#include <map>

namespace {

struct PartMark
{
    QString file;
    QString run;
    QString version;
    int part = -1;
    int parts = 0;
};

QString connectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("linkwise-merge-%1").arg(counter.fetchAndAddRelaxed(1));
}

// A connection that is removed again when it goes out of scope.
class Connection
{
public:
    Connection(const QString& file, bool readOnly) : m_name(connectionName())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(file);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_open = db.open();
    }
    ~Connection() { QSqlDatabase::removeDatabase(m_name); }
    bool isOpen() const { return m_open; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    bool m_open = false;
};

QString readMark(const QString& file, PartMark* mark)
{
    if (!QFileInfo(file).isFile())
        return QStringLiteral("%1: no such file").arg(file);
    mark->file = file;
    {
        Connection c(file, true);
        QSqlQuery query(c.db());
        if (!c.isOpen() || !query.exec(QStringLiteral("SELECT run, part, parts FROM part")) || !query.next())
            return QStringLiteral("%1: not a part of a split run").arg(file);
        mark->run = query.value(0).toString();
        mark->part = query.value(1).toInt();
        mark->parts = query.value(2).toInt();
        QSqlQuery version(c.db());
        if (!version.exec(QStringLiteral("SELECT ver FROM version")) || !version.next())
            return QStringLiteral("%1: not a Linkwise report file").arg(file);
        mark->version = version.value(0).toString();
    }
    return QString();
}

// Which file holds each part; why not, when the files are not one whole run.
QString orderParts(const QStringList& files, QStringList* ordered, QString* version)
{
    std::map<int, PartMark> byPart;
    PartMark first;
    for (const QString& file : files) {
        PartMark mark;
        const QString why = readMark(file, &mark);
        if (!why.isEmpty())
            return why;
        if (first.file.isEmpty())
            first = mark;
        else if (mark.run != first.run || mark.parts != first.parts)
            return QStringLiteral("%1 and %2 are parts of different runs").arg(first.file, file);
        if (!byPart.emplace(mark.part, mark).second)
            return QStringLiteral("part %1 of %2 is given twice").arg(mark.part).arg(mark.parts);
    }
    for (int k = 0; k < first.parts; ++k) {
        const auto it = byPart.find(k);
        if (it == byPart.end())
            return QStringLiteral("part %1 of %2 is missing").arg(k).arg(first.parts);
        ordered->append(it->second.file);
    }
    *version = first.version;
    return QString();
}

bool exec(QSqlDatabase db, const QString& statement, const QString& bound = QString())
{
    QSqlQuery query(db);
    if (!query.prepare(statement))
        return false;
    if (!bound.isNull())
        query.addBindValue(bound);
    return query.exec();
}

QString appendRows(const QString& target, const QStringList& ordered, long long* rows)
{
    Connection c(target, false);
    if (!c.isOpen())
        return QStringLiteral("%1: cannot be written").arg(target);
    QSqlDatabase db = c.db();
    for (const QString& file : ordered) {
        // ATTACH is not allowed inside a transaction: one transaction per part.
        const bool ok = exec(db, QStringLiteral("ATTACH DATABASE ? AS part"), file) && db.transaction()
                        && exec(db, QStringLiteral("INSERT INTO results SELECT * FROM part.results ORDER BY rowid"))
                        && db.commit();
        if (!ok) {
            db.rollback();
            db = QSqlDatabase();
            return QStringLiteral("%1: its rows could not be copied").arg(file);
        }
        exec(db, QStringLiteral("DETACH DATABASE part"));
    }
    {
        QSqlQuery count(db);
        if (count.exec(QStringLiteral("SELECT count(*) FROM results")) && count.next())
            *rows = count.value(0).toLongLong();
    }
    db = QSqlDatabase();
    return QString();
}

bool replaceFile(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    // Where renaming onto an existing file is refused.
    return QFile::remove(to) && QFile::rename(from, to);
}

} // namespace

QString runIdentity(const QList<QByteArray>& testing, const QList<QByteArray>& reference,
                    const ListCalculation::Limits& limits, double threshold, const QString& libraryVersion,
                    int parts)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QList<QByteArray>* list : {&testing, &reference}) {
        hash.addData(QByteArray::number(list->size()));
        for (const QByteArray& line : *list) {
            hash.addData(QByteArray::number(line.size()) + ':');
            hash.addData(line);
        }
    }
    for (double v : {limits.frequency, limits.distance, limits.repeaterDistance, threshold})
        hash.addData(QByteArray::number(v, 'g', 17) + ';');
    hash.addData(libraryVersion.toUtf8() + ';' + QByteArray::number(parts));
    return QString::fromLatin1(hash.result().toHex());
}

bool parsePartText(const QString& text, int* part, int* parts)
{
    const QStringList halves = text.split(QLatin1Char('/'));
    if (halves.size() != 2)
        return false;
    bool okPart = false;
    bool okParts = false;
    const int k = halves.at(0).toInt(&okPart);
    const int n = halves.at(1).toInt(&okParts);
    if (!okPart || !okParts || n < 1 || k < 0 || k >= n)
        return false;
    *part = k;
    *parts = n;
    return true;
}

QString mergeReportParts(const QString& out, const QStringList& parts, long long* rows)
{
    *rows = 0;
    if (parts.isEmpty())
        return QStringLiteral("no part given");
    for (const QString& part : parts) {
        if (QFileInfo(part).absoluteFilePath() == QFileInfo(out).absoluteFilePath())
            return QStringLiteral("%1 is one of the parts").arg(out);
    }
    QStringList ordered;
    QString version;
    QString why = orderParts(parts, &ordered, &version);
    if (!why.isEmpty())
        return why;

    const QString temporary = out + QStringLiteral(".merging");
    QFile::remove(temporary);
    {
        dataReport report(temporary);
        if (!report.createResultsSchema() || !report.storeVersion(version))
            why = QStringLiteral("%1: cannot be written").arg(temporary);
        report.close();
    }
    if (why.isEmpty())
        why = appendRows(temporary, ordered, rows);
    if (why.isEmpty() && !replaceFile(temporary, out))
        why = QStringLiteral("%1: cannot be written").arg(out);
    if (!why.isEmpty())
        QFile::remove(temporary);
    return why;
}
