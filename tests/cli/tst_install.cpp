// Installs Linkwise into a temporary prefix and runs the installed
// linkwise-cli through its command link, as a user runs it from the PATH,
// against the same commands run from the build folder.
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
};

Run run(const QString& program, const QStringList& args, const QString& workDir)
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(program, args);
    Run result;
    if (p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit)
        result.exitCode = p.exitCode();
    result.out = p.readAllStandardOutput();
    return result;
}

QByteArray fileContent(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void layout();
    void sameOutputAsBuild_data();
    void sameOutputAsBuild();

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_work;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid() && m_work.isValid());
    const Run install = run(QStringLiteral(LINKWISE_CMAKE),
                            {"--install", LINKWISE_BUILDDIR, "--prefix", m_prefix.path()},
                            m_work.path());
    QVERIFY2(install.exitCode == 0, install.out.constData());
    // The inputs are copied, so the installed program is given no path into
    // the source or build tree.
    for (const char* sample : {"border-links.txt", "link-pair.txt"})
        QVERIFY(QFile::copy(QStringLiteral(LINKWISE_SOURCEDIR "/samples/") + sample,
                            m_work.filePath(sample)));
}

void TestInstall::layout()
{
    const QDir programs(m_prefix.filePath(LINKWISE_PROGRAMDIR));
    const QStringList beside = QString(LINKWISE_BESIDE_PROGRAMS).split(';', Qt::SkipEmptyParts);
    for (const QString& name : beside)
        QVERIFY2(programs.exists(name), qPrintable(name + " is not beside the programs"));
    // Nothing installed may lead back into the build tree (a run path would).
    for (const char* binary : {"linkwise", "linkwise-cli", "libHCMFS_DLL.so"}) {
        const QByteArray content = fileContent(programs.filePath(binary));
        QVERIFY2(!content.isEmpty(), binary);
        QVERIFY2(!content.contains(LINKWISE_BUILDDIR), binary);
    }
    // The command on the PATH resolves to the program folder.
    const QFileInfo command(m_prefix.filePath(LINKWISE_COMMANDDIR "/linkwise"));
    QCOMPARE(QFileInfo(command.canonicalFilePath()).dir(), QDir(programs.canonicalPath()));
}

void TestInstall::sameOutputAsBuild_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("report");
    QTest::newRow("check") << QStringList{"check", "border-links.txt"} << QString();
    QTest::newRow("trigger, shipped border data")
        << QStringList{"calc", "trigger", "border-links.txt", "--report", "%1/trigger.lwrpt"}
        << "%1/trigger.lwrpt";
    QTest::newRow("single entry, shipped library")
        << QStringList{"calc", "single", "link-pair.txt", "--report", "%1/single.lwrpt"}
        << "%1/single.lwrpt";
}

void TestInstall::sameOutputAsBuild()
{
    QFETCH(QStringList, args);
    QFETCH(QString, report);
    QList<QByteArray> outputs;
    for (const QString& program : {QStringLiteral(LINKWISE_BINDIR "/linkwise-cli"),
                                   m_prefix.filePath(LINKWISE_COMMANDDIR "/linkwise-cli")}) {
        QTemporaryDir out;
        QStringList withOut = args;
        withOut.replaceInStrings(QStringLiteral("%1"), out.path());
        Run result = run(program, withOut, m_work.path());
        QVERIFY2(result.exitCode == 0 || (args.first() == "check" && result.exitCode == 1),
                 qPrintable(program + ": " + QString::number(result.exitCode)));
        if (!report.isEmpty()) {
            const Run shown = run(program, {"report", report.arg(out.path())}, m_work.path());
            QCOMPARE(shown.exitCode, 0);
            result.out += shown.out;
        }
        outputs << result.out.replace(out.path().toUtf8(), "OUT");
    }
    QVERIFY(!outputs.at(0).isEmpty());
    QCOMPARE(outputs.at(1), outputs.at(0));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
