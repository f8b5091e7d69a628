// linkwise-cli's own front door: version, usage and exit statuses.
#include <QtTest>

class TestCliMain : public QObject
{
    Q_OBJECT

private:
    struct Run
    {
        int status;
        QByteArray out;
        QByteArray err;
    };
    Run cli(const QStringList& args)
    {
        QProcess p;
        p.start(QStringLiteral(LINKWISE_BINDIR "/linkwise-cli"), args);
        if (!p.waitForFinished(30000))
            return {-1, {}, {}};
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }

private slots:
    void versionAndHelp();
    void badUsage_data();
    void badUsage();
};

void TestCliMain::versionAndHelp()
{
    const Run version = cli({QStringLiteral("--version")});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QByteArray(LINKWISE_VERSION "\n"));

    const Run help = cli({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.startsWith("Usage: linkwise-cli"));
    for (const char* command : {"check", "calc", "report", "kml", "compare"})
        QVERIFY2(help.out.contains(QByteArray("  ") + command), command);
    QVERIFY(help.err.isEmpty());
}

void TestCliMain::badUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no command") << QStringList();
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate"), QStringLiteral("x")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--verbose")};
}

void TestCliMain::badUsage()
{
    QFETCH(QStringList, args);
    const Run run = cli(args);
    QCOMPARE(run.status, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.contains("Usage: linkwise-cli"));
}

QTEST_GUILESS_MAIN(TestCliMain)
#include "tst_cli_main.moc"
