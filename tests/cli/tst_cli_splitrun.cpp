// A list-to-list run split into parts and merged again, and a run on several
// threads, must give the report of the whole run on one thread.
#include "../calc/calctestsupport.h"
#include "clirun.h"

#include <QtTest>

#include <numeric>

using calctest::station;
using calctest::writeLines;

class TestCliSplitRun : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        // Transmitters, receivers, a repeater pair and a PRX without its PTX, so
        // that every kind of entry (cases and error rows) falls into some part.
        QByteArrayList testing;
        for (int i = 0; i < 6; ++i)
            testing << station(i % 2 ? "RX" : "TX", "T" + QByteArray::number(i), "td=" + QByteArray::number(i + 2));
        testing << station("PRX", "TP") << station("PTX", "TQ") << station("PRX", "TLONE");
        QByteArrayList reference;
        for (int i = 0; i < 5; ++i)
            reference << station(i % 2 ? "TX" : "RX", "R" + QByteArray::number(i), "td=" + QByteArray::number(i + 3));
        reference << station("PRX", "RP") << station("PTX", "RQ");
        m_testing = path(QStringLiteral("testing.txt"));
        m_reference = path(QStringLiteral("reference.txt"));
        QVERIFY(!writeLines(m_testing, testing).isEmpty() && !writeLines(m_reference, reference).isEmpty());
    }

    void partsMergeToWholeRun_data()
    {
        QTest::addColumn<int>("parts");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("4 parts, given out of order") << 4 << QList<int>{2, 0, 3, 1};
        QList<int> forty(40);
        std::iota(forty.begin(), forty.end(), 0);
        QTest::newRow("more parts than entries") << 40 << forty;
        QTest::newRow("one part") << 1 << QList<int>{0};
    }

    void partsMergeToWholeRun()
    {
        QFETCH(int, parts);
        QFETCH(QList<int>, order);
        const Run whole = listRun(path(QStringLiteral("whole.lwrpt")), {});
        QCOMPARE(whole.exitCode, 0);
        QStringList files;
        int rows = 0;
        for (int k : order) {
            const QString part = path(QStringLiteral("part%1.lwrpt").arg(k));
            const Run run = listRun(part, {"--part", QStringLiteral("%1/%2").arg(k).arg(parts)});
            QCOMPARE(run.exitCode, 0);
            rows += run.out.section(QLatin1Char(' '), 2).trimmed().toInt();
            files << part;
        }
        const QString merged = path(QStringLiteral("merged.lwrpt"));
        const Run merge = cli(QStringList{"report", "merge", merged} + files);
        QCOMPARE(merge.exitCode, 0);
        QCOMPARE(merge.out, whole.out);
        QCOMPARE(QStringLiteral("Rows written: %1\n").arg(rows), whole.out);
        QVERIFY(whole.out != QStringLiteral("Rows written: 0\n"));
        QCOMPARE(printed(merged), printed(path(QStringLiteral("whole.lwrpt"))));
    }

    void mergeRefusals_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("message");
        QTest::newRow("a part missing") << QStringList{"p0", "p2"} << "part 1 of 3 is missing";
        QTest::newRow("a part twice") << QStringList{"p0", "p1", "p1"} << "part 1 of 3 is given twice";
        QTest::newRow("another run") << QStringList{"p0", "p1", "other2"} << "are parts of different runs";
        QTest::newRow("a whole report") << QStringList{"p0", "whole"} << "not a part of a split run";
    }

    void mergeRefusals()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, message);
        for (int k = 0; k < 3; ++k)
            QCOMPARE(listRun(path(QStringLiteral("p%1").arg(k)), {"--part", QStringLiteral("%1/3").arg(k)}).exitCode, 0);
        QCOMPARE(listRun(path(QStringLiteral("other2")), {"--part", "2/3", "--td", "5"}).exitCode, 0);
        QCOMPARE(listRun(path(QStringLiteral("whole")), {}).exitCode, 0);
        QStringList args{"report", "merge", path(QStringLiteral("out.lwrpt"))};
        for (const QString& f : files)
            args << path(f);
        const Run run = cli(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(path(QStringLiteral("out.lwrpt"))));
    }

    // Our library may be called from several threads; the report must not show it.
    void threadsGiveSameReport()
    {
        const QString sample = QStringLiteral(LINKWISE_SOURCEDIR "/samples/border-links.txt");
        QStringList reports;
        for (const QString threads : {"1", "3"}) {
            const QString report = path("threads" + threads + ".lwrpt");
            const QStringList args{"calc", "list", sample, sample, "--report", report, "--td", "-100"};
            QCOMPARE(cli(args + QStringList{"--threads", threads}).exitCode, 0);
            reports << printed(report);
        }
        QVERIFY(reports[0].count(QLatin1Char('\n')) > 10);
        QCOMPARE(reports[1], reports[0]);
    }

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    Run listRun(const QString& report, const QStringList& extra)
    {
        return cli(QStringList{"calc", "list", m_testing, m_reference, "--report", report, "--library",
                               FAKEHCMFS_PATH}
                   + extra);
    }
    QString printed(const QString& report)
    {
        const Run run = cli({"report", "--csv", report});
        return run.exitCode == 0 ? run.out : QString();
    }
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_testing;
    QString m_reference;
};

QTEST_GUILESS_MAIN(TestCliSplitRun)
#include "tst_cli_splitrun.moc"
