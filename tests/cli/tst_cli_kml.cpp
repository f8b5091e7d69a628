// linkwise-cli kml as a script would run it: what it writes and its exit statuses.
#include "../editor/editortestfiles.h"
#include "clirun.h"

#include <QtTest>

class TestCliKml : public QObject
{
    Q_OBJECT
private slots:
    void exitStatuses_data()
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

    void exitStatuses()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, err);
        QFETCH(int, points);
        using namespace EditorTestFiles;
        QTemporaryDir dir;
        QVERIFY(writeText(dir.filePath("bad.hcm"), recordLine("GOOD", 0) + '\r' + recordLine("BAD", 1).replace("016E", "016X")
                                                       + '\r' + recordLine("LAT", 2).replace("48N", "91N") + '\r'));
        args.replaceInStrings("%d", dir.path()).replaceInStrings("%s", LINKWISE_SOURCEDIR "/samples");
        const Run run = cli(QStringList{"kml"} + args);
        QCOMPARE(run.exitCode, status);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.toUtf8().startsWith(err.replace("%d", dir.path().toUtf8())));
        const QByteArray kml = readText(dir.filePath("s.kml"));
        QCOMPARE(int(kml.count("<Point>")), points);
        QCOMPARE(int(kml.count("<Model>")), args.contains("--tower") ? points : 0);
    }
};

QTEST_GUILESS_MAIN(TestCliKml)
#include "tst_cli_kml.moc"
