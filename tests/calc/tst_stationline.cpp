// How the engine reads station lines: line splitting, station types,
// frequencies, co-ordinates and the distance between two stations.
#include "calc/stationline.h"

#include <QtTest>

#include <cmath>

class TestStationLine : public QObject
{
    Q_OBJECT

private slots:
    void split_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("no line break") << QByteArray("TX;1") << QByteArrayList{"TX;1"};
        QTest::newRow("empty text") << QByteArray() << QByteArrayList{""};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n\r\nc") << QByteArrayList{"a", "b", "", "c"};
        QTest::newRow("CR LF wins over lone LF") << QByteArray("a\nb\r\nc") << QByteArrayList{"a\nb", "c"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << QByteArrayList{"a", "b", ""};
        QTest::newRow("LF") << QByteArray("a\n\nb\n") << QByteArrayList{"a", "", "b", ""};
    }

    void split()
    {
        QFETCH(QByteArray, text);
        QTEST(splitStationLines(text), "lines");
    }

    void types_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("type");
        QTest::newRow("TX") << QByteArray("TX;1") << int(StationLine::Tx);
        QTest::newRow("PRx") << QByteArray("PRx;1") << int(StationLine::PRx);
        QTest::newRow("PR alone") << QByteArray("PR;1") << int(StationLine::Other);
        QTest::newRow("empty") << QByteArray() << int(StationLine::Other);
    }

    void types()
    {
        QFETCH(QByteArray, line);
        QTEST(int(stationType(line)), "type");
    }

    void frequency_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("unit");
        QTest::addColumn<double>("mhz");
        QTest::newRow("GHz") << QByteArray("7.5") << QByteArray("G") << 7500.0;
        QTest::newRow("MHz") << QByteArray("7500") << QByteArray("M") << 7500.0;
        QTest::newRow("other unit") << QByteArray("7500") << QByteArray("") << 7500.0;
        QTest::newRow("lower-case unit is no unit") << QByteArray("7.5") << QByteArray("g") << 7.5;
        QTest::newRow("kHz") << QByteArray("7500000") << QByteArray("K") << 7500.0;
        QTest::newRow("not a number") << QByteArray("13G") << QByteArray("M") << -1000.0;
        QTest::newRow("not finite") << QByteArray("inf") << QByteArray("M") << -1000.0;
    }

    void frequency()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, unit);
        QTEST(stationFrequency(value, unit), "mhz");
    }

    void coordinates_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("latitude");
        QTest::newRow("east north") << QByteArray("015E300047N1530") << 15.5 << 47.0 + (15 + 0.5) / 60.0;
        QTest::newRow("lower-case hemispheres") << QByteArray("036e533004n1701") << 36.0 + (53 + 0.5) / 60.0
                                                << 4.0 + (17 + 1 / 60.0) / 60.0;
        QTest::newRow("west south") << QByteArray("120W000033S3000") << -120.0 << -33.5;
        QTest::newRow("bad latitude") << QByteArray("015E000047Nxx00") << 15.0 << -1000.0;
        QTest::newRow("bad longitude stops the parse") << QByteArray("36e593104n2132") << -1000.0 << -1000.0;
        QTest::newRow("longitude only") << QByteArray("015E0000") << 15.0 << -1000.0;
    }

    void coordinates()
    {
        QFETCH(QByteArray, text);
        double lon = 0;
        double lat = 0;
        stationCoordinates(text, &lon, &lat);
        QTEST(lon, "longitude");
        QTEST(lat, "latitude");
    }

    void shortLineAndMissingFile()
    {
        // Names, countries, references and indexes reach the report; the engine
        // tests read them there. A line that ends early has none of them.
        const StationLine s = parseStationLine("RX;13000;M", 0, true);
        QCOMPARE(s.reference, QString());
        QVERIFY(s.positionMissing());
        QCOMPARE(stationField("a;b;c", 3), QByteArray());
        // A file that cannot be read leaves the lines as they were.
        QList<QByteArray> lines{"kept"};
        QVERIFY(!readStationLines(QStringLiteral("/no/such/file.txt"), &lines));
        QCOMPARE(lines, QList<QByteArray>{"kept"});
    }

    void distance()
    {
        const StationLine a = parseStationLine("TX;1;M;;;;;;a;;015E000047N0000", 0, true);
        const StationLine b = parseStationLine("RX;1;M;;;;;;b;;015E000048N0000", 0, true);
        // One degree of a great circle on a sphere of 6371 km.
        QVERIFY(std::fabs(stationDistance(a, b) - 6371.0 * 3.14159265 / 180.0) < 1e-6);
        // Identical positions are (next to) 0 km apart, never "not a number":
        // at 0 deg 5' the cosine of the angle between them rounds to just above 1.
        for (const char* coordinates : {"015E000047N0000", "015E000000N0500", "036e533004n1701"}) {
            const StationLine c = parseStationLine(QByteArray("RX;1;M;;;;;;c;;") + coordinates, 0, true);
            const double d = stationDistance(c, c);
            QVERIFY2(d >= 0.0 && d < 0.001, coordinates);
        }
    }
};

QTEST_GUILESS_MAIN(TestStationLine)
#include "tst_stationline.moc"
