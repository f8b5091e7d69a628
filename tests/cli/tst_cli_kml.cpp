// linkwise-cli kml as a script would run it: what it writes and its exit statuses.
#include "../editor/editortestfiles.h"

#include <QtTest>

class TestCliKml : public QObject
{
    Q_OBJECT
private slots:
    void exitStatuses_data();
    void exitStatuses();
};

void TestCliKml::exitStatuses_data()
{
    QTest::addColumn<QStringList>("args"); // %d the temporary folder, %s the samples
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("models");
    const QString out = QStringLiteral("%d/s.kml");
    QTest::newRow("border links") << QStringList{"%s/border-links.txt", "--records", "0-11", "-o", out} << 0
                                  << QByteArray() << 12 << 0;
    QTest::newRow("with tower") << QStringList{"%s/border-links.txt", "--records", "5-6,0", "--tower", "-o", out}
                                << 0 << QByteArray() << 3 << 3;
    QTest::newRow("bad longitude") << QStringList{"%d/bad.hcm", "--records", "0-1", "-o", out} << 1
                                   << QByteArray("Error found in longitude\n of station BAD\n") << -1 << -1;
    QTest::newRow("unwritable") << QStringList{"%s/border-links.txt", "--records", "0", "-o", "%d/bad.hcm/s.kml"}
                                << 1 << QByteArray("Could not write the KML file:\n") << -1 << -1;
    QTest::newRow("record beyond the file") << QStringList{"%d/bad.hcm", "--records", "0-2", "-o", out} << 2
                                            << QByteArray("linkwise-cli kml: the file has no record 2\n") << -1 << -1;
    QTest::newRow("reversed range") << QStringList{"%d/bad.hcm", "--records", "1-0", "-o", out} << 2
                                    << QByteArray("linkwise-cli kml: '1-0' is no range") << -1 << -1;
    QTest::newRow("no records") << QStringList{"%d/bad.hcm", "-o", out} << 2
                                << QByteArray("linkwise-cli kml: no --records given") << -1 << -1;
    QTest::newRow("missing file") << QStringList{"%d/none.hcm", "--records", "0", "-o", out} << 2
                                  << QByteArray("linkwise-cli kml: cannot read") << -1 << -1;
}

void TestCliKml::exitStatuses()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QByteArray, err);
    QFETCH(int, points);
    QFETCH(int, models);
    QTemporaryDir dir;
    QVERIFY(EditorTestFiles::writeText(dir.filePath("bad.hcm"),
                                       EditorTestFiles::recordLine("GOOD", 0) + '\r'
                                           + EditorTestFiles::recordLine("BAD", 1).replace("016E", "016X") + '\r'));
    args.replaceInStrings("%d", dir.path()).replaceInStrings("%s", LINKWISE_SOURCEDIR "/samples");
    QProcess cli;
    cli.start(LINKWISE_BINDIR "/linkwise-cli", QStringList{"kml"} + args);
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), status);
    QVERIFY(cli.readAllStandardOutput().isEmpty());
    QVERIFY(cli.readAllStandardError().startsWith(err));
    const QByteArray kml = EditorTestFiles::readText(dir.filePath("s.kml"));
    QCOMPARE(int(kml.count("<Point>")), qMax(points, 0));
    QCOMPARE(int(kml.count("<Model>")), qMax(models, 0));
}

QTEST_GUILESS_MAIN(TestCliKml)
#include "tst_cli_kml.moc"
