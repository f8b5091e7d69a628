// Finding the calculation library, the terrain path of old libraries and the
// numbering of report files.
#include "app/librarylocation.h"
#include "app/reportfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestLibraryLocation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath("program"));
        QVERIFY(QDir(m_dir.path()).mkpath("driveA"));
        QVERIFY(QDir(m_dir.path()).mkpath("driveB/TOPO"));
        QVERIFY(QDir(m_dir.path()).mkpath("driveC/TOPO"));
        touch("program/lib.so");
        touch("elsewhere.so");
        touch("old.so", QByteArray("HCMFS-FILE-VERSION:2.0.9.9\0", 27));
        touch("new.so", QByteArray("HCMFS-FILE-VERSION:2.1.0.0\0", 27));
        touch("unversioned.so", "no marker");
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

QTEST_GUILESS_MAIN(TestLibraryLocation)
#include "tst_librarylocation.moc"
