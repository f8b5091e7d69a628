// Report files: their tables, how values are stored, when rows reach the disk
// and telling report files from other files. The engine and command-line
// tests read back what a run stores.
#include "calc/datareport.h"

#include <QtSql>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

QStringList tablesOf(const QString& file)
{
    QStringList tables;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(file);
        if (db.open())
            tables = db.tables();
        tables.sort();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return tables;
}

int countRows(const QString& file, const QString& table)
{
    int n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
        db.setDatabaseName(file);
        QSqlQuery q(db);
        if (db.open() && q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && q.next())
            n = q.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("count"));
    return n;
}

QString firstRow(const QString& file, const char* sql)
{
    QStringList values;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("first"));
        db.setDatabaseName(file);
        QSqlQuery q(db);
        if (db.open() && q.exec(QLatin1String(sql)) && q.next())
            for (int i = 0; i < q.record().count(); ++i)
                values.append(q.value(i).toString());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("first"));
    return values.join(QLatin1Char(','));
}

ResultRow sampleRow(const QString& name)
{
    ResultRow row;
    row.txIndex = 3;
    row.txTesting = true;
    row.rxIndex = 5;
    row.rxTesting = false;
    row.repeaterTesting = false;
    row.txName = name;
    row.rxName = QStringLiteral("Rx");
    row.td = 12.3456789;
    row.error = 0;
    row.txReference = QStringLiteral("R'1");
    row.interferenceLevel = -123.456789;
    return row;
}

} // namespace

class TestDataReport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void newFileHoldsBlankVersion();
    void storedValues_data();
    void storedValues();
    void schemasReplaceEachOther();
    void reopen_data();
    void reopen();
    void rowsCommittedWhileOpen();
    void twoReportsAtOnce();
    void emptyTextsStoredAsText();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDataReport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestDataReport::newFileHoldsBlankVersion()
{
    dataReport report(path(QStringLiteral("r.lwrpt")));
    QVERIFY(report.createResultsSchema());
    QCOMPARE(report.readVersion(), QStringLiteral(" "));
    QVERIFY(report.storeVersion(QStringLiteral("2.1.0'3")));
    QCOMPARE(report.readVersion(), QStringLiteral("2.1.0'3"));
    QCOMPARE(tablesOf(path(QStringLiteral("r.lwrpt"))), (QStringList{"results", "version"}));
}

void TestDataReport::storedValues_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("stored");
    QTest::newRow("six significant digits") << 12.3456789 << 12.3457;
    QTest::newRow("large") << 123456789.0 << 123457000.0;
    QTest::newRow("small") << -0.000123456789 << -0.000123457;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << -2222.0;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << -2222.0;
}

void TestDataReport::storedValues()
{
    QFETCH(double, value);
    QFETCH(double, stored);
    // The engine tests see these values in every stored column of a run.
    QCOMPARE(dataReport::storedValue(value), stored);
}

void TestDataReport::schemasReplaceEachOther()
{
    const QString file = path(QStringLiteral("s.lwrpt"));
    {
        dataReport report(file);
        QVERIFY(report.createResultsSchema());
        QVERIFY(report.insertResult(sampleRow(QStringLiteral("a"))));
        QVERIFY(report.storeVersion(QStringLiteral("1.0.0.0")));
        QVERIFY(report.createTriggerSchema());
        report.close();
    }
    QCOMPARE(tablesOf(file), (QStringList{"trigger", "version"}));
    {
        dataReport report(file);
        QVERIFY(report.createResultsSchema());
        QCOMPARE(report.readVersion(), QStringLiteral(" "));
        report.close();
    }
    QCOMPARE(tablesOf(file), (QStringList{"results", "version"}));
    QCOMPARE(countRows(file, QStringLiteral("results")), 0);
}

void TestDataReport::reopen_data()
{
    QTest::addColumn<QByteArray>("content"); // SQL run on a new database, or raw bytes
    QTest::addColumn<bool>("sql");
    QTest::addColumn<bool>("results");
    QTest::addColumn<bool>("trigger");
    QTest::newRow("results report") << QByteArray("CREATE TABLE results(a);CREATE TABLE version(ver)") << true
                                    << true << false;
    QTest::newRow("trigger only") << QByteArray("CREATE TABLE trigger(a);CREATE TABLE version(ver)") << true << false
                                  << true;
    QTest::newRow("neither table") << QByteArray("CREATE TABLE masks(a)") << true << false << false;
    QTest::newRow("text file") << QByteArray("TX;13000;M;;\r\n") << false << false << false;
    QTest::newRow("empty file") << QByteArray() << false << false << false;
}

void TestDataReport::reopen()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, sql);
    QFETCH(bool, results);
    QFETCH(bool, trigger);
    const QString file = path(QStringLiteral("x.lwrpt"));
    if (sql) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
            db.setDatabaseName(file);
            QVERIFY(db.open());
            for (const QByteArray& statement : content.split(';'))
                QVERIFY(QSqlQuery(db).exec(QString::fromLatin1(statement)));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("make"));
    } else {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    dataReport reader(file);
    QCOMPARE(reader.readResults(), results);
    if (!results)
        QCOMPARE(reader.readTrigger(), trigger);
}

void TestDataReport::rowsCommittedWhileOpen()
{
    const QString file = path(QStringLiteral("c.lwrpt"));
    dataReport report(file);
    QVERIFY(report.createResultsSchema());
    QVERIFY(report.insertResult(sampleRow(QStringLiteral("a"))));
    // Rows stay in the open transaction for up to a second...
    QCOMPARE(countRows(file, QStringLiteral("results")), 0);
    QTest::qWait(1100);
    // ...and are on disk once it is due, before the run closes the file.
    report.commitIfDue();
    QCOMPARE(countRows(file, QStringLiteral("results")), 1);
    QVERIFY(report.insertResult(sampleRow(QStringLiteral("b"))));
    report.close();
    QCOMPARE(countRows(file, QStringLiteral("results")), 2);
}

void TestDataReport::twoReportsAtOnce()
{
    // A window showing one report while a run writes another: neither
    // connection may disturb the other.
    dataReport shown(path(QStringLiteral("one.lwrpt")));
    QVERIFY(shown.createResultsSchema());
    QVERIFY(shown.insertResult(sampleRow(QStringLiteral("one"))));
    QVERIFY(shown.readResults());
    {
        dataReport other(path(QStringLiteral("two.lwrpt")));
        QVERIFY(other.createTriggerSchema());
        QVERIFY(other.insertTrigger(QStringLiteral("two"), QString(), QString(), 0));
        QVERIFY(other.readTrigger());
        QCOMPARE(other.model()->index(0, 0).data().toString(), QStringLiteral("two"));
    }
    QCOMPARE(shown.model()->index(0, 7).data().toString(), QStringLiteral("one"));
}

void TestDataReport::emptyTextsStoredAsText()
{
    // Other tools look for missing names with "= ''": NULL would not match.
    const QString results = path(QStringLiteral("e.lwrpt"));
    const QString trigger = path(QStringLiteral("t.lwrpt"));
    {
        ResultRow row = sampleRow(QStringLiteral("a"));
        row.rxCountry = QStringLiteral(""); // empty, where the others are null
        dataReport report(results);
        QVERIFY(report.createResultsSchema() && report.insertResult(row));
        dataReport other(trigger);
        QVERIFY(other.createTriggerSchema() && other.insertTrigger(QStringLiteral("a"), QString(), QString(), 0));
    }
    QCOMPARE(firstRow(results, "SELECT typeof(PRxName), typeof(PTxName), typeof(PxCountry), typeof(RxCountry), "
                               "typeof(PRxReference) FROM results"),
             QString("text,text,text,text,text"));
    QCOMPARE(firstRow(trigger, "SELECT typeof(Reference), typeof(Countries) FROM trigger"), QString("text,text"));
}

QTEST_GUILESS_MAIN(TestDataReport)
#include "tst_datareport.moc"
