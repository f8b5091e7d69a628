// Report files: their tables, how values are stored, when rows reach the disk
// and telling report files from other files. The engine and command-line
// tests read back what a run stores.
#include "calc/datareport.h"
#include "calctestsupport.h"

#include <QtSql>
#include <QtTest>

#include <cmath>
#include <limits>
#include <thread>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using calctest::countRows;
using calctest::sql;

namespace {

QStringList tablesOf(const QString& file)
{
    return sql(file, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
}

// Another program using the report for holdMs, or until let go: a reader holds
// a read transaction, and with it the file's shared lock; a writer in the
// middle of its commit holds the exclusive lock, and nobody may read the file
// meanwhile.
void holdLock(const QString& file, bool writer, int holdMs, QSemaphore* locked, QSemaphore* letGo)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        q.exec(writer ? QStringLiteral("BEGIN EXCLUSIVE") : QStringLiteral("BEGIN"));
        q.exec(QStringLiteral("SELECT COUNT(*) FROM results"));
        q.next();
        locked->release();
        letGo->tryAcquire(1, holdMs);
        q.finish();
        q.exec(QStringLiteral("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
}

// A quote in a text must not break the statement that stores it.
ResultRow sampleRow(const QString& name)
{
    ResultRow row;
    row.txName = name;
    row.txReference = QStringLiteral("R'1");
    return row;
}

} // namespace

enum Make { ResultsRun, TriggerRun, Sql, Bytes, DamagedPage, LockedByWriter };

class TestDataReport : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void storedValues_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("stored");
        QTest::newRow("six significant digits") << 12.3456789 << 12.3457;
        QTest::newRow("large") << 123456789.0 << 123457000.0;
        QTest::newRow("small") << -0.000123456789 << -0.000123457;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << -2222.0;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << -2222.0;
    }

    void storedValues()
    {
        QFETCH(double, value);
        // The engine tests see these values in every stored column of a run.
        QTEST(dataReport::storedValue(value), "stored");
    }

    void schemasReplaceEachOther()
    {
        const QString file = path(QStringLiteral("s.lwrpt"));
        {
            dataReport report(file);
            QVERIFY(report.createResultsSchema());
            QVERIFY(report.insertResult(sampleRow(QStringLiteral("a"))));
            QCOMPARE(report.readVersion(), QStringLiteral(" ")); // a new file's version is blank
            QVERIFY(report.storeVersion(QStringLiteral("1.0.0'0")));
            QCOMPARE(report.readVersion(), QStringLiteral("1.0.0'0"));
            QVERIFY(report.createTriggerSchema());
        }
        QCOMPARE(tablesOf(file), (QStringList{"trigger", "version"}));
        {
            dataReport report(file);
            QVERIFY(report.createResultsSchema());
            QCOMPARE(report.readVersion(), QStringLiteral(" "));
        }
        QCOMPARE(tablesOf(file), (QStringList{"results", "version"}));
        QCOMPARE(countRows(file), 0);
    }

    void reopen_data()
    {
        QTest::addColumn<int>("make");
        QTest::addColumn<QByteArray>("content"); // SQL statements or raw bytes
        QTest::addColumn<int>("problem");
        QTest::addColumn<int>("rows");
        QTest::newRow("results report") << int(ResultsRun) << QByteArray() << int(dataReport::NoProblem) << 2000;
        QTest::newRow("trigger only") << int(TriggerRun) << QByteArray() << int(dataReport::NoProblem) << 1;
        QTest::newRow("neither table") << int(Sql) << QByteArray("CREATE TABLE masks(a)") << int(dataReport::NotReport)
                                       << 0;
        QTest::newRow("results of other columns") << int(Sql) << QByteArray("CREATE TABLE results(a);CREATE TABLE version(ver)")
                                                  << int(dataReport::ForeignTable) << 0;
        QTest::newRow("trigger with one column more")
            << int(Sql) << QByteArray("CREATE TABLE trigger(Name,Reference,Countries,Error,Extra)")
            << int(dataReport::ForeignTable) << 0;
        QTest::newRow("text file") << int(Bytes) << QByteArray("TX;13000;M;;\r\n") << int(dataReport::NotReport) << 0;
        QTest::newRow("empty file") << int(Bytes) << QByteArray() << int(dataReport::NotReport) << 0;
        QTest::newRow("one damaged page") << int(DamagedPage) << QByteArray() << int(dataReport::Damaged) << 0;
        QTest::newRow("locked by a writer") << int(LockedByWriter) << QByteArray() << int(dataReport::Busy) << 0;
    }

    void reopen()
    {
        QFETCH(int, make);
        QFETCH(QByteArray, content);
        QFETCH(int, problem);
        const QString file = path("x.lwrpt");
        if (make == Sql) {
            QVERIFY(sql(file, content) != QStringList{QStringLiteral("failed")});
        } else if (make == Bytes) {
            QVERIFY(!calctest::writeLines(file, {content}).isEmpty());
        } else {
            dataReport writer(file);
            if (make == TriggerRun) {
                QVERIFY(writer.createTriggerSchema());
                QVERIFY(writer.insertTrigger(QStringLiteral("t"), QString(), QString(), 0));
            } else {
                QVERIFY(writer.createResultsSchema());
                for (int i = 0; i < 2000; ++i)
                    QVERIFY(writer.insertResult(sampleRow(QStringLiteral("row %1").arg(i))));
            }
            QVERIFY(writer.close());
        }
        if (make == DamagedPage) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.seek(f.size() / 2 / 4096 * 4096));
            f.write(QByteArray(4096, '\xff'));
        }
        QSemaphore locked, letGo;
        std::thread holder;
        if (make == LockedByWriter) {
            holder = std::thread(holdLock, file, true, 60000, &locked, &letGo);
            locked.acquire();
        }
        dataReport reader(file);
        reader.setBusyWait(100, 1);
        bool read = reader.readResults() || (reader.readProblem() == dataReport::NotReport && reader.readTrigger());
        read = read && reader.fetchAll();
        if (holder.joinable()) {
            letGo.release();
            holder.join();
        }
        QCOMPARE(int(reader.readProblem()), problem);
        QCOMPARE(read, problem == dataReport::NoProblem);
        QTEST(reader.model()->rowCount(), "rows");
    }

    void writeFailures_data()
    {
        QTest::addColumn<int>("readerHoldsMs"); // 0: the disk fills instead
        QTest::addColumn<bool>("stored");
        QTest::newRow("disk fills") << 0 << false;
        QTest::newRow("reader holds the file") << 1500 << false;
        QTest::newRow("reader lets go in time") << 150 << true;
    }

    void writeFailures()
    {
        QFETCH(int, readerHoldsMs);
        QFETCH(bool, stored);
    #ifndef Q_OS_UNIX
        if (readerHoldsMs == 0)
            QSKIP("needs a file size limit");
    #endif
        const QString file = path(QStringLiteral("w.lwrpt"));
        dataReport writer(file);
        writer.setBusyWait(100, 3);
        QVERIFY(writer.createResultsSchema());
        for (int i = 0; i < 10; ++i)
            QVERIFY(writer.insertResult(sampleRow(QStringLiteral("early"))));
        QTest::qWait(1100);
        QVERIFY(writer.insertResult(sampleRow(QStringLiteral("due"))));
        QCOMPARE(writer.storedRows(), 11);

        QSemaphore locked, letGo;
        std::thread reader;
        bool closed = false;
        if (readerHoldsMs > 0) {
            reader = std::thread(holdLock, file, false, readerHoldsMs, &locked, &letGo);
            locked.acquire();
            for (int i = 0; i < 100; ++i)
                QVERIFY(writer.insertResult(sampleRow(QStringLiteral("late"))));
            closed = writer.close();
            reader.join();
        } else {
    #ifdef Q_OS_UNIX
            rlimit before{};
            getrlimit(RLIMIT_FSIZE, &before);
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit full = before;
            full.rlim_cur = rlim_t(QFileInfo(file).size() + 32 * 1024);
            setrlimit(RLIMIT_FSIZE, &full);
            int accepted = 0;
            while (accepted < 200000 && writer.insertResult(sampleRow(QStringLiteral("late %1").arg(accepted))))
                ++accepted;
            closed = writer.close();
            setrlimit(RLIMIT_FSIZE, &before);
    #endif
        }
        QVERIFY2(closed == stored, qPrintable(writer.lastError()));
        QCOMPARE(writer.writeFailed(), !stored);
        QCOMPARE(writer.lastError().isEmpty(), stored);
        // Whatever happened, the count is what the file holds, and the rows
        // committed before the fault are there.
        QCOMPARE(writer.storedRows(), qint64(countRows(file)));
        QVERIFY(writer.storedRows() >= 11);
        if (stored)
            QCOMPARE(writer.storedRows(), 111);
        // Nothing more is taken once writing has failed.
        QCOMPARE(writer.insertResult(sampleRow(QStringLiteral("after"))), false);
    }

    void twoReportsAtOnce()
    {
        // A window showing one report while a run writes another: neither
        // connection may disturb the other.
        const QString results = path(QStringLiteral("one.lwrpt"));
        const QString trigger = path(QStringLiteral("two.lwrpt"));
        ResultRow row = sampleRow(QStringLiteral("one"));
        row.rxCountry = QStringLiteral(""); // empty, where the others are null
        dataReport shown(results);
        QVERIFY(shown.createResultsSchema() && shown.insertResult(row) && shown.readResults());
        {
            dataReport other(trigger);
            QVERIFY(other.createTriggerSchema() && other.insertTrigger(QStringLiteral("two"), QString(), QString(), 0));
            QVERIFY(other.readTrigger());
            QCOMPARE(other.model()->index(0, 0).data().toString(), QStringLiteral("two"));
        }
        QCOMPARE(shown.model()->index(0, 7).data().toString(), QStringLiteral("one"));
        QVERIFY(shown.close());
        // Empty texts are stored as text: other tools look for missing names
        // with "= ''", which NULL would not match.
        QCOMPARE(sql(results, "SELECT typeof(PRxName), typeof(PTxName), typeof(PxCountry), typeof(RxCountry), "
                              "typeof(PRxReference) FROM results"),
                 QStringList{"text,text,text,text,text"});
        QCOMPARE(sql(trigger, "SELECT typeof(Reference), typeof(Countries) FROM trigger"), QStringList{"text,text"});
    }

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestDataReport)
#include "tst_datareport.moc"
