// Tile and archive names: every row of the terrain server's archive table
// with its edges, and tile file names read back into coordinates.
#include "update/tilenames.h"

#include <QtTest>

class TestTileNames : public QObject
{
    Q_OBJECT

private slots:
    void topoArchive_data()
    {
        QTest::addColumn<int>("lon");
        QTest::addColumn<int>("lat");
        QTest::addColumn<QString>("archive"); // empty: no archive
        const struct { int lon, lat; const char* archive; } rows[] = {
            {0, 0, "E000north00to29.zip"}, {15, 29, "E015north00to29.zip"},
            {33, 30, "E033north30to89.zip"}, {122, -1, "E122south.zip"},
            {-1, 89, "W001north30to89.zip"}, {-10, -90, "W010south.zip"},
            {-98, 5, "W098north00to29.zip"}, {-102, -5, "W102south.zip"},
            {-105, 40, "W105north30to89.zip"}, {-115, 0, "W115north00to29.zip"},
            {-5, -20, "W005south.zip"},
            {-104, 29, "W104north00to29.zip"}, {-104, 30, "W10430to89.zip"}, {-104, -1, "W104south.zip"},
            {16, 30, "E016north30to89.zip"}, {32, 29, "E032north00to29.zip"},
            {16, -2, "E016south01to25.zip"}, {32, -25, "E032south01to25.zip"},
            {20, -27, "E020south26to90.zip"}, {20, -90, "E020south26to90.zip"},
            // The strips -1 and -26 lie in neither southern archive of these columns.
            {16, -1, ""}, {32, -26, ""},
            {123, 0, "E123north.zip"}, {149, -1, "E149south.zip"}, {-50, 3, "W050north.zip"},
            {-59, -3, "W059south.zip"}, {-74, 1, "W074north.zip"}, {-80, -1, "W080south.zip"},
            {-116, 60, "W116north.zip"}, {-180, -60, "W180south.zip"},
            {150, 5, "E150.zip"}, {179, -80, "E179.zip"}, {-11, 3, "W011.zip"},
            {-49, -3, "W049.zip"}, {-81, 0, "W081.zip"}, {-97, 10, "W097.zip"},
            {-60, 0, "W060north.zip"}, {-73, -1, "W073south01to30.zip"},
            {-73, -30, "W073south01to30.zip"}, {-60, -31, "W060south31to90.zip"},
            {-103, 10, ""},
        };
        for (const auto& r : rows)
            QTest::addRow("%d,%d", r.lon, r.lat) << r.lon << r.lat << QString::fromLatin1(r.archive);
    }

    void topoArchive()
    {
        QFETCH(int, lon);
        QFETCH(int, lat);
        QFETCH(QString, archive);
        QCOMPARE(TileNames::topoArchiveName(lon, lat), archive);
        const QString column = TileNames::columnName(lon);
        QCOMPARE(TileNames::topoArchivePath(lon, lat),
                 archive.isEmpty() ? QString() : "/topogra/TOPO/" + column + "/" + archive);
        QCOMPARE(TileNames::morphoArchivePath(lon), "/morpho/MORPHO/" + column + "/" + column + ".zip");
    }

    void tileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("lonLat"); // empty: not a tile name
        // Refused: two longitude digits, another letter, a letter in the latitude, past 180, an archive.
        for (const char* bad : {"E16N45.dat", "X016N45", "E016N4x", "E181N00", "E016north00to29.zip"})
            QTest::newRow(bad) << QString(bad) << QList<int>();
        QTest::newRow("east north") << "E016N45.dat" << QList<int>{16, 45};
        QTest::newRow("west south") << "W005S20" << QList<int>{-5, -20};
        QTest::newRow("lower case") << "w180s90.bin" << QList<int>{-180, -90};
    }

    void tileName()
    {
        QFETCH(QString, name);
        QFETCH(QList<int>, lonLat);
        int lon = 0, lat = 0;
        QCOMPARE(TileNames::parseTileName(name, &lon, &lat), !lonLat.isEmpty());
        if (!lonLat.isEmpty())
            QCOMPARE(QList<int>({lon, lat}), lonLat);
    }
};

QTEST_GUILESS_MAIN(TestTileNames)
#include "tst_tilenames.moc"
