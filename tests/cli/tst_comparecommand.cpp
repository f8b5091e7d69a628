// linkwise-cli compare, run as a separate process the way scripts use it.
#include "../editor/editortestfiles.h"
#include "clirun.h"

#include <QtTest>

using namespace EditorTestFiles;

class TestCompareCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Main: A, B, C with references 0, 1, 2. Auxiliary: B renamed, and X of its own.
        QVERIFY(writeText(m_dir.filePath("main.hcm"), fileText({"A", "B", "C"})));
        QVERIFY(writeText(m_dir.filePath("aux.hcm"), recordLine("B2", 1) + '\r' + recordLine("X", 7) + '\r'));
    }

    void outputAndStatus_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QList<QByteArray>>("written"); // names in OUT; none: OUT must not exist
        const QByteArray counts = "Records total: 2\nMatched records: 1\nRecords did not match: 1\n";
        QTest::newRow("counts") << QStringList{"main.hcm", "aux.hcm"} << 0 << counts << QList<QByteArray>{};
        QTest::newRow("differences") << QStringList{"main.hcm", "aux.hcm", "--differences"} << 0
                                     << counts + "TX;B;ABCDEFGHIJ0000000001\n  Name of station;B;B2\n" << QList<QByteArray>{};
        QTest::newRow("delete") << QStringList{"main.hcm", "aux.hcm", "--action", "delete", "-o", "out.hcm"} << 0
                                << counts << QList<QByteArray>{"A", "C"};
        QTest::newRow("append") << QStringList{"main.hcm", "aux.hcm", "--action", "append", "-o", "out.hcm"} << 0
                                << counts << QList<QByteArray>{"A", "B", "C", "X"};
        QTest::newRow("replace") << QStringList{"main.hcm", "aux.hcm", "--action", "replace", "-o", "out.hcm"} << 0
                                 << counts << QList<QByteArray>{"A", "B2", "C"};
        QTest::newRow("unreadable auxiliary") << QStringList{"main.hcm", "none.hcm"} << 2 << QByteArray() << QList<QByteArray>{};
        QTest::newRow("action without -o") << QStringList{"main.hcm", "aux.hcm", "--action", "delete"} << 2
                                           << QByteArray() << QList<QByteArray>{};
        QTest::newRow("unwritable OUT") << QStringList{"main.hcm", "aux.hcm", "--action", "delete", "-o", "no/dir/out.hcm"}
                                        << 2 << counts << QList<QByteArray>{};
    }

    void outputAndStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QList<QByteArray>, written);
        const QString target = m_dir.filePath("out.hcm");
        QFile::remove(target);
        Cli c;
        c.workDir = m_dir.path();
        const Run run = c(QStringList{"compare"} + args);
        QCOMPARE(run.exitCode, status);
        QCOMPARE(run.out.toUtf8(), out);
        QCOMPARE(run.err.isEmpty(), status == 0);
        QCOMPARE(QFile::exists(target), !written.isEmpty());
        if (!written.isEmpty()) {
            QCOMPARE(writtenNames(target), written);
            QVERIFY(readText(target).startsWith(headerLine(int(written.size())) + '\r'));
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCompareCommand)
#include "tst_comparecommand.moc"
