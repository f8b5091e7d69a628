#include "datareport.h"

#include <QAtomicInt>
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
    m_db.setConnectOptions(QString());
    m_readOnly = false;
    return m_db.open();
}

bool dataReport::execute(const QString& statement)
{
    QSqlQuery query(m_db);
    return query.exec(statement);
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
    if (!openForWriting())
        return false;
    return execute(QStringLiteral("UPDATE version SET ver=") + quoted(version));
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
    // database behind.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    m_readOnly = true;
    return m_db.open();
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

void dataReport::beginBatch()
{
    if (m_inBatch)
        return;
    m_inBatch = m_db.transaction();
    m_batchAge.start();
}

void dataReport::commitBatch()
{
    if (!m_inBatch)
        return;
    m_db.commit();
    m_inBatch = false;
}

void dataReport::commitIfDue()
{
    if (m_inBatch && m_batchAge.elapsed() >= kCommitIntervalMs)
        commitBatch();
}

bool dataReport::insertResult(const ResultRow& row)
{
    if (!m_db.isOpen())
        return false;
    if (!m_resultInsert) {
        m_resultInsert = std::make_unique<QSqlQuery>(m_db);
        QString statement = QStringLiteral("INSERT INTO results VALUES(?");
        statement += QStringLiteral(",?").repeated(24) + QLatin1Char(')');
        if (!m_resultInsert->prepare(statement)) {
            m_resultInsert.reset();
            return false;
        }
    }
    beginBatch();
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
    const bool ok = q.exec();
    commitIfDue();
    return ok;
}

bool dataReport::insertTrigger(const QString& name, const QString& reference, const QString& countries, int error)
{
    if (!m_db.isOpen())
        return false;
    if (!m_triggerInsert) {
        m_triggerInsert = std::make_unique<QSqlQuery>(m_db);
        if (!m_triggerInsert->prepare(QStringLiteral("INSERT INTO trigger VALUES(?,?,?,?)"))) {
            m_triggerInsert.reset();
            return false;
        }
    }
    beginBatch();
    QSqlQuery& q = *m_triggerInsert;
    q.bindValue(0, textValue(name));
    q.bindValue(1, textValue(reference));
    q.bindValue(2, textValue(countries));
    q.bindValue(3, error);
    const bool ok = q.exec();
    commitIfDue();
    return ok;
}

bool dataReport::readTable(const QString& statement, const QStringList& labels)
{
    if (!openForReading())
        return false;
    commitBatch();
    m_model->setQuery(statement, m_db);
    if (m_model->lastError().isValid()) {
        m_model->clear();
        return false;
    }
    for (int i = 0; i < labels.size(); ++i)
        m_model->setHeaderData(i, Qt::Horizontal, labels.at(i));
    return true;
}

bool dataReport::readResults()
{
    return readTable(QStringLiteral("SELECT * FROM results"), resultLabels());
}

bool dataReport::readTrigger()
{
    return readTable(QStringLiteral("SELECT * FROM trigger"), triggerLabels());
}

void dataReport::close()
{
    if (!m_db.isOpen())
        return;
    commitBatch();
    m_resultInsert.reset();
    m_triggerInsert.reset();
    m_model->clear();
    m_db.close();
}
