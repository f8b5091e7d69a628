// Settings stores, folders, the start-up decisions, and finding the calculation
// library with the terrain path of old libraries.
#include "app/apppaths.h"
#include "app/appsettings.h"
#include "app/librarylocation.h"
#include "app/startup.h"

#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstdlib>

class TestAppSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Without the stores ctest provides, the real ones would be touched.
        for (const char* name : {"LINKWISE_USER_INI", "LINKWISE_MACHINE_INI", "LINKWISE_DATA_DIR"})
            QVERIFY2(!qEnvironmentVariableIsEmpty(name), "run this test through ctest");
        QVERIFY(m_dir.isValid());
        for (const char* folder : {"program", "driveA", "driveB/TOPO", "driveC/TOPO"})
            QVERIFY(QDir(m_dir.path()).mkpath(folder));
        touch("program/lib.so");
        touch("elsewhere.so");
        touch("old.so", QByteArray("HCMFS-FILE-VERSION:2.0.9.9\0", 27));
        touch("new.so", QByteArray("HCMFS-FILE-VERSION:2.1.0.0\0", 27));
        touch("unversioned.so", "no marker");
        touch("a");
        touch("b");
    }

    void roundTrip()
    {
        AppSettings s;
        s.hcmLibrary = "/lib/x.so";
        s.topo = "/t";
        s.morpho = "/m";
        s.border = "/b";
        s.check = {false, true, false, false, true, true};
        s.googleShowTower = true;
        s.checkForUpdateOnStartup = false;
        s.frequencyTxRx = 12.5;
        s.distanceTxRx = 0.001;
        s.distancePTxRx = 7;
        s.recentDir = "/home/u/file.txt";
        {
            QSettings user(path("rt-user.ini"), QSettings::IniFormat);
            QSettings machine(path("rt-machine.ini"), QSettings::IniFormat);
            QVERIFY(s.write(user, machine));
        }
        QSettings user(path("rt-user.ini"), QSettings::IniFormat);
        QSettings machine(path("rt-machine.ini"), QSettings::IniFormat);
        // The folders live in the machine store only.
        QVERIFY(!user.contains("topo"));
        QCOMPARE(machine.allKeys().size(), 3);
        AppSettings back;
        back.read(user, machine);
        auto fields = [](const AppSettings& a) {
            return QVariantList{a.hcmLibrary, a.topo, a.morpho, a.border, a.googleShowTower,
                                a.checkForUpdateOnStartup, a.frequencyTxRx, a.distanceTxRx,
                                a.distancePTxRx, a.recentDir};
        };
        QCOMPARE(fields(back), fields(s));
        QVERIFY(back.check == s.check);
    }

    void wrongTypesFallBackToConversion()
    {
        QSettings user(path("wrong-user.ini"), QSettings::IniFormat);
        QSettings machine(path("wrong-machine.ini"), QSettings::IniFormat);
        user.setValue("frequency_TXRX", "abc");
        user.setValue("checkOnEditing", "false");
        user.setValue("HCMLibrary", "");
        AppSettings s;
        s.read(user, machine);
        QCOMPARE(s.frequencyTxRx, 0.0);
        QVERIFY(!s.check.checkOnEditing);
        // An empty library path is what the user chose; only a missing key defaults.
        QVERIFY(s.hcmLibrary.isEmpty());
    }

    void unchangedFoldersLeaveMachineStoreAlone()
    {
        QSettings user(path("quiet-user.ini"), QSettings::IniFormat);
        QSettings machine(path("no-such-folder/quiet.ini"), QSettings::IniFormat);
        AppSettings s;
        s.read(user, machine);
        QVERIFY(s.write(user, machine));
        QVERIFY(!QFile::exists(path("no-such-folder/quiet.ini")));
    }

    void environmentMovesEveryStore()
    {
        // ctest points each variable into the test's build folder.
        QCOMPARE(AppPaths::machineIniPath(), qEnvironmentVariable("LINKWISE_MACHINE_INI"));
        QCOMPARE(AppPaths::createUserStore()->fileName(), qEnvironmentVariable("LINKWISE_USER_INI"));
        QCOMPARE(AppPaths::createMachineStore()->fileName(), qEnvironmentVariable("LINKWISE_MACHINE_INI"));
        QCOMPARE(AppPaths::dataFolder(), qEnvironmentVariable("LINKWISE_DATA_DIR"));
        QVERIFY(QFileInfo(AppPaths::dataSubFolder("update")).isDir());
        QCOMPARE(QFileInfo(AppPaths::lockFilePath()).absolutePath(),
                 QFileInfo(qEnvironmentVariable("LINKWISE_DATA_DIR")).absoluteFilePath());
        qputenv("LINKWISE_LOCK_DIR", path("locks").toLocal8Bit());
        QCOMPARE(AppPaths::lockFilePath(), path("locks/linkwise.lock"));
        QVERIFY(QFileInfo(path("locks")).isDir());
        qunsetenv("LINKWISE_LOCK_DIR");
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("testMode");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("test first") << QStringList{"linkwise", "test", "@b", "@a"} << true
                                    << QStringList{"@b", "@a"};
        QTest::newRow("test last") << QStringList{"linkwise", "@a", "test"} << true
                                   << QStringList{"@a"};
        QTest::newRow("missing ignored") << QStringList{"linkwise", "@missing", "@a", "-x"} << false
                                         << QStringList{"@a"};
        QTest::newRow("program name never opened") << QStringList{"@a"} << false << QStringList{};
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, testMode);
        QFETCH(QStringList, files);
        auto resolve = [this](QStringList list) {
            for (QString& s : list) {
                if (s.startsWith('@'))
                    s = path(s.mid(1));
            }
            return list;
        };
        const Startup::CommandLine line = Startup::parse(resolve(arguments));
        QCOMPARE(line.testMode, testMode);
        QCOMPARE(line.files, resolve(files));
    }

    void startupJob_data()
    {
        QTest::addColumn<QVariant>("firstInstallation");
        QTest::addColumn<QVariant>("launchDownloader");
        QTest::addColumn<bool>("checkForUpdate");
        QTest::addColumn<int>("job");
        QTest::addColumn<int>("delay");
        using J = Startup::Job;
        QTest::newRow("first installation wins") << QVariant(1) << QVariant(true) << true
                                                 << int(J::FirstInstallation) << 500;
        QTest::newRow("other value is no request") << QVariant(2) << QVariant() << false
                                                   << int(J::None) << 0;
        QTest::newRow("pending download") << QVariant() << QVariant(true) << true
                                          << int(J::ResumeDownload) << 500;
        QTest::newRow("update check") << QVariant(0) << QVariant(false) << true << int(J::UpdateCheck)
                                      << 4000;
    }

    void startupJob()
    {
        QFETCH(QVariant, firstInstallation);
        QFETCH(QVariant, launchDownloader);
        QFETCH(bool, checkForUpdate);
        QFETCH(int, job);
        QFile::remove(path("job.ini"));
        QSettings user(path("job.ini"), QSettings::IniFormat);
        if (firstInstallation.isValid())
            user.setValue("first_installation", firstInstallation);
        if (launchDownloader.isValid())
            user.setValue("launch_downloader", launchDownloader);
        const Startup::Job chosen = Startup::chooseJob(user, checkForUpdate);
        QCOMPARE(int(chosen), job);
        QTEST(Startup::delayMs(chosen), "delay");
    }

    void numbersUseAPointWhateverTheRegion()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // may not exist; then C stays
        Startup::useCNumberFormat();
        QCOMPARE(QLocale().toString(1.5), QString("1.5"));
        bool ok = false;
        QCOMPARE(QLocale().toDouble("2.25", &ok), 2.25);
        QVERIFY(ok);
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2f", 3.5);
        QCOMPARE(QByteArray(buffer), QByteArray("3.50"));
        QCOMPARE(std::strtod("4.75", nullptr), 4.75);
    }

    void resolve_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("expected");
        QTest::newRow("existing file") << "@elsewhere.so" << "@elsewhere.so";
        QTest::newRow("name beside program") << "lib.so" << "@program/lib.so";
        QTest::newRow("nowhere") << "missing.so" << "missing.so";
        QTest::newRow("empty") << "" << "";
    }

    void resolve()
    {
        QFETCH(QString, setting);
        QFETCH(QString, expected);
        auto at = [this](QString s) { return s.startsWith('@') ? path(s.mid(1)) : s; };
        QCOMPARE(LibraryLocation::resolve(at(setting), path("program")), at(expected));
    }

    void terrainPath_data()
    {
        QTest::addColumn<QString>("library");
        QTest::addColumn<QStringList>("drives");
        QTest::addColumn<QString>("expected");
        const QString first = path("driveB").left(1);
        QTest::newRow("old library takes first drive with TOPO")
            << "old.so" << QStringList{"driveA", "driveB", "driveC"} << first;
        QTest::newRow("old library, no TOPO anywhere") << "old.so" << QStringList{"driveA"} << "";
        QTest::newRow("new library keeps path") << "new.so" << QStringList{"driveB"} << "kept";
        QTest::newRow("unreadable version keeps path") << "unversioned.so" << QStringList{"driveB"}
                                                       << "kept";
        QTest::newRow("missing library keeps path") << "none.so" << QStringList{"driveB"} << "kept";
    }

    void terrainPath()
    {
        QFETCH(QString, library);
        QFETCH(QStringList, drives);
        QFileInfoList roots;
        for (const QString& d : drives)
            roots.append(QFileInfo(path(d) + "/"));
        QTEST(LibraryLocation::terrainPath(path(library), "kept", roots), "expected");
    }

private:
    void touch(const QString& name, const QByteArray& content = "x")
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
