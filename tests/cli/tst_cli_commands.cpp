// linkwise-cli run as a script runs it: its own front door (version, usage),
// and what the kml and compare commands write, with their exit statuses.
#include "../editor/editortestfiles.h"
#include "clirun.h"

#include <QtTest>

using namespace EditorTestFiles;

class TestCliCommands : public QObject
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

    void statuses_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // the start of standard output
        QTest::addColumn<QString>("err"); // a part of standard error
        QTest::newRow("version") << QStringList{"--version"} << 0 << QStringLiteral(LINKWISE_VERSION "\n") << QString();
        QTest::newRow("help") << QStringList{"--help"} << 0 << QStringLiteral("Usage: linkwise-cli") << QString();
        const QString usage("Usage: linkwise-cli");
        QTest::newRow("no command") << QStringList() << 2 << QString() << usage;
        QTest::newRow("unknown command") << QStringList{"frobnicate", "x"} << 2 << QString() << usage;
    }

    void statuses()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = cli(args);
        QTEST(run.exitCode, "status");
        QVERIFY2(run.out.startsWith(out) && (!out.isEmpty() || run.out.isEmpty()), qPrintable(run.out));
        QVERIFY2(run.err.contains(err) && (!err.isEmpty() || run.err.isEmpty()), qPrintable(run.err));
        if (args == QStringList{"--version"})
            QCOMPARE(run.out, out);
    }

    void kml_data()
    {
        QTest::addColumn<QStringList>("args"); // %d the temporary folder, %s the samples
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<int>("points");
        const QString out = QStringLiteral("%d/s.kml");
        QTest::newRow("border links") << QStringList{"%s/border-links.txt", "--records", "0-11", "-o", out} << 0
                                      << QByteArray() << 12;
        QTest::newRow("with tower") << QStringList{"%s/border-links.txt", "--records", "5-6,0", "--tower", "-o", out}
                                    << 0 << QByteArray() << 3;
        QTest::newRow("bad longitude") << QStringList{"%d/bad.hcm", "--records", "0-1", "-o", out} << 1
                                       << QByteArray("Error found in longitude\n of station BAD\n") << 0;
        QTest::newRow("bad latitude") << QStringList{"%d/bad.hcm", "--records", "2,0", "-o", out} << 1
                                      << QByteArray("Error found in latitude\nof station LAT\n") << 0;
        QTest::newRow("unwritable") << QStringList{"%s/border-links.txt", "--records", "0", "-o", "%d/bad.hcm/s.kml"}
                                    << 1 << QByteArray("Could not write the KML file:\n%d/bad.hcm/s.kml\n") << 0;
        QTest::newRow("record beyond the file") << QStringList{"%d/bad.hcm", "--records", "0-3", "-o", out} << 2
                                                << QByteArray("linkwise-cli kml: the file has no record 3\n") << 0;
    }

    void kml()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, err);
        QFETCH(int, points);
        QTemporaryDir dir;
        QVERIFY(writeText(dir.filePath("bad.hcm"), recordLine("GOOD", 0) + '\r' +
                                                       recordLine("BAD", 1).replace("016E", "016X") + '\r' +
                                                       recordLine("LAT", 2).replace("48N", "91N") + '\r'));
        args.replaceInStrings("%d", dir.path()).replaceInStrings("%s", LINKWISE_SOURCEDIR "/samples");
        const Run run = cli(QStringList{"kml"} + args);
        QTEST(run.exitCode, "status");
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.toUtf8().startsWith(err.replace("%d", dir.path().toUtf8())));
        const QByteArray kml = readText(dir.filePath("s.kml"));
        QCOMPARE(int(kml.count("<Point>")), points);
        QCOMPARE(int(kml.count("<Model>")), args.contains("--tower") ? points : 0);
    }

    void compare_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QList<QByteArray>>("written"); // names in OUT; none: OUT must not exist
        const QByteArray counts = "Records total: 2\nMatched records: 1\nRecords did not match: 1\n";
        QTest::newRow("counts") << QStringList{"main.hcm", "aux.hcm"} << 0 << counts << QList<QByteArray>{};
        QTest::newRow("differences") << QStringList{"main.hcm", "aux.hcm", "--differences"} << 0
                                     << counts + "TX;B;ABCDEFGHIJ0000000001\n  Name of station;B;B2\n"
                                     << QList<QByteArray>{};
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

    void compare()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QList<QByteArray>, written);
        const QString target = m_dir.filePath("out.hcm");
        QFile::remove(target);
        Cli c;
        c.workDir = m_dir.path();
        const Run run = c(QStringList{"compare"} + args);
        QCOMPARE(run.exitCode, status);
        QTEST(run.out.toUtf8(), "out");
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

QTEST_GUILESS_MAIN(TestCliCommands)
#include "tst_cli_commands.moc"
