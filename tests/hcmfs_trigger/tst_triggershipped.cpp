// The trigger against the border data shipped with the program, and the
// country list written into a caller's fixed-size buffer. The library's entry
// point tests pass a record through to that buffer, errors included.
#include "trigger/borderfolder.h"
#include "trigger/borderlocation.h"
#include "trigger/trigger.h"

#include <QtTest>

#include <tuple>

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

    void writeIntoBuffer()
    {
        // {countries, capacity, buffer afterwards, error}: room to spare, an exact fit, the last code
        // cut off, a cut just before a comma, inside the second code, not even one code, nothing
        // triggered, no room with nothing to write, no room.
        for (const auto& [countries, capacity, written, error] :
             std::initializer_list<std::tuple<std::string, int, QByteArray, int>>{
                 {"AUT,D,I", 10, "AUT,D,I   ", 0}, {"AUT,D,I", 7, "AUT,D,I", 0}, {"AUT,D,I", 6, "AUT,D ", 2009},
                 {"AUT,D,I", 5, "AUT,D", 2009}, {"AUT,HNG", 5, "AUT  ", 2009}, {"AUT,D", 2, "  ", 2009},
                 {"", 4, "    ", 0}, {"", 0, "", 0}, {"D", 0, "", 2009}}) {
            // Guard bytes either side show that nothing is written outside the capacity; no buffer is no room.
            QByteArray buffer(capacity + 2, '#');
            const int got = writeCountryList(countries, buffer.data() + 1, capacity);
            const int noBuffer = writeCountryList(countries, nullptr, capacity);
            const QString row = QString("%1 in %2: ").arg(countries.c_str()).arg(capacity);
            QCOMPARE(row + QString("%1 %2 %3").arg(got).arg(QString::fromLatin1(buffer)).arg(noBuffer),
                     row + QString("%1 #%2# %3").arg(error).arg(QString::fromLatin1(written))
                               .arg(countries.empty() ? 0 : 2009));
        }
    }
};

QTEST_GUILESS_MAIN(TestTriggerShipped)
#include "tst_triggershipped.moc"
