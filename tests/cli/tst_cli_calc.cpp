// linkwise-cli calc and report, run as a user runs them, against the fake
// HCM library of the engine tests.
#include "../calc/calctestsupport.h"

#include <QtSql>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using calctest::station;
using calctest::writeLines;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run cli(const QStringList& args, const QString& log = QString(), qint64 fileSizeLimit = 0)
{
    QProcess p;
#ifdef Q_OS_UNIX
    // A limit on file size stands in for a disk that fills: writes beyond it
    // fail as they would on a full disk.
    if (fileSizeLimit > 0)
        p.setChildProcessModifier([fileSizeLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
#else
    Q_UNUSED(fileSizeLimit);
#endif
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FAKEHCMFS_LOG"), log);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(LINKWISE_BINDIR "/linkwise-cli"), args);
    Run run;
    if (!p.waitForFinished(60000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

const QString kFake = QStringLiteral(FAKEHCMFS_PATH);

int rowsIn(const QString& report)
{
    int n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
        db.setDatabaseName(report);
        QSqlQuery q(db);
        if (db.open() && q.exec(QStringLiteral("SELECT COUNT(*) FROM results")) && q.next())
            n = q.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("count"));
    return n;
}

} // namespace

class TestCliCalc : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void listThenReport();
    void reportAsCsv();
    void limitsAndThreshold_data();
    void limitsAndThreshold();
    void triggerReport();
    void detail();
    void failures_data();
    void failures();
    void libraryFailures_data();
    void libraryFailures();
    void fullDiskKeepsCountHonest();
    void defaultLibraryBesideProgram();

private:
    QString file(const QString& name, const QByteArrayList& lines);
    QString m_testing;
    QString m_reference;
    QString m_report;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCliCalc::init()
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

QString TestCliCalc::file(const QString& name, const QByteArrayList& lines)
{
    const QString path = m_dir->filePath(name);
    return writeLines(path, lines, "\n") ? path : QString();
}

void TestCliCalc::listThenReport()
{
    const Run calc = cli({"calc", "list", m_testing, m_reference, "--report", m_report, "--library", kFake});
    QCOMPARE(calc.exitCode, 0);
    // Alpha and Far meet Charlie (TD 0.5, below the default threshold of 1)
    // and Far is beyond 1000 km; Bravo's meets Delta. Echo is 1000 MHz off.
    QCOMPARE(calc.out, QStringLiteral("Rows written: 1\n"));
    QCOMPARE(calc.err, QString()); // no progress bar when standard error is not a terminal

    const Run report = cli({"report", m_report});
    QCOMPARE(report.exitCode, 0);
    const QStringList lines = report.out.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0), QStringLiteral("HCM Library version:9.8.7.6"));
    QVERIFY(lines.at(1).startsWith(QLatin1String("TxIndex  TxFileNo  PRxIndex")));
    QVERIFY(lines.at(1).endsWith(QLatin1String("NFD, dB  MD, dB  Total att., dB")));
    QVERIFY(lines.at(2).contains(QLatin1String("Delta")));
    QVERIFY(lines.at(2).contains(QLatin1String("Bravo's")));
    QVERIFY(lines.at(2).contains(QLatin1String("-2222")));
    // Columns line up: each label starts where its values start.
    const qsizetype at = lines.at(1).indexOf(QLatin1String("  Rx Name")) + 2;
    QCOMPARE(lines.at(2).mid(at, 7), QStringLiteral("Bravo's"));
    QCOMPARE(lines.at(3), QString());
}

void TestCliCalc::reportAsCsv()
{
    QCOMPARE(cli({"calc", "list", m_testing, m_reference, "--report", m_report, "--library", kFake, "--td", "0"})
                 .exitCode,
             0);
    const Run report = cli({"report", "--csv", m_report});
    QCOMPARE(report.exitCode, 0);
    const QStringList lines = report.out.split(QLatin1Char('\n'));
    QCOMPARE(lines.at(0), QStringLiteral("HCM Library version:9.8.7.6"));
    QCOMPARE(lines.at(1), QStringLiteral("TxIndex,TxFileNo,PRxIndex,PTxIndex,PxFileNo,RxIndex,RxFileNo,Tx Name,PRx Name,"
                                         "PTx Name,Rx Name,TD,Error,Tx Country,PTxRx Country,Rx Country,Tx Reference,"
                                         "PRx Reference,PTx Reference,Rx Reference,\"I, dBW\",Overl. Area,"
                                         "\"NFD, dB\",\"MD, dB\",\"Total att., dB\""));
    QCOMPARE(lines.at(2), QStringLiteral("0,1,-1,-1,1,0,2,\"Alpha, \"\"North\"\"\",,,Charlie,0.5,0,AUT,,AUT,"
                                         "\"Alpha, \"\"North\"\"-REF\",,,Charlie-REF,-123.457,0.5,1.25,2.5,150.125"));
}

void TestCliCalc::limitsAndThreshold_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("rows");
    // Alpha-Charlie (TD 0.5), Alpha-Echo (1000 MHz apart), Far-Charlie
    // (beyond 1000 km) and Delta-Bravo's (TD 10).
    QTest::newRow("threshold 0") << QStringList{"--td", "0"} << "2";
    QTest::newRow("threshold as --td=") << QStringList{"--td=0"} << "2";
    QTest::newRow("frequency limit 1001 MHz") << QStringList{"--td", "-5", "--freq", "1001"} << "3";
    QTest::newRow("no distance limit to speak of") << QStringList{"--td", "0", "--dist", "20000"} << "3";
}

void TestCliCalc::limitsAndThreshold()
{
    QFETCH(QStringList, options);
    QFETCH(QString, rows);
    const Run calc = cli(QStringList{"calc", "list", m_testing, m_reference, "--report", m_report, "--library", kFake}
                         + options);
    QCOMPARE(calc.exitCode, 0);
    QCOMPARE(calc.out, QStringLiteral("Rows written: %1\n").arg(rows));
}

void TestCliCalc::triggerReport()
{
    const QString log = m_dir->filePath(QStringLiteral("calls.log"));
    const Run calc =
        cli({"calc", "trigger", m_testing, "--report", m_report, "--library", kFake, "--terrain", "/data/terrain"},
            log);
    QCOMPARE(calc.exitCode, 0);
    QCOMPARE(calc.out, QStringLiteral("Rows written: 3\n"));
    QFile f(log);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("\t/data/terrain\n"));

    const Run report = cli({"report", m_report});
    QCOMPARE(report.exitCode, 0);
    const QStringList lines = report.out.split(QLatin1Char('\n'));
    QCOMPARE(lines.at(1), QStringLiteral("Station Name    Reference           Countries to coordinate with  Error"));
    QCOMPARE(lines.at(3), QStringLiteral("Bravo's         Bravo's-REF         HNG,SVN                       0"));
}

void TestCliCalc::detail()
{
    const QString out = m_dir->filePath(QStringLiteral("detail.txt"));
    const Run run = cli({"calc", "detail", m_testing, m_reference, "--tx", "r:1", "--rx", "t:1", "--out", out,
                         "--library", kFake});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("Detailed calculation\nTX Delta\nRX Bravo's\n"));
    QVERIFY(QFile::exists(out));
}

void TestCliCalc::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // a part of the one-line message, all of an engine error

    QTest::newRow("no report option") << QStringList{"calc", "list", "T", "R"} << 2 << "--report OUT is required";
    QTest::newRow("unknown calculation") << QStringList{"calc", "sideways", "T", "--report", "O"} << 2
                                         << "unknown calculation";
    QTest::newRow("bad number") << QStringList{"calc", "list", "T", "R", "--report", "O", "--td", "1,5"} << 2
                                << "--td needs a number";
    QTest::newRow("unreadable testing file") << QStringList{"calc", "list", "missing.txt", "R", "--report", "O"} << 2
                                             << "missing.txt: No such file";
    QTest::newRow("missing library") << QStringList{"calc", "single", "T", "--report", "O", "--library", "nolib.so"}
                                     << 3 << "Could not load HCM library (DLL)!";
    QTest::newRow("report of a text file") << QStringList{"report", "T"} << 2 << "is not a Linkwise report file";
    QTest::newRow("report of a missing file") << QStringList{"report", "absent.lwrpt"} << 2 << "cannot read";
    QTest::newRow("report option") << QStringList{"report", "--tsv", "O"} << 2 << "unknown option";
    const QStringList detail{"calc", "detail", "T", "R", "--out", "detail.txt", "--library", kFake, "--tx", "r:1"};
    QTest::newRow("pick past the end") << detail + QStringList{"--rx", "t:9"} << 3 << "Could not find the requested link!";
    QTest::newRow("malformed pick") << detail + QStringList{"--rx", "x:1"} << 2 << "takes t:N or r:N";
    QTest::newRow("repeater half given") << detail + QStringList{"--rx", "t:1", "--prx", "r:0"} << 2
                                         << "--prx and --ptx go together";
}

void TestCliCalc::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    for (QString& arg : args) {
        if (arg == QLatin1String("T"))
            arg = m_testing;
        else if (arg == QLatin1String("R"))
            arg = m_reference;
        else if (arg == QLatin1String("O"))
            arg = m_report;
        else if (arg.endsWith(QLatin1String(".txt")) || arg.endsWith(QLatin1String(".so"))
                 || arg.endsWith(QLatin1String(".lwrpt")))
            arg = m_dir->filePath(arg);
    }
    const Run run = cli(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    if (exitCode == 3) // an engine error is its message alone
        QCOMPARE(run.err, message + QLatin1Char('\n'));
    QCOMPARE(run.out, QString());
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("absent.lwrpt"))));
}

void TestCliCalc::libraryFailures_data()
{
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QStringList>("args"); // F stands for the file of the lines
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // a part of standard error
    QTest::addColumn<QString>("calls"); // a part of the call log
    const QByteArray header = "0001;FS;X;AUT;Someone;1;2;a@b.c;2;01012020";
    QTest::newRow("detail ends with the library's error")
        << QByteArrayList{station("TX", "A", "err=2007"), station("RX", "B")}
        << QStringList{"detail", "F", "F", "--tx", "t:0", "--rx", "t:1", "--out", "@detail.txt"} << 3 << QString()
        << "The detailed calculation failed! HCM library error 2007: the detailed report file cannot be written"
        << "A>B";
    QTest::newRow("every row an error") << QByteArrayList{station("TX", "A", "err=2004"), station("RX", "B")}
                                        << QStringList{"single", "F", "--report", "@r.lwrpt"} << 1
                                        << "Rows written: 1\n" << "most often HCM library error 2004: a terrain tile"
                                        << "A>B";
    QTest::newRow("single skips the header") << QByteArrayList{header, station("TX", "A"), station("RX", "B")}
                                             << QStringList{"single", "F", "--report", "@r.lwrpt"} << 0
                                             << "Rows written: 1\n" << QString() << "V2\tA>B\t";
}

void TestCliCalc::libraryFailures()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QString, calls);
    const QString input = file(QStringLiteral("in.txt"), lines);
    for (QString& arg : args) {
        if (arg == QLatin1String("F"))
            arg = input;
        else if (arg.startsWith(QLatin1Char('@')))
            arg = m_dir->filePath(arg.mid(1));
    }
    const QString log = m_dir->filePath(QStringLiteral("calls.log"));
    const Run run = cli(QStringList{"calc"} + args + QStringList{"--library", kFake}, log);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
    QVERIFY2(run.err.contains(err), qPrintable(run.err));
    QCOMPARE(run.err.count(QLatin1Char('\n')), err.isEmpty() ? 0 : 1);
    QFile f(log);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY2(f.readAll().contains(calls.toLatin1()), qPrintable(calls));
}

void TestCliCalc::fullDiskKeepsCountHonest()
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
    QVERIFY(run.out.startsWith(QLatin1String("Rows written: ")));
    QCOMPARE(run.out.mid(14).trimmed().toInt(), rowsIn(m_report));
    QVERIFY(rowsIn(m_report) < 150 * 150);
}

void TestCliCalc::defaultLibraryBesideProgram()
{
    // Without --library the library installed beside linkwise-cli answers
    // (and finds these stations short of data).
    const Run calc = cli({"calc", "single", m_testing, "--report", m_report});
    QCOMPARE(calc.exitCode, 1);
    QCOMPARE(calc.out, QStringLiteral("Rows written: 1\n"));
    const Run report = cli({"report", m_report});
    QVERIFY(!report.out.startsWith(QLatin1String("HCM Library version:9.8.7.6")));
    QVERIFY(!report.out.startsWith(QLatin1String("HCM Library version:\n")));
}

QTEST_GUILESS_MAIN(TestCliCalc)
#include "tst_cli_calc.moc"
