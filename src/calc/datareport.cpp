#include "datareport.h"

#include <QAtomicInt>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQueryModel>
#include <QSqlRecord>

#include <cmath>

namespace {

const char kResultsTable[] =
    "CREATE TABLE results(TxIndex INTEGER,TxFileNo INTEGER,PRxIndex INTEGER,PTxIndex INTEGER,PxFileNo INTEGER,"
    "RxIndex INTEGER,RxFileNo INTEGER,TxName TEXT,PRxName TEXT,PTxName TEXT,RxName TEXT,Td REAL,Error INTEGER,"
    "TxCountry TEXT,PxCountry TEXT,RxCountry TEXT,TxReference TEXT,PRxReference TEXT,PTxReference TEXT,"
    "RxReference TEXT,Interference_Level REAL,Overlapping_Area REAL,Nfd REAL,Md REAL,A_Total REAL)";
const char kTriggerTable[] = "CREATE TABLE trigger(Name TEXT,Reference TEXT,Countries TEXT,Error INTEGER)";
const char kVersionTable[] = "CREATE TABLE version(ver TEXT)";

const int kCommitIntervalMs = 1000;
const double kNoNumber = -2222.0;

QString quoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

int fileNumber(bool testing)
{
    return testing ? 1 : 2;
}

// Empty texts are stored as '' and never as NULL: tools that query a report
// look for empty names with "= ''". A null QString binds as NULL.
QVariant textValue(const QString& text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

// Another connection holds the file: SQLite's codes 5 and 6, or, where the
// driver passes no code on (a failed COMMIT), SQLite's own text for them.
bool isBusy(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("5") || code == QLatin1String("6")
           || error.databaseText().contains(QLatin1String("is locked"));
}

// The column names a creation statement gives its table, in order.
QStringList columnsOf(const char* createStatement)
{
    static const QRegularExpression column(QStringLiteral("[(,](\\w+) (?:INTEGER|TEXT|REAL)"));
    QStringList names;
    for (const QRegularExpressionMatch& m : column.globalMatch(QLatin1String(createStatement)))
        names.append(m.captured(1));
    return names;
}

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("linkwise-report-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

dataReport::dataReport(const QString& fileName, QObject* parent)
    : QObject(parent), m_fileName(fileName), m_connectionName(nextConnectionName()),
      m_model(new QSqlQueryModel(this))
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(fileName);
}

dataReport::~dataReport()
{
    close();
    // Nothing may still hold a statement on the connection when it goes.
    m_model->clear();
    m_resultInsert.reset();
    m_triggerInsert.reset();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

double dataReport::storedValue(double value)
{
    if (!std::isfinite(value))
        return kNoNumber;
    return QString::number(value, 'g', 6).toDouble();
}

QStringList dataReport::resultLabels()
{
    return {tr("TxIndex"),     tr("TxFileNo"),      tr("PRxIndex"),      tr("PTxIndex"),    tr("PxFileNo"),
            tr("RxIndex"),     tr("RxFileNo"),      tr("Tx Name"),       tr("PRx Name"),    tr("PTx Name"),
            tr("Rx Name"),     tr("TD"),            tr("Error"),         tr("Tx Country"),  tr("PTxRx Country"),
            tr("Rx Country"),  tr("Tx Reference"),  tr("PRx Reference"), tr("PTx Reference"),
            tr("Rx Reference"), tr("I, dBW"),       tr("Overl. Area"),   tr("NFD, dB"),     tr("MD, dB"),
            tr("Total att., dB")};
}

QStringList dataReport::triggerLabels()
{
    return {tr("Station Name"), tr("Reference"), tr("Countries to coordinate with"), tr("Error")};
}

bool dataReport::openForWriting()
{
    if (m_db.isOpen() && !m_readOnly)
        return true;
    close();
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
    m_readOnly = false;
    m_writeFailed = false;
    m_lastError.clear();
    if (m_db.open())
        return true;
    m_lastError = m_db.lastError().text();
    return false;
}

void dataReport::setBusyWait(int timeoutMs, int attempts)
{
    m_busyTimeoutMs = timeoutMs;
    m_commitAttempts = qMax(1, attempts);
}

bool dataReport::execute(const QString& statement)
{
    QSqlQuery query(m_db);
    if (query.exec(statement))
        return true;
    m_lastError = query.lastError().text();
    return false;
}

bool dataReport::dropTableIfPresent(const QString& table)
{
    if (!m_db.tables().contains(table))
        return true;
    return execute(QStringLiteral("DROP TABLE ") + table);
}

bool dataReport::createSchema(const char* dropFirst, const char* dropSecond, const char* createStatement)
{
    if (!openForWriting())
        return false;
    commitBatch();
    m_resultInsert.reset();
    m_triggerInsert.reset();
    m_model->clear();
    // A part mark left by an earlier run would make this run look like a part.
    return dropTableIfPresent(QLatin1String(dropFirst)) && dropTableIfPresent(QLatin1String(dropSecond))
           && dropTableIfPresent(QStringLiteral("part"))
           && execute(QLatin1String(createStatement)) && dropTableIfPresent(QStringLiteral("version"))
           && execute(QLatin1String(kVersionTable)) && execute(QStringLiteral("INSERT INTO version VALUES(' ')"));
}

bool dataReport::createResultsSchema()
{
    return createSchema("results", "trigger", kResultsTable);
}

bool dataReport::createTriggerSchema()
{
    return createSchema("trigger", "results", kTriggerTable);
}

bool dataReport::storeVersion(const QString& version)
{
    if (!openForWriting() || m_writeFailed)
        return false;
    if (execute(QStringLiteral("UPDATE version SET ver=") + quoted(version)))
        return true;
    m_writeFailed = true;
    return false;
}

bool dataReport::storePart(const QString& run, int part, int parts)
{
    if (!openForWriting() || !dropTableIfPresent(QStringLiteral("part"))
        || !execute(QStringLiteral("CREATE TABLE part(run TEXT,part INTEGER,parts INTEGER)")))
        return false;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("INSERT INTO part VALUES(?,?,?)"));
    query.addBindValue(run);
    query.addBindValue(part);
    query.addBindValue(parts);
    return query.exec();
}

bool dataReport::openForReading()
{
    if (m_db.isOpen())
        return true;
    // Reading never creates a file: a wrong name must not leave an empty
    // database behind. A writer's commit holds the file for moments only.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
    m_readOnly = true;
    return m_db.open() || readFailed(NotReport, m_db.lastError().text());
}

QString dataReport::readVersion()
{
    if (!openForReading())
        return QString();
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT * FROM version")) || !query.next())
        return QString();
    return query.value(0).toString();
}

// Ends writing: the open batch is rolled back (a failed COMMIT leaves the
// transaction open, and every later batch would fail inside it) and nothing
// more is accepted.
bool dataReport::failWriting(const QString& what, const QSqlError& error)
{
    if (m_inBatch)
        m_db.rollback();
    m_inBatch = false;
    m_pendingRows = 0;
    m_writeFailed = true;
    m_lastError = what + QLatin1String(": ") + error.text();
    return false;
}

bool dataReport::beginBatch()
{
    if (m_inBatch)
        return true;
    if (!m_db.transaction())
        return failWriting(tr("Could not begin writing"), m_db.lastError());
    m_inBatch = true;
    m_batchAge.start();
    return true;
}

bool dataReport::commitBatch()
{
    if (!m_inBatch)
        return !m_writeFailed;
    for (int attempt = 1;; ++attempt) {
        if (m_db.commit())
            break;
        const QSqlError error = m_db.lastError();
        if (!isBusy(error) || attempt >= m_commitAttempts)
            return failWriting(tr("Could not store the rows"), error);
    }
    m_inBatch = false;
    m_storedRows += m_pendingRows;
    m_pendingRows = 0;
    return true;
}

bool dataReport::commitIfDue()
{
    if (m_inBatch && m_batchAge.elapsed() >= kCommitIntervalMs)
        return commitBatch();
    return !m_writeFailed;
}

bool dataReport::insertResult(const ResultRow& row)
{
    if (!m_db.isOpen() || m_writeFailed)
        return false;
    if (!m_resultInsert) {
        m_resultInsert = std::make_unique<QSqlQuery>(m_db);
        QString statement = QStringLiteral("INSERT INTO results VALUES(?");
        statement += QStringLiteral(",?").repeated(24) + QLatin1Char(')');
        if (!m_resultInsert->prepare(statement)) {
            failWriting(tr("Could not prepare the rows"), m_resultInsert->lastError());
            m_resultInsert.reset();
            return false;
        }
    }
    if (!beginBatch())
        return false;
    QSqlQuery& q = *m_resultInsert;
    const QVariant values[] = {row.txIndex,
                               fileNumber(row.txTesting),
                               row.prxIndex,
                               row.ptxIndex,
                               fileNumber(row.repeaterTesting),
                               row.rxIndex,
                               fileNumber(row.rxTesting),
                               textValue(row.txName),
                               textValue(row.prxName),
                               textValue(row.ptxName),
                               textValue(row.rxName),
                               storedValue(row.td),
                               row.error,
                               textValue(row.txCountry),
                               textValue(row.repeaterCountry),
                               textValue(row.rxCountry),
                               textValue(row.txReference),
                               textValue(row.prxReference),
                               textValue(row.ptxReference),
                               textValue(row.rxReference),
                               storedValue(row.interferenceLevel),
                               storedValue(row.overlappingArea),
                               storedValue(row.nfd),
                               storedValue(row.md),
                               storedValue(row.aTotal)};
    int i = 0;
    for (const QVariant& v : values)
        q.bindValue(i++, v);
    return storeRow(q);
}

bool dataReport::insertTrigger(const QString& name, const QString& reference, const QString& countries, int error)
{
    if (!m_db.isOpen() || m_writeFailed)
        return false;
    if (!m_triggerInsert) {
        m_triggerInsert = std::make_unique<QSqlQuery>(m_db);
        if (!m_triggerInsert->prepare(QStringLiteral("INSERT INTO trigger VALUES(?,?,?,?)"))) {
            failWriting(tr("Could not prepare the rows"), m_triggerInsert->lastError());
            m_triggerInsert.reset();
            return false;
        }
    }
    if (!beginBatch())
        return false;
    QSqlQuery& q = *m_triggerInsert;
    q.bindValue(0, textValue(name));
    q.bindValue(1, textValue(reference));
    q.bindValue(2, textValue(countries));
    q.bindValue(3, error);
    return storeRow(q);
}

bool dataReport::storeRow(QSqlQuery& insert)
{
    if (!insert.exec())
        return failWriting(tr("Could not store a row"), insert.lastError());
    ++m_pendingRows;
    return commitIfDue();
}

bool dataReport::readFailed(ReadProblem problem, const QString& message)
{
    m_readProblem = problem;
    m_lastError = message;
    m_model->clear();
    return false;
}

// Sorts a failed read: a writer holding the file, a damaged file, or a file
// (or table) that is not ours.
static dataReport::ReadProblem problemOf(const QSqlError& error)
{
    if (isBusy(error))
        return dataReport::Busy;
    const QString code = error.nativeErrorCode();
    if (code == QLatin1String("11") || code == QLatin1String("10"))
        return dataReport::Damaged;
    return dataReport::NotReport;
}

bool dataReport::readTable(const char* table, const char* createStatement, const QStringList& labels)
{
    m_readProblem = NoProblem;
    if (!openForReading())
        return false;
    commitBatch();
    m_model->setQuery(QStringLiteral("SELECT * FROM ") + QLatin1String(table), m_db);
    const QSqlError error = m_model->lastError().isValid() ? m_model->lastError() : m_model->query().lastError();
    if (error.isValid())
        return readFailed(problemOf(error), error.text());
    const QSqlRecord columns = m_model->record();
    QStringList names;
    for (int i = 0; i < columns.count(); ++i)
        names.append(columns.fieldName(i));
    if (names != columnsOf(createStatement))
        return readFailed(ForeignTable, tr("the table %1 has other columns").arg(QLatin1String(table)));
    for (int i = 0; i < labels.size(); ++i)
        m_model->setHeaderData(i, Qt::Horizontal, labels.at(i));
    return true;
}

bool dataReport::fetchAll()
{
    while (m_model->canFetchMore())
        m_model->fetchMore();
    const QSqlError error = m_model->query().lastError();
    if (!error.isValid())
        return true;
    // Part of a table is no report: a user could take it for the whole.
    readFailed(problemOf(error) == Busy ? Busy : Damaged, error.text());
    return false;
}

bool dataReport::readResults()
{
    return readTable("results", kResultsTable, resultLabels());
}

bool dataReport::readTrigger()
{
    return readTable("trigger", kTriggerTable, triggerLabels());
}

bool dataReport::close()
{
    if (!m_db.isOpen())
        return !m_writeFailed;
    const bool committed = commitBatch();
    m_resultInsert.reset();
    m_triggerInsert.reset();
    m_model->clear();
    m_db.close();
    return committed;
}
