// The calculation engine against a fake library that logs every call: which
// cases are calculated in which order, which rows reach the report file, and
// how runs start, fail, cancel and end.
#include "calc/calc.h"
#include "calc/stationline.h"
#include "calctestsupport.h"
#include "../editor/editortestfiles.h"

#include <QtSql>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>

using calctest::countRows;
using calctest::station;
using calctest::writeLines;
using EditorTestFiles::readText;

enum Failure { NoLibrary, NoAnnexList, NoAnnexTrigger, NoTesting, NoReference, ListReport, SingleReport, TriggerReport };

class TestCalcEngine : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_log = m_dir->filePath(QStringLiteral("calls.log"));
        m_report = m_dir->filePath(QStringLiteral("report.lwrpt"));
        qputenv("FAKEHCMFS_LOG", QFile::encodeName(m_log));
        m_calc = std::make_unique<CALC>(QStringLiteral("/terrain/path"), QStringLiteral(FAKEHCMFS_PATH));
        QCOMPARE(m_calc->errorCode(), 0);
    }

    void cleanup()
    {
        m_calc.reset();
        m_dir.reset();
    }

    void transmitterAndReceiverPasses()
    {
        const QByteArrayList testing{station("TX", "a"), station("rx", "b")};
        const QByteArrayList reference{station("RX", "c"), station("Tx", "d"), station("PRX", "p"), station("PTx", "q"),
                                       station("RX", "e")};
        QVERIFY(runList(testing, reference));
        QCOMPARE(calls(), (QStringList{"a>c", "a>p>q>c", "a>p>q>e", "a>e", "d>b", "d>p>q>b"}));

        // The library gets each station's line unchanged, no detail file, and the terrain path.
        QCOMPARE(logLines().first().mid(2), (QStringList{testing.at(0), reference.at(0), "", "", "", "/terrain/path"}));

        const QStringList stored = rows("TxIndex,TxFileNo,PRxIndex,PTxIndex,PxFileNo,RxIndex,RxFileNo,TxName,PRxName,"
                                        "PTxName,RxName,PxCountry,PRxReference,RxReference");
        QCOMPARE(stored.size(), 6);
        QVERIFY2(stored.at(0).startsWith("0,1,-1,-1,1,0,2,a,,,c,"), qPrintable(stored.at(0)));
        QCOMPARE(stored.at(1), QStringLiteral("0,1,2,3,2,0,2,a,p,q,c,AUT,p-REF,c-REF"));
        QVERIFY2(stored.at(5).startsWith("1,2,2,3,2,1,1,d,p,q,b,"), qPrintable(stored.at(5)));

        QCOMPARE(rows("ver", "version"), QStringList{"9.8.7.6"});
    }

    void repeaterCase_data()
    {
        QTest::addColumn<QByteArrayList>("testing");
        QTest::addColumn<QByteArrayList>("reference");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("testing shorter than reference")
            << QByteArrayList{station("PRX", "p"), station("PTX", "q"), station("TX", "a"), station("RX", "b")}
            << QByteArrayList{station("TX", "c"), station("RX", "d"), station("TX", "e")}
            << QStringList{"c>p>q>d", "c>p>q>b", "e>p>q>d", "e>p>q>b", "a>p>q>d", "a>d", "c>b", "e>b"};
        // A testing transmitter beyond the length of the reference file still
        // meets every reference receiver through the repeater.
        QTest::newRow("testing longer than reference")
            << QByteArrayList{station("PRX", "p"), station("PTX", "q"), station("RX", "b"), station("TX", "a")}
            << QByteArrayList{station("TX", "c"), station("RX", "d")}
            << QStringList{"c>p>q>d", "c>p>q>b", "a>p>q>d", "a>d", "c>b"};
    }

    void repeaterCase()
    {
        QFETCH(QByteArrayList, testing);
        QFETCH(QByteArrayList, reference);
        QVERIFY(runList(testing, reference));
        QTEST(calls(), "expected");
        QCOMPARE(countRows(m_report), int(calls().size()));
    }

    void brokenRepeaterRows()
    {
        // p is followed by a receiver, q follows a receiver, z ends the file, and
        // the reference file ends with a PRX of its own.
        const QByteArrayList testing{station("TX", "a"), station("PRX", "p"), station("RX", "b"), station("PTX", "q"),
                                     station("PRX", "z")};
        const QByteArrayList reference{station("RX", "c"), station("PRX", "y")};
        QVERIFY(runList(testing, reference, 100.0));
        QCOMPARE(calls(), QStringList{"a>c"});
        QCOMPARE(rows("TxName,TxIndex,PRxName,PRxIndex,PTxName,PTxIndex,RxName,RxIndex,PxFileNo,PxCountry,Td,Error,Nfd"),
                 (QStringList{"Error!,-1,p,1,PTX is missing!,-1,,-1,1,AUT,0,0,0",
                              "Error!,-1,PRx is missing!,-1,q,3,,-1,1,AUT,0,0,0",
                              "Error!,-1,z,4,PTX is missing!,-1,,-1,1,AUT,0,0,0",
                              "a,0,y,1,PTX is missing!,-1,,-1,2,AUT,0,0,0",
                              "Error!,-1,y,1,PTX is missing!,-1,b,2,2,AUT,0,0,0"}));
    }

    void limits_data()
    {
        QTest::addColumn<bool>("repeater"); // the limit between PTx and Rx, else between Tx and Rx
        QTest::addColumn<QByteArray>("txFrequency"); // MHz; of the PTx in a repeater row
        QTest::addColumn<QByteArray>("txCoordinates");
        QTest::addColumn<QByteArray>("rxFrequency");
        QTest::addColumn<QByteArray>("rxCoordinates");
        QTest::addColumn<double>("distanceLimit");
        QTest::addColumn<bool>("called");

        const QByteArray here = calctest::kHere;
        const QByteArray f = "13000";
        const QByteArray north = "015E000047N1000"; // 10 minutes north, about 18.5 km
        const QByteArray far = "015W000047S0000";
        // The limit exactly at the distance between here and north, and the next double above it.
        const double exact = stationDistance(parseStationLine(station("TX", "t"), 0, true),
                                             parseStationLine(station("RX", "r", "", north), 0, false));
        const double above = std::nextafter(exact, 1e9);
        // The frequency limit is 300 MHz throughout.
        QTest::newRow("frequency difference equal to the limit") << false << f << here << QByteArray("13300") << here << 1000.0 << false;
        QTest::newRow("frequency difference below the limit") << false << f << here << QByteArray("13299.99") << here << 1000.0 << true;
        QTest::newRow("distance equal to the limit") << false << f << here << f << north << exact << false;
        QTest::newRow("distance just below the limit") << false << f << here << f << north << above << true;
        // Stations without a position or without both frequencies are calculated.
        QTest::newRow("transmitter without co-ordinates") << false << f << QByteArray() << f << far << 1.0 << true;
        QTest::newRow("receiver with broken latitude") << false << f << far << f << QByteArray("015E000047Nx000") << 1.0 << true;
        QTest::newRow("both frequencies missing") << false << QByteArray("") << here << QByteArray("abc") << far << 1.0 << true;
        QTest::newRow("one frequency missing") << false << QByteArray("") << here << f << here << 1000.0 << false;
        QTest::newRow("PTx-Rx distance equal to the limit") << true << f << north << f << here << exact << false;
        QTest::newRow("PTx-Rx distance just below the limit") << true << f << north << f << here << above << true;
        QTest::newRow("PTx without co-ordinates") << true << f << QByteArray("junk") << f << here << 0.5 << true;
        QTest::newRow("PTx without frequency") << true << QByteArray() << north << f << here << 0.5 << true;
    }

    void limits()
    {
        QFETCH(bool, repeater);
        QFETCH(QByteArray, txFrequency);
        QFETCH(QByteArray, txCoordinates);
        QFETCH(QByteArray, rxFrequency);
        QFETCH(QByteArray, rxCoordinates);
        QFETCH(double, distanceLimit);
        QFETCH(bool, called);

        const QByteArray tx = station(repeater ? "PTX" : "TX", repeater ? "q" : "t", QByteArray(), txCoordinates, txFrequency);
        const QByteArray rx = station("RX", "r", QByteArray(), rxCoordinates, rxFrequency);
        if (repeater)
            QVERIFY(runList({station("TX", "a")}, {station("PRX", "p"), tx, rx}, 1.0, 1000.0, distanceLimit));
        else
            QVERIFY(runList({tx}, {rx}, 1.0, distanceLimit));
        QStringList expected = repeater ? QStringList{"a>r"} : QStringList();
        if (called)
            expected.prepend(repeater ? "a>p>q>r" : "t>r");
        QCOMPARE(calls(), expected);
    }

    void singleEntry_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("two stations") << QByteArrayList{"", station("TX", "a", "td=-50"), "", station("RX", "b"), "", ""}
                                      << QStringList{"a>b"} << QStringList{"1,-1,-1,3,a,,,b,-50"};
        QTest::newRow("through a repeater")
            << QByteArrayList{station("TX", "a"), station("PRX", "p"), station("PTX", "q"), station("RX", "b", "err=7")}
            << QStringList{"a>p>q>b"} << QStringList{"0,1,2,3,a,p,q,b,10"};
    }

    void singleEntry()
    {
        QFETCH(QByteArrayList, lines);
        QVERIFY(m_calc->startSingleCalculation(writeFile("single.txt", lines), m_report));
        QCOMPARE(waitFor(*m_calc), 1);
        QCOMPARE(m_calc->errorCode(), 0);
        QTEST(calls(), "calls");
        // The single case is stored whatever its TD.
        QTEST(rows("TxIndex,PRxIndex,PTxIndex,RxIndex,TxName,PRxName,PTxName,RxName,Td"), "row");
    }

    void trigger()
    {
        const QByteArrayList lines{"HEADER;line", station("TX", "a"), "", station("RX", "O'Brien", "err=5 cty=AUT_X"),
                                   station("TX", "c", "cty=D,F,I"), ""};
        QSignalSpy progress(m_calc.get(), &CALC::calcProgressChanged);
        QVERIFY(m_calc->startTriggerCalculation(writeFile("trigger.txt", lines), m_report));
        QCOMPARE(waitFor(*m_calc), 3);
        QCOMPARE(calls(), (QStringList{"a", "O'Brien", "c"}));
        QCOMPARE(logLines().first().value(3), QStringLiteral("/terrain/path"));
        QCOMPARE(rows("*", "trigger"), (QStringList{"a,a-REF,HNG,SVN,0", "O'Brien,O'Brien-REF,AUT,5", "c,c-REF,D,F,I,0"}));
        QVERIFY(countRows(m_report) <= 0);
        QCOMPARE(progress.last(), (QVariantList{100, 100}));

        // A first line that is a station takes part.
        QFile::remove(m_log);
        QVERIFY(m_calc->startTriggerCalculation(writeFile("trigger2.txt",
                                                          {station("rx", "first"), station("TX", "b")}),
                                                m_report));
        QCOMPARE(waitFor(*m_calc), 3);
        QCOMPARE(calls(), (QStringList{"first", "b"}));
    }

    void detailedRuns()
    {
        QVERIFY(runList({station("TX", "a"), station("RX", "b")}, {station("RX", "c"), station("TX", "d"),
                                                                    station("PRX", "p"), station("PTX", "q")}));
        const QString detail = m_dir->filePath("detail.txt");

        QVERIFY(detailRun("t0 - - r0", detail));
        QCOMPARE(m_calc->errorCode(), 0);
        QCOMPARE(calls(), QStringList{"a>c"});
        QCOMPARE(logLines().first().value(6), detail);
        QCOMPARE(readText(detail), QByteArray("Detailed calculation\nTX a\nRX c\n"));

        // Each detailed run calculates its own picks, not those of the first one.
        QVERIFY(detailRun("r1 r2 r3 t1", detail));
        QCOMPARE(calls(), QStringList{"d>p>q>b"});
        QCOMPARE(readText(detail), QByteArray("Detailed calculation\nTX d\nPRX p\nPTX q\nRX b\n"));

        // A pick past the end of its list is reported and left out.
        QVERIFY(detailRun("t0 - - r4", detail));
        QCOMPARE(m_calc->errorCode(), 3);
        QCOMPARE(m_calc->errorText(), QStringLiteral("Could not find the requested link!"));
        QCOMPARE(calls(), QStringList{"a"});
    }

    void stopKeepsRows_data()
    {
        QTest::addColumn<bool>("destroy"); // else cancel
        QTest::newRow("cancelled") << false;
        // The engine waits for its run to stop before it unloads the library.
        QTest::newRow("engine destroyed") << true;
    }

    void stopKeepsRows()
    {
        QFETCH(bool, destroy);
        QVERIFY(startSlowRun());
        QVERIFY(m_calc->isRunning());
        // One run at a time: a second start while the first goes on is refused.
        QVERIFY(!m_calc->startSingleCalculation(m_dir->filePath("testing.txt"), m_report));
        QTRY_VERIFY_WITH_TIMEOUT(calls().size() >= 3, 10000);
        if (destroy)
            m_calc.reset();
        else
            m_calc->cancelCalculations();
        QVERIFY(destroy || waitFor(*m_calc) >= 0);
        const int made = int(calls().size());
        QVERIFY2(made < 40, qPrintable(QString::number(made)));
        QCOMPARE(countRows(m_report), made);
        if (destroy)
            return;
        QCOMPARE(m_calc->lastStatistics().rowsWritten, qint64(made));

        // A cancelled run does not stop a detailed run asked for afterwards.
        QVERIFY(detailRun("t0 - - r0", m_dir->filePath("d.txt")));
        QCOMPARE(calls(), QStringList{"t0>r"});
    }

    void runFailures_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("message"); // the start of the error text
        QTest::addColumn<QStringList>("calls");
        const QString noLibrary = QStringLiteral("Could not load HCM library (DLL)!");
        const QString noReport = QStringLiteral("Could not create report file! ");
        QTest::newRow("library missing") << int(NoLibrary) << 4 << noLibrary << QStringList();
        // The list calculation needs only HCMFS_V2; the trigger calculation
        // cannot run without HCMFS_ANNEX11_1.
        QTest::newRow("list without annex entry") << int(NoAnnexList) << 0 << QString() << QStringList{"a>b"};
        QTest::newRow("trigger without annex entry") << int(NoAnnexTrigger) << 4 << noLibrary << QStringList();
        // An unreadable input still gives a run, on what could be read.
        QTest::newRow("testing unreadable") << int(NoTesting) << 1 << "Could not read HCM testing data file!" << QStringList();
        QTest::newRow("reference unreadable") << int(NoReference) << 2 << "Could not read HCM reference data file!"
                                              << QStringList();
        QTest::newRow("list report not created") << int(ListReport) << 6 << noReport << QStringList();
        QTest::newRow("single report not created") << int(SingleReport) << 6 << noReport << QStringList();
        QTest::newRow("trigger report not created") << int(TriggerReport) << 6 << noReport << QStringList();
    }

    void runFailures()
    {
        QFETCH(int, failure);
        QFETCH(QString, message);
        const QString present = writeFile("in.txt", {station("TX", "a"), station("RX", "b")});
        const QString reference = writeFile("ref.txt", {station("RX", "b")});
        const QString missing = m_dir->filePath("missing.txt");
        const QString report = failure >= ListReport ? m_dir->filePath("no/such/folder/report.lwrpt") : m_report;
        const QString library = failure == NoLibrary ? m_dir->filePath("no-such-library.so")
                                : failure <= NoAnnexTrigger ? QStringLiteral(FAKEHCMFS_NOANNEX_PATH)
                                                            : QStringLiteral(FAKEHCMFS_PATH);
        CALC calc(QString(), library);
        QCOMPARE(calc.errorCode(), failure <= NoAnnexTrigger ? 4 : 0);
        if (failure == NoLibrary)
            QCOMPARE(calc.libraryVersion(), QString());
        if (failure == SingleReport)
            QVERIFY(calc.startSingleCalculation(present, report));
        else if (failure == NoAnnexTrigger || failure == TriggerReport)
            QVERIFY(calc.startTriggerCalculation(present, report));
        else
            QVERIFY(calc.startListCalculation(failure == NoTesting ? missing : present,
                                              failure == NoReference ? missing : reference, report, 1.0, 300.0, 1000.0, 2.0));
        QVERIFY(waitFor(calc) >= 0);
        QTEST(calc.errorCode(), "error");
        QVERIFY2(calc.errorText().startsWith(message), qPrintable(calc.errorText()));
        QTEST(calls(), "calls");
        if (failure == NoTesting || failure == NoReference) {
            QVERIFY(QFile::exists(m_report));
            QVERIFY(countRows(m_report) <= 0);
        }
    }

    void progressSteps()
    {
        QByteArrayList testing;
        QByteArrayList reference;
        for (int i = 0; i < 30; ++i) {
            testing.append(station(i % 2 ? "RX" : "TX", "t" + QByteArray::number(i)));
            reference.append(station(i % 3 ? "RX" : "TX", "r" + QByteArray::number(i)));
        }
        reference << station("PRX", "p") << station("PTX", "q");
        QSignalSpy progress(m_calc.get(), &CALC::calcProgressChanged);
        QVERIFY(runList(testing, reference));
        QVERIFY(progress.size() > 10);
        QCOMPARE(progress.last(), (QVariantList{100, 100}));
        // Rising before the closing 100 %, each of 100 (1000 marks another
        // total); the walk's own count reaches 98 % before that closing step.
        QList<int> values;
        QByteArray text;
        for (const QVariantList& step : progress) {
            values << (step.at(1).toInt() == 100 ? step.at(0).toInt() : 1000);
            text += QByteArray::number(values.last()) + ' ';
        }
        QVERIFY2(values.at(values.size() - 2) >= 98, text);
        QVERIFY2(std::adjacent_find(values.begin(), values.end() - 1, std::greater_equal<int>()) == values.end() - 1, text);
    }

private:
    QString writeFile(const QString& name, const QByteArrayList& lines)
    {
        return writeLines(m_dir->filePath(name), lines);
    }
    bool startSlowRun()
    {
        QByteArrayList testing;
        for (int i = 0; i < 40; ++i)
            testing.append(station("TX", "t" + QByteArray::number(i), "sleep=25"));
        return startList(testing, {station("RX", "r")});
    }
    // Limits: frequency 300 MHz, distance 1000 km, repeater distance 2 km unless given.
    bool startList(const QByteArrayList& testing, const QByteArrayList& reference, double threshold = 1.0,
                   double distance = 1000.0, double repeaterDistance = 2.0)
    {
        QFile::remove(m_log);
        return m_calc->startListCalculation(writeFile("testing.txt", testing), writeFile("reference.txt", reference),
                                            m_report, threshold, 300.0, distance, repeaterDistance);
    }
    bool runList(const QByteArrayList& testing, const QByteArrayList& reference, double threshold = 1.0,
                 double distance = 1000.0, double repeaterDistance = 2.0)
    {
        return startList(testing, reference, threshold, distance, repeaterDistance) && waitFor(*m_calc) == 0;
    }
    // The mode the run ended in; -1 when it did not end in time.
    static int waitFor(CALC& calc)
    {
        QSignalSpy spy(&calc, &CALC::finished);
        return spy.wait(20000) ? spy.first().first().toInt() : -1;
    }
    // A detailed run of tx, prx, ptx, rx picked as t<N> (testing), r<N>
    // (reference) or - (none).
    bool detailRun(const QString& picks, const QString& file)
    {
        QFile::remove(m_log);
        std::array<LinePick, 4> p;
        for (int i = 0; i < 4; ++i) {
            const QString pick = picks.section(QLatin1Char(' '), i, i);
            p[size_t(i)] = LinePick{!pick.startsWith(QLatin1Char('r')), pick == QLatin1String("-") ? -1 : pick.mid(1).toInt()};
        }
        QSignalSpy spy(m_calc.get(), &CALC::finishedDC);
        return m_calc->startDetailedCalculation(p, file) && spy.wait(20000);
    }
    QList<QStringList> logLines() const
    {
        QList<QStringList> out;
        for (const QByteArray& line : readText(m_log).split('\n')) {
            if (!line.isEmpty())
                out.append(QString::fromLatin1(line).split(QLatin1Char('\t')));
        }
        return out;
    }
    // The station names of each call, as "tx>prx>ptx>rx" or "tx>rx".
    QStringList calls() const
    {
        QStringList out;
        for (const QStringList& call : logLines())
            out.append(call.value(1));
        return out;
    }
    QStringList rows(const QByteArray& columns, const QByteArray& table = "results") const
    {
        return calctest::sql(m_report, "SELECT " + columns + " FROM " + table);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CALC> m_calc;
    QString m_log;
    QString m_report;
};

QTEST_GUILESS_MAIN(TestCalcEngine)
#include "tst_calcengine.moc"
