// The trigger against the border data shipped with the program, and the
// country list written into a caller's fixed-size buffer. The library's entry
// point tests pass a record through to that buffer, errors included.
#include "trigger/borderfolder.h"
#include "trigger/borderlocation.h"
#include "trigger/trigger.h"

#include <QtTest>

using namespace hcmfs::trigger;

class TestTriggerShipped : public QObject
{
    Q_OBJECT

private slots:
    void shippedDataCoversEurope()
    {
        std::vector<BorderFileEntry> files;
        QCOMPARE(listBorderFiles(defaultBorderFolder(), files), 0);
        QStringList codes;
        for (const BorderFileEntry& f : files)
            codes << QString::fromStdString(f.code);
        for (const char* code : {"D", "F", "I", "AUT", "BEL", "SUI", "HOL", "LUX", "CZE", "SVK", "POL", "HNG",
                                 "SVN", "HRV", "ROU", "DNK", "G", "IRL", "E", "POR", "NOR", "S", "FIN", "GRC",
                                 "TUR", "RUS", "UKR", "MRC", "ALG", "TUN", "EGY"})
            QVERIFY2(codes.contains(code), code);
    }

    void stationsNearBorders_data()
    {
        QTest::addColumn<double>("lon");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("ghz");
        QTest::addColumn<double>("heightM");
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("expected");

        // Bavaria, 30 km from the Austrian border.
        QTest::newRow("23 GHz in Germany") << 12.0 << 47.95 << 23.0 << 500.0 << "D" << "AUT";
        // Salzburg land, 30 km from the German border.
        QTest::newRow("23 GHz in Austria") << 13.4 << 47.42 << 23.0 << 800.0 << "AUT" << "D";
        // The same German site lower in frequency reaches further.
        QTest::newRow("2 GHz low site in Germany") << 12.0 << 47.95 << 2.0 << 299.0 << "D" << "AUT,I";
        QTest::newRow("2 GHz high site in Germany") << 12.0 << 47.95 << 2.0 << 300.0 << "D" << "AUT,CZE,I,SUI";
        // Across the sea: the English Channel is narrower than 80 km at Dover.
        QTest::newRow("15 GHz at Dover") << 1.3 << 51.13 << 15.0 << 100.0 << "G" << "F";
        // Far from every border.
        QTest::newRow("38 GHz in central France") << 2.5 << 46.5 << 38.0 << 300.0 << "F" << "";
    }

    void stationsNearBorders()
    {
        QFETCH(double, lon);
        QFETCH(double, lat);
        QFETCH(double, ghz);
        QFETCH(double, heightM);
        QFETCH(QString, own);
        QFETCH(QString, expected);

        std::string countries;
        const TriggerStation station = TriggerStation::fromDegrees(lon, lat, ghz, heightM, own.toStdString());
        QCOMPARE(triggeredCountries(resolveBorderFolder(""), station, countries), 0);
        QCOMPARE(QString::fromStdString(countries), expected);
    }

    void writeIntoBuffer_data()
    {
        QTest::addColumn<QString>("countries");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("error");

        QTest::newRow("room to spare") << "AUT,D,I" << 10 << "AUT,D,I   " << 0;
        QTest::newRow("exact fit") << "AUT,D,I" << 7 << "AUT,D,I" << 0;
        QTest::newRow("last code cut off") << "AUT,D,I" << 6 << "AUT,D " << 2009;
        QTest::newRow("ends before a comma") << "AUT,D,I" << 5 << "AUT,D" << 2009;
        QTest::newRow("inside the second code") << "AUT,HNG" << 5 << "AUT  " << 2009;
        QTest::newRow("not even one code") << "AUT,D" << 2 << "  " << 2009;
        QTest::newRow("nothing triggered") << "" << 4 << "    " << 0;
        QTest::newRow("no room, nothing to write") << "" << 0 << "" << 0;
        QTest::newRow("no room") << "D" << 0 << "" << 2009;
    }

    void writeIntoBuffer()
    {
        QFETCH(QString, countries);
        QFETCH(int, capacity);
        QFETCH(QString, written);
        QFETCH(int, error);

        // Guard bytes either side show that nothing is written outside the capacity.
        QByteArray buffer(capacity + 2, '#');
        QCOMPARE(writeCountryList(countries.toStdString(), buffer.data() + 1, capacity), error);
        QCOMPARE(buffer, "#" + written.toLatin1() + "#");
        // No buffer is no room.
        QCOMPARE(writeCountryList(countries.toStdString(), nullptr, capacity), countries.isEmpty() ? 0 : 2009);
    }
};

QTEST_GUILESS_MAIN(TestTriggerShipped)
#include "tst_triggershipped.moc"
