// Dotted version texts: which one is newer, and the version text a library
// file carries.
#include "calc/fileversion.h"
#include "calc/versioncompare.h"
#include "calctestsupport.h"

#include <QtTest>

class TestVersionCompare : public QObject
{
    Q_OBJECT

private slots:
    void compare_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<int>("result");
        QTest::newRow("equal") << "2.1.1.0" << "2.1.1.0" << 0;
        QTest::newRow("newer last part") << "2.1.1.0" << "2.1.1.1" << 1;
        QTest::newRow("older last part") << "2.1.1.1" << "2.1.1.0" << 0;
        QTest::newRow("numbers, not texts") << "2.1.9.0" << "2.1.10.0" << 1;
        QTest::newRow("first difference decides") << "2.9.0.0" << "3.0.0.0" << 1;
        QTest::newRow("fifth part ignored") << "2.1.1.0.1" << "2.1.1.0.9" << 0;
        QTest::newRow("empty parts skipped") << "2..1.1.0" << "2.1.1.1" << 1;
        QTest::newRow("three parts equal four with 0") << "2.1.1" << "2.1.1.0" << 0;
        QTest::newRow("three parts older than .3") << "2.1.1" << "2.1.1.3" << 1;
        QTest::newRow("two parts") << "2.1" << "2.1.1.0" << -1;
        QTest::newRow("candidate two parts") << "2.1.1.0" << "3.0" << -1;
        QTest::newRow("letters") << "2.1.1.0" << "2.1.x.0" << -1;
        QTest::newRow("bad part after the difference") << "2.1.1.0" << "3.1.1.b" << -1;
        QTest::newRow("sign") << "2.1.1.0" << "2.1.+1.0" << -1;
        QTest::newRow("huge part") << "2.1.1.0" << "2.1.99999999999999999999.0" << -1;
    }

    void compare()
    {
        QFETCH(QString, current);
        QFETCH(QString, candidate);
        QTEST(compareVersions(current, candidate), "result");
    }

    void markerScan_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("version");
        const QByteArray binary("\x7f" "ELF\0\0\x01\x02", 8);
        QTest::newRow("marker") << binary + QByteArray("HCMFS-FILE-VERSION:2.1.0.3\0tail", 31) << "2.1.0.3";
        QTest::newRow("no marker") << binary + QByteArray("nothing here") << "";
        QTest::newRow("marker without NUL at the end") << binary + QByteArray("HCMFS-FILE-VERSION:2.1.0.3") << "";
        QTest::newRow("searching copy passed over")
            << binary + QByteArray("HCMFS-FILE-VERSION:\0..HCMFS-FILE-VERSION:1.2.3.4\0", 49) << "1.2.3.4";
        QTest::newRow("not a version") << binary + QByteArray("HCMFS-FILE-VERSION:abc\0", 23) << "";
        QTest::newRow("empty file") << QByteArray() << "";
    }

    void markerScan()
    {
    #ifdef Q_OS_WIN
        QSKIP("Windows libraries carry a version resource instead");
    #endif
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = calctest::writeLines(dir.filePath(QStringLiteral("lib.so")), {content});
        QVERIFY(!path.isEmpty());
        QTEST(fileVersionText(path), "version");
    }

    void builtLibraries()
    {
    #ifdef Q_OS_WIN
        QSKIP("Windows libraries carry a version resource instead");
    #endif
        QCOMPARE(fileVersionText(QStringLiteral("/no/such/library.so")), QString());
        // Our own library carries a readable version too.
        const QString ours = QStringLiteral(LINKWISE_BINDIR "/") + hcmLibraryFileName();
        QVERIFY(QFile::exists(ours));
        QVERIFY(compareVersions(QStringLiteral("0.0.0.0"), fileVersionText(ours)) >= 0);
    }
};

QTEST_GUILESS_MAIN(TestVersionCompare)
#include "tst_versioncompare.moc"
