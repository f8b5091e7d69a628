// linkwise-cli's own front door: version, usage and exit statuses.
#include "clirun.h"

#include <QtTest>

class TestCliMain : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::newRow("unknown option") << QStringList{"--verbose"} << 2 << QString() << usage;
    }

    void statuses()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = cli(args);
        QCOMPARE(run.exitCode, status);
        QVERIFY2(run.out.startsWith(out) && (!out.isEmpty() || run.out.isEmpty()), qPrintable(run.out));
        QVERIFY2(run.err.contains(err) && (!err.isEmpty() || run.err.isEmpty()), qPrintable(run.err));
        if (args == QStringList{"--version"})
            QCOMPARE(run.out, out);
    }
};

QTEST_GUILESS_MAIN(TestCliMain)
#include "tst_cli_main.moc"
