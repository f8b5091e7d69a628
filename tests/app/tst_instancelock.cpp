// One running copy per user: a second start leaves with -1, a crashed run's
// lock does not block.
#include "app/instancelock.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestInstanceLock : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Without the stores ctest provides, the real ones would be touched.
        for (const char* name : {"LINKWISE_USER_INI", "LINKWISE_MACHINE_INI", "LINKWISE_DATA_DIR"})
            QVERIFY2(!qEnvironmentVariableIsEmpty(name), "run this test through ctest");
        QVERIFY(m_dir.isValid());
    }

    void secondLockFails()
    {
        const QString file = m_dir.filePath("same-process.lock");
        InstanceLock first(file);
        QVERIFY(first.tryLock());
        QVERIFY(first.tryLock()); // asking again keeps it
        InstanceLock second(file);
        QVERIFY(!second.tryLock());
        QVERIFY(second.anotherInstanceRuns());
        QVERIFY(!first.anotherInstanceRuns());
    }

    void secondProgramExitsMinusOne()
    {
        InstanceLock running(lockPath());
        QVERIFY(running.tryLock());
        QProcess* second = startProgram({"test"});
        QVERIFY(second->waitForFinished(30000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode() & 0xff, 0xff); // -1
    }

    void lockOfCrashedRunIsTakenOver()
    {
        QProcess* crashed = startProgram();
        QVERIFY(crashed->waitForStarted());
        // The file is made first and its owner written into it after: wait for
        // the owner, not just the file, or the test asks between the two.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(lockPath()).size() > 0, 30000);
        // While it runs the lock is held.
        {
            InstanceLock meanwhile(lockPath());
            QVERIFY(!meanwhile.tryLock());
        }
        QCOMPARE(crashed->state(), QProcess::Running); // up and waiting in its event loop
        crashed->kill();
        QVERIFY(crashed->waitForFinished());
        QVERIFY(QFile::exists(lockPath()));
        InstanceLock next(lockPath());
        QVERIFY(next.tryLock());
    }

    void unusableLockFolderDoesNotBlock()
    {
        QVERIFY(QFile(m_dir.filePath("plain-file")).open(QIODevice::WriteOnly));
        InstanceLock lock(m_dir.filePath("plain-file/linkwise.lock"));
        QVERIFY(!lock.tryLock());
        QVERIFY(!lock.anotherInstanceRuns());
    }

private:
    QProcess* startProgram(const QStringList& arguments = {})
    {
        auto* process = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LINKWISE_LOCK_DIR", m_dir.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process->setProcessEnvironment(env);
        process->start(QStringLiteral(LINKWISE_BINDIR "/linkwise"), arguments);
        return process;
    }

    QString lockPath() const { return m_dir.filePath("linkwise.lock"); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instancelock.moc"
