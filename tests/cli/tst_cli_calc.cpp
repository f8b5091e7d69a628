// linkwise-cli calc and report, run as a user runs them, against the fake
// HCM library of the engine tests.
#include "../calc/calctestsupport.h"
#include "../editor/editortestfiles.h"
#include "clirun.h"

#include <QtSql>
#include <QtTest>

using calctest::countRows;
using calctest::station;
using calctest::writeLines;
using EditorTestFiles::readText;

static const QString kFake = QStringLiteral(FAKEHCMFS_PATH);

class TestCliCalc : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_testing = file(QStringLiteral("testing.txt"),
                         {station("TX", "Alpha, \"North\""), station("RX", "Bravo's"), station("TX", "Far", "", "120W000033S0000")});
        m_reference = file(QStringLiteral("reference.txt"),
                           {station("RX", "Charlie", "td=0.5"), station("TX", "Delta", "il=inf"),
                            station("RX", "Echo", "", calctest::kHere, "14000")});
        m_report = m_dir->filePath(QStringLiteral("out.lwrpt"));
    }

    void listThenReport()
    {
        const Run calc = cli({"calc", "list", m_testing, m_reference, "--report", m_report, "--library", kFake, "--td", "0"});
        QCOMPARE(calc.out, QStringLiteral("Rows written: 2\n"));
        QCOMPARE(calc.err, QString()); // no progress bar when standard error is not a terminal

        const Run report = cli({"report", m_report});
        QCOMPARE(report.exitCode, 0);
        QStringList lines = report.out.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(0), QStringLiteral("HCM Library version:9.8.7.6"));
        QVERIFY(lines.at(3).contains(QLatin1String("Delta")));
        QVERIFY(lines.at(3).contains(QLatin1String("-2222")));
        QCOMPARE(lines.at(4), QString());

        const Run csv = cli({"report", "--csv", m_report});
        QCOMPARE(csv.exitCode, 0);
        lines = csv.out.split(QLatin1Char('\n'));
        QCOMPARE(lines.at(0), QStringLiteral("HCM Library version:9.8.7.6"));
        QCOMPARE(lines.at(1), QStringLiteral("TxIndex,TxFileNo,PRxIndex,PTxIndex,PxFileNo,RxIndex,RxFileNo,Tx Name,PRx Name,"
                                             "PTx Name,Rx Name,TD,Error,Tx Country,PTxRx Country,Rx Country,Tx Reference,"
                                             "PRx Reference,PTx Reference,Rx Reference,\"I, dBW\",Overl. Area,"
                                             "\"NFD, dB\",\"MD, dB\",\"Total att., dB\""));
        QCOMPARE(lines.at(2), QStringLiteral("0,1,-1,-1,1,0,2,\"Alpha, \"\"North\"\"\",,,Charlie,0.5,0,AUT,,AUT,"
                                             "\"Alpha, \"\"North\"\"-REF\",,,Charlie-REF,-123.457,0.5,1.25,2.5,150.125"));
    }

    void triggerReport()
    {
        const QString log = m_dir->filePath(QStringLiteral("calls.log"));
        const Run calc =
            cli({"calc", "trigger", m_testing, "--report", m_report, "--library", kFake, "--terrain", "/data/terrain"},
                log);
        QCOMPARE(calc.exitCode, 0);
        QCOMPARE(calc.out, QStringLiteral("Rows written: 3\n"));
        QVERIFY(readText(log).contains("\t/data/terrain\n"));

        const Run report = cli({"report", m_report});
        QCOMPARE(report.exitCode, 0);
        const QStringList lines = report.out.split(QLatin1Char('\n'));
        QCOMPARE(lines.at(1), QStringLiteral("Station Name    Reference           Countries to coordinate with  Error"));
        QCOMPARE(lines.at(3), QStringLiteral("Bravo's         Bravo's-REF         HNG,SVN                       0"));
    }

    void runs_data()
    {
        QTest::addColumn<QByteArrayList>("lines"); // the lines of file F
        QTest::addColumn<QStringList>("args"); // T, R: testing, reference; O: the report; F: the lines above
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err"); // a part of the one-line message, all of an engine error
        QTest::addColumn<QString>("calls"); // a part of the call log

        // Alpha-Charlie (TD 0.5), Alpha-Echo (1000 MHz apart), Far-Charlie
        // (beyond 1000 km) and Delta-Bravo's (TD 10).
        const QStringList list{"calc", "list", "T", "R", "--report", "O", "--library", kFake};
        const QByteArrayList none;
        QTest::newRow("defaults: threshold 1, 300 MHz, 1000 km") << none << list << 0 << "Rows written: 1\n" << QString() << QString();
        // Each of the three options lets pairs through: with any one of them
        // ignored, 3 rows are written.
        QTest::newRow("threshold, frequency and distance limits")
            << none << list + QStringList{"--td=0", "--freq", "1001", "--dist", "20000"} << 0 << "Rows written: 5\n" << QString()
            << QString();

        QTest::newRow("no report option") << none << QStringList{"calc", "list", "T", "R"} << 2 << QString()
                                          << "--report OUT is required" << QString();
        QTest::newRow("unknown calculation") << none << QStringList{"calc", "sideways", "T", "--report", "O"} << 2 << QString()
                                             << "unknown calculation" << QString();
        QTest::newRow("bad number") << none << QStringList{"calc", "list", "T", "R", "--report", "O", "--td", "1,5"} << 2
                                    << QString() << "--td needs a number" << QString();
        QTest::newRow("unreadable testing file") << none << QStringList{"calc", "list", "missing.txt", "R", "--report", "O"}
                                                 << 2 << QString() << "missing.txt: No such file" << QString();
        QTest::newRow("missing library") << none << QStringList{"calc", "single", "T", "--report", "O", "--library", "nolib.so"}
                                         << 3 << QString() << "Could not load HCM library (DLL)!" << QString();
        QTest::newRow("report of a text file") << none << QStringList{"report", "T"} << 2 << QString()
                                               << "is not a Linkwise report file" << QString();
        QTest::newRow("report of a missing file") << none << QStringList{"report", "absent.lwrpt"} << 2 << QString()
                                                  << "cannot read" << QString();
        const QStringList detail{"calc", "detail", "T", "R", "--out", "detail.txt", "--library", kFake, "--tx", "r:1"};
        QTest::newRow("malformed pick") << none << detail + QStringList{"--rx", "x:1"} << 2 << QString()
                                        << "takes t:N or r:N" << QString();
        QTest::newRow("repeater half given") << none << detail + QStringList{"--rx", "t:1", "--prx", "r:0"} << 2 << QString()
                                             << "--prx and --ptx go together" << QString();

        const QStringList detailF{"calc", "detail", "F", "F", "--tx", "r:0", "--rx", "t:1", "--out", "detail.txt", "--library", kFake};
        QTest::newRow("detail") << QByteArrayList{station("TX", "A"), station("RX", "B")} << detailF << 0
                                << "Detailed calculation\nTX A\nRX B\n" << QString() << "A>B";
        QTest::newRow("detail ends with the library's error")
            << QByteArrayList{station("TX", "A", "err=2007"), station("RX", "B")} << detailF << 3 << QString()
            << "The detailed calculation failed! HCM library error 2007: the detailed report file cannot be written"
            << "A>B";
        const QStringList single{"calc", "single", "F", "--report", "r.lwrpt", "--library", kFake};
        QTest::newRow("every row an error") << QByteArrayList{station("TX", "A", "err=2004"), station("RX", "B")} << single
                                            << 1 << "Rows written: 1\n" << "most often HCM library error 2004: a terrain tile"
                                            << "A>B";
        QTest::newRow("single skips the header")
            << QByteArrayList{"0001;FS;X;AUT;Someone;1;2;a@b.c;2;01012020", station("TX", "A"), station("RX", "B")} << single
            << 0 << "Rows written: 1\n" << QString() << "V2\tA>B\t";
    }

    void runs()
    {
        QFETCH(QByteArrayList, lines);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        QFETCH(QString, calls);
        const QMap<QString, QString> files{
            {"T", m_testing}, {"R", m_reference}, {"O", m_report}, {"F", file(QStringLiteral("in.txt"), lines)}};
        for (QString& arg : args)
            arg = files.value(arg, arg);
        Cli c; // other names are relative to the test's folder
        c.log = m_dir->filePath(QStringLiteral("calls.log"));
        c.workDir = m_dir->path();
        const Run run = c(args);
        QCOMPARE(run.exitCode, exitCode);
        QTEST(run.out, "out");
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
        QCOMPARE(run.err.count(QLatin1Char('\n')), err.isEmpty() ? 0 : 1);
        if (exitCode == 3 && calls.isEmpty()) // an engine error is its message alone
            QCOMPARE(run.err, err + QLatin1Char('\n'));
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("absent.lwrpt"))));
        QVERIFY(readText(c.log).contains(calls.toLatin1()));
    }

    void fullDiskKeepsCountHonest()
    {
    #ifndef Q_OS_UNIX
        QSKIP("needs a file size limit");
    #endif
        QByteArrayList tx, rx;
        for (int i = 0; i < 150; ++i) {
            tx.append(station("TX", "T" + QByteArray::number(i)));
            rx.append(station("RX", "R" + QByteArray::number(i)));
        }
        const Run run = cli({"calc", "list", file("t.txt", tx), file("r.txt", rx), "--report", m_report, "--library", kFake},
                            QString(), 256 * 1024);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.startsWith(QLatin1String("Could not write the report file!")), qPrintable(run.err));
        // The run ends at the first failure and claims only what the file holds.
        QCOMPARE(run.out, QStringLiteral("Rows written: %1\n").arg(countRows(m_report)));
        QVERIFY(countRows(m_report) < 150 * 150);
    }

private:
    QString file(const QString& name, const QByteArrayList& lines)
    {
        return writeLines(m_dir->filePath(name), lines, "\n");
    }
    QString m_testing;
    QString m_reference;
    QString m_report;
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestCliCalc)
#include "tst_cli_calc.moc"
