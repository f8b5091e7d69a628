// Installs Linkwise into a temporary prefix and runs the installed
// linkwise-cli through its command link, as a user runs it from the PATH,
// against the same commands run from the build folder.
#include <QtTest>

namespace {

// The exit code, a colon, then standard output.
QByteArray run(const QString& program, const QStringList& args, const QString& workDir)
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(program, args);
    const bool ended = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit;
    return QByteArray::number(ended ? p.exitCode() : -1) + ':' + p.readAllStandardOutput();
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QByteArray install = run(QStringLiteral(LINKWISE_CMAKE),
                                       {"--install", LINKWISE_BUILDDIR, "--prefix", m_prefix.path()},
                                       m_work.path());
        QVERIFY2(install.startsWith("0:"), install.constData());
        // Copies of the inputs: the installed program gets no path into the tree.
        for (const char* sample : {"border-links.txt", "link-pair.txt"})
            QVERIFY(QFile::copy(QStringLiteral(LINKWISE_SOURCEDIR "/samples/") + sample,
                                m_work.filePath(sample)));
    }

    void layout()
    {
        const QDir programs(m_prefix.filePath(LINKWISE_PROGRAMDIR));
        for (const QString& name : QString(LINKWISE_BESIDE_PROGRAMS).split(',', Qt::SkipEmptyParts))
            QVERIFY2(programs.exists(name), qPrintable(name + " is not beside the programs"));
        // Nothing installed may lead back into the build tree, as a run path would.
        // A sanitizer build writes its source paths into the binaries for its
        // reports, so there the check says nothing.
    #ifndef LINKWISE_SANITIZED
        for (const char* binary : {"linkwise", "linkwise-cli", "libHCMFS_DLL.so"}) {
            QFile file(programs.filePath(binary));
            QVERIFY2(file.open(QIODevice::ReadOnly) && !file.readAll().contains(LINKWISE_BUILDDIR),
                     binary);
        }
    #endif
    }

    void sameOutputAsBuild_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("check") << QStringList{"check", "border-links.txt"};
        QTest::newRow("trigger, installed border data")
            << QStringList{"calc", "trigger", "border-links.txt", "--report", "OUT/r.lwrpt"};
        QTest::newRow("single entry, installed library")
            << QStringList{"calc", "single", "link-pair.txt", "--report", "OUT/r.lwrpt"};
    }

    void sameOutputAsBuild()
    {
        QFETCH(QStringList, args);
        const QString programs[2] = {QStringLiteral(LINKWISE_BINDIR "/linkwise-cli"),
                                     m_prefix.filePath(LINKWISE_COMMANDDIR "/linkwise-cli")};
        QByteArray outputs[2];
        for (int i = 0; i < 2; ++i) {
            QTemporaryDir out;
            const QStringList withOut = QStringList(args).replaceInStrings("OUT", out.path());
            outputs[i] = run(programs[i], withOut, m_work.path());
            if (args.contains("--report"))
                outputs[i] += run(programs[i], {"report", withOut.last()}, m_work.path());
            outputs[i].replace(out.path().toUtf8(), "OUT");
        }
        QVERIFY2(outputs[0].startsWith("0:"), outputs[0].constData());
        QCOMPARE(outputs[1], outputs[0]);
    }

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_work;
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
