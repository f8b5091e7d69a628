// Terrain: tile names, the HCM block layout (worked offsets), .hgt tiles,
// bilinear interpolation, voids, unreadable tiles, data locations from the
// settings file, and the effect of terrain on a calculation (a ridge between
// the stations raises the basic transmission loss; a flat tile at the
// stations' ground height changes nothing).
#include "calculation.h"
#include "datalocations.h"
#include "refractivity.h"
#include "hcmfstestutil.h"
#include "terrain.h"
#include "terrainwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

double dms(int d, int m, int s) { return d + m / 60.0 + s / 3600.0; }

bool readTile(const QString& path, int lon, int lat, hcmfs::TerrainTile& tile)
{
    std::string message;
    return hcmfs::readTerrainTile(path.toStdString(), lon, lat, tile, message);
}

// Writes an HCM tile of heights h(lat, lon), its folder too.
bool writeHcm(const QString& path, int lon, int lat, bool half, const hcmfs::HeightFunction& h)
{
    std::string message;
    return QDir().mkpath(QFileInfo(path).path()) && hcmfs::writeHcmTile(path.toStdString(), lon, lat, half, h, message);
}

bool writeAndRead(const QString& path, int lon, int lat, bool half, const hcmfs::HeightFunction& h,
                  hcmfs::TerrainTile& tile)
{
    return writeHcm(path, lon, lat, half, h) && readTile(path, lon, lat, tile);
}

} // namespace

static hcmfs::Calculation calculate(const QByteArray& terrain, const QMap<int, QByteArray>& txChanges = {},
                                    const QMap<int, QByteArray>& rxChanges = {})
{
    // The link ends of the sample file, west and east of 16.9 E at 50.5 N.
    QMap<int, QByteArray> tx = hcmfstest::flatTx();
    QMap<int, QByteArray> rx = hcmfstest::flatRx();
    tx[1] = rx[1] = "12765";
    tx[10] = "016E400050N3000";
    rx[10] = "017E050050N3000";
    tx[11] = rx[11] = "250";
    tx[33] = "90";
    rx[33] = "270";
    tx.insert(txChanges);
    rx.insert(rxChanges);
    hcmfs::CalcRequest req;
    req.lines = {hcmfstest::recordLine(tx, hcmfstest::flatPattern()).toStdString(),
                 hcmfstest::recordLine(rx, hcmfstest::flatPattern()).toStdString()};
    req.terrain = terrain.toStdString();
    hcmfs::Calculation calc;
    hcmfs::runCalculation(req, calc);
    return calc;
}

static bool writeScene(const QString& root, const hcmfs::HeightFunction& h)
{
    return writeHcm(root + "/TOPO/E016/E016N50.63E", 16, 50, true, h) &&
           writeHcm(root + "/TOPO/E017/E017N50.63E", 17, 50, true, h);
}

class TestTerrain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid());
        qputenv("LINKWISE_MACHINE_INI", QFile::encodeName(tmp_.filePath("machine.ini")));
    }

    void tileNames()
    {
        QCOMPARE(hcmfs::tileName(16, 54) + " " + hcmfs::tileName(-5, 40) + " " + hcmfs::tileName(-75, -12),
                 std::string("E016N54 W005N40 W075S12"));
    }

    void workedOffsets_data()
    {
        QTest::addColumn<QString>("name"); // the format follows from the name
        QTest::addColumn<int>("lon0");
        QTest::addColumn<int>("lat0");
        QTest::addColumn<qulonglong>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::newRow("33 inside a block") << "E010N40.33E" << 10 << 40 << 28582ull << 1234 << dms(40, 2, 0) << dms(10, 7, 30);
        QTest::newRow("33 block corner") << "E010N40.33E" << 10 << 40 << 856884ull << 1234 << 40.25 << 10.5;
        QTest::newRow("63 inside a block") << "E010N50.63E" << 10 << 50 << 14432ull << 1234 << dms(50, 2, 0) << dms(10, 7, 30);
        QTest::newRow("33 north-east corner") << "E010N40.33E" << 10 << 40 << 2937886ull << 1234 << 41.0 << 11.0;
        // .hgt: north row first, big-endian; the first sample of the last row is
        // the south-west corner.
        QTest::newRow("hgt north-west corner") << "N45E007.hgt" << 7 << 45 << 0ull << 3000 << 46.0 << 7.0;
        QTest::newRow("hgt south-west corner") << "N45E007.hgt" << 7 << 45 << 1200ull * 1201 * 2 << 150 << 45.0 << 7.0;
        QTest::newRow("hgt negative, second sample") << "N45E007.hgt" << 7 << 45 << 2ull << -20 << 46.0 << 7.0 + 1.0 / 1200;
    }

    void workedOffsets()
    {
        QFETCH(QString, name);
        QFETCH(int, lon0);
        QFETCH(int, lat0);
        QFETCH(qulonglong, offset);
        QFETCH(int, value);
        QFETCH(double, lat);
        QFETCH(double, lon);
        const bool hgt = name.endsWith(".hgt"), half = name.endsWith(".63E");
        // A tile of zeros with one sample set: .hgt big-endian, HCM little-endian.
        QByteArray bytes(hgt ? 1201 * 1201 * 2 : half ? 1483488 : 2937888, '\0');
        const auto u = static_cast<uint16_t>(value);
        bytes[int(offset) + (hgt ? 1 : 0)] = char(u & 0xff);
        bytes[int(offset) + (hgt ? 0 : 1)] = char(u >> 8);
        const QString path = tmp_.filePath(QStringLiteral("offsets/%1/%2").arg(offset).arg(name));
        QVERIFY(writeFile(path, bytes));
        hcmfs::TerrainTile tile;
        QVERIFY(readTile(path, lon0, lat0, tile));
        QCOMPARE(tile.rows, 1201);
        QCOMPARE(tile.cols, half ? 601 : 1201);
        QVERIFY(std::fabs(tile.heightAt(lat, lon) - value) < 1e-6);
        // One sample towards the middle of the tile is another value.
        const double step = (half ? 6.0 : 3.0) / 3600;
        QVERIFY(std::fabs(tile.heightAt(lat, lon + (lon - lon0 < 0.5 ? step : -step))) < 1e-6);
    }

    void writerRoundTrip()
    {
        auto h = [](double lat, double lon) { return 100 + 1000 * (lat - 50) + 500 * (lon - 16); };
        for (const bool half : {false, true}) {
            hcmfs::TerrainTile tile;
            QVERIFY(writeAndRead(tmp_.filePath(half ? "rt/E016N50.63E" : "rt/E016N50.33E"), 16, 50, half, h, tile));
            for (double lat : {50.0, 50.3, 50.75, 51.0})
                for (double lon : {16.0, 16.1, 16.5, 17.0})
                    QVERIFY2(std::fabs(tile.heightAt(lat, lon) - h(lat, lon)) <= 0.51, qPrintable(QString::number(tile.heightAt(lat, lon))));
        }
        const QString hgt = tmp_.filePath("rt/N50E016.hgt");
        std::string message;
        QVERIFY(hcmfs::writeHgtTile(hgt.toStdString(), 16, 50, 1201, h, message));
        hcmfs::TerrainTile tile;
        QVERIFY(readTile(hgt, 16, 50, tile));
        QVERIFY(std::fabs(tile.heightAt(50.4, 16.6) - h(50.4, 16.6)) <= 0.51);
    }

    void bilinearAndVoids()
    {
        // Samples rise 10 m per column and 1 m per row: bilinear is exact between them.
        hcmfs::TerrainTile tile;
        QVERIFY(writeAndRead(tmp_.filePath("bl/E020N10.33E"), 20, 10, false, [](double lat, double lon) {
            return 10 * std::round((lon - 20) * 1200) + std::round((lat - 10) * 1200);
        }, tile));
        const double step = 1.0 / 1200;
        QVERIFY(std::fabs(tile.heightAt(10 + 3 * step, 20 + 7 * step) - (73.0)) < 1e-6);
        QVERIFY(std::fabs(tile.heightAt(10 + 3.5 * step, 20 + 7.25 * step) - 76.0) < 1e-9);

        QVERIFY(writeAndRead(tmp_.filePath("void/E001N01.33E"), 1, 1, false, [step](double lat, double lon) {
            const long r = std::lround((lat - 1) / step), c = std::lround((lon - 1) / step);
            if (r == 600 && c == 600)
                return std::nan(""); // a void
            return r == 600 && c == 601 ? 300.0 : 100.0;
        }, tile));
        // Neighbours: seven at 100 m, one at 300 m.
        QCOMPARE(tile.heightAt(1.5, 1.5), std::round((7 * 100 + 300) / 8.0));
    }

    void unreadableTiles()
    {
        hcmfs::TerrainTile tile;
        std::string message;
        QVERIFY(!hcmfs::readTerrainTile(tmp_.filePath("nope.33E").toStdString(), 0, 0, tile, message));
        QVERIFY(!message.empty());
        const QString truncated = tmp_.filePath("trunc/E000N00.33E");
        QVERIFY(writeFile(truncated, QByteArray(2937887, '\0')));
        QVERIFY(!hcmfs::readTerrainTile(truncated.toStdString(), 0, 0, tile, message));
        QVERIFY(QString::fromStdString(message).contains("unknown size"));

        hcmfs::TerrainSource source(tmp_.filePath("trunc").toStdString());
        double h = 0;
        QVERIFY(!source.height(0.5, 0.5, h, message));
        QVERIFY(!source.height(5.5, 5.5, h, message)); // no tile at all
        QVERIFY(QString::fromStdString(message).contains("E005N05"));

        // The north-east corner of a tile is found in that tile even without its neighbours.
        hcmfs::TerrainSource rt(tmp_.filePath("rt").toStdString());
        QVERIFY2(rt.height(51.0, 17.0, h, message), message.c_str());
        QVERIFY(std::fabs(h - (100 + 1000 + 500)) <= 0.51);
    }

    void tileRewrittenIsReread()
    {
        const QString root = tmp_.filePath("rewrite");
        QDir().mkpath(root + "/E003");
        const std::string path = (root + "/E003/E003N03.33E").toStdString();
        std::string message;
        QVERIFY(hcmfs::writeHcmTile(path, 3, 3, false, [](double, double) { return 100.0; }, message));
        double h = 0;
        {
            hcmfs::TerrainSource s(root.toStdString());
            QVERIFY(s.height(3.5, 3.5, h, message));
            QCOMPARE(h, 100.0);
        }
        QVERIFY(hcmfs::writeHcmTile(path, 3, 3, false, [](double, double) { return 200.0; }, message));
        hcmfs::TerrainSource s(root.toStdString());
        QVERIFY(s.height(3.5, 3.5, h, message));
        QCOMPARE(h, 200.0);
    }

    void settingsFile()
    {
        const QString ini = tmp_.filePath("machine.ini");
        QVERIFY(writeFile(ini, "[General]\ntopo=\"/data/hcm/topo\"\nmorpho = /data/hcm/morpho\n; comment\n[Other]\ntopo=/wrong\n"));
        const auto keys = hcmfs::readIniGeneral(ini.toStdString());
        QCOMPARE(keys.at("topo"), std::string("/data/hcm/topo"));
        QCOMPARE(keys.at("morpho"), std::string("/data/hcm/morpho"));
        QCOMPARE(hcmfs::machineSettingsPath(), ini.toStdString());
        const hcmfs::DataLocations loc = hcmfs::resolveDataLocations("");
        QCOMPARE(loc.topo, std::string("/data/hcm/topo"));
        QVERIFY(QFile::remove(ini));
        QVERIFY(hcmfs::resolveDataLocations("").topo.empty());
        // A root with a TOPO folder: the tiles are looked for there.
        QDir().mkpath(tmp_.filePath("root1/TOPO"));
        QCOMPARE(hcmfs::resolveDataLocations(tmp_.filePath("root1").toStdString()).topo,
                 tmp_.filePath("root1/TOPO").toStdString());
        QCOMPARE(hcmfs::parentFolder("/data/hcm/TOPO/"), std::string("/data/hcm"));
        QCOMPARE(hcmfs::parentFolder("/TOPO"), std::string("/"));
        QCOMPARE(hcmfs::parentFolder("TOPO"), std::string());
        // A bare drive letter names that drive's root.
        QCOMPARE(hcmfs::resolveDataLocations("D").root, std::string("D:/"));
        QCOMPARE(hcmfs::resolveDataLocations("e:").root, std::string("e:/"));
    }

    void ridgeRaisesLoss()
    {
        // A flat tile at the stations' ground height changes nothing.
        const QString flatRoot = tmp_.filePath("flat250");
        QVERIFY(writeScene(flatRoot, [](double, double) { return 250.0; }));
        const hcmfs::Calculation smooth = calculate(QByteArray());
        const hcmfs::Calculation flat = calculate(QFile::encodeName(flatRoot));
        QCOMPARE(smooth.error, 0);
        QCOMPARE(flat.error, 0);
        QVERIFY(smooth.smoothEarth);
        QVERIFY(!flat.smoothEarth);
        QCOMPARE(flat.tilesUsed.size(), std::size_t(2));
        QCOMPARE(flat.hops[0].params.htg, 30.0);
        QVERIFY(std::fabs(flat.hops[0].p452.lb - smooth.hops[0].p452.lb) < 1e-6);
        QVERIFY(std::fabs(flat.interference - smooth.interference) < 1e-6);

        const QString root = tmp_.filePath("ridge");
        QVERIFY(writeScene(root, [](double lat, double lon) {
            const double across = (lon - 16.9) * 111.195 * std::cos(lat * 3.14159265358979323846 / 180);
            return 250 + 550 * std::exp(-(across / 1.5) * (across / 1.5));
        }));
        const hcmfs::Calculation ridge = calculate(QFile::encodeName(root));
        QCOMPARE(ridge.error, 0);
        QVERIFY(!flat.hops[0].p452.transHorizon);
        QVERIFY(ridge.hops[0].p452.transHorizon);
        QVERIFY(ridge.hops[0].groundMax > 790);
        QVERIFY2(ridge.hops[0].p452.lb > flat.hops[0].p452.lb + 30,
                 qPrintable(QStringLiteral("%1 vs %2").arg(ridge.hops[0].p452.lb).arg(flat.hops[0].p452.lb)));
        QVERIFY(ridge.interference < flat.interference - 30);

        // Named by the settings file, not by the caller, the same terrain.
        QVERIFY(writeFile(tmp_.filePath("machine.ini"), "topo=" + QFile::encodeName(root) + "\n"));
        const hcmfs::Calculation viaSettings = calculate(QByteArray());
        QCOMPARE(viaSettings.error, 0);
        QVERIFY(!viaSettings.smoothEarth);
        QCOMPARE(viaSettings.hops[0].p452.lb, ridge.hops[0].p452.lb);
        QVERIFY(QFile::remove(tmp_.filePath("machine.ini")));
    }

    void refractivityMaps()
    {
        // Maps beside the tiles take precedence over the maps shipped with the library.
        const QString root = tmp_.filePath("flat250");
        const hcmfs::Calculation shipped = calculate(QFile::encodeName(root));
        QVERIFY(shipped.hops[0].refractivity.source.find("shipped") != std::string::npos);
        auto writeMap = [&](const char* name, double value) {
            QByteArray text;
            for (int r = 0; r < 121; ++r) {
                for (int c = 0; c < 241; ++c)
                    text += QByteArray::number(c == 11 ? value + 10 : value) + ' '; // column 11 is 16.5 E
                text += '\n';
            }
            return writeFile(root + "/" + name, text);
        };
        QVERIFY(writeMap("DN50.TXT", 60));
        QVERIFY(writeMap("N050.TXT", 300));
        const hcmfs::Calculation mapped = calculate(QFile::encodeName(root));
        QCOMPARE(mapped.error, 0);
        QVERIFY(mapped.hops[0].refractivity.fromMaps);
        // Path centre at 16.875 E: between columns 11 (16.5 E) and 12 (18 E), a quarter of the way.
        const double dn = 60 + 10 * (1 - (16.875 - 16.5) / 1.5);
        QVERIFY2(std::fabs(mapped.hops[0].params.dn - dn) < 0.01, qPrintable(QString::number(mapped.hops[0].params.dn)));
        QVERIFY(std::fabs(mapped.hops[0].p452.ae - 6371 * 157 / (157 - mapped.hops[0].params.dn)) < 1e-9);
        // Named through its TOPO folder, the root's maps are still found.
        QVERIFY(calculate(QFile::encodeName(root + "/TOPO")).hops[0].refractivity.fromMaps);
        QVERIFY(QFile::remove(root + "/DN50.TXT"));
        QCOMPARE(calculate(QFile::encodeName(root)).hops[0].params.dn, shipped.hops[0].params.dn);
        // The shipped maps at grid points (rows 26 and 27 are 51 and 49.5 N,
        // columns 11 and 12 are 16.5 and 18 E) and halfway between all four.
        const std::string folder = hcmfs::shippedMapsFolder();
        QCOMPARE(hcmfs::refractivityAt(folder, 51, 16.5).dn, 37.160);
        QCOMPARE(hcmfs::refractivityAt(folder, 49.5, 18).n0, 322.271);
        const hcmfs::Refractivity mid = hcmfs::refractivityAt(folder, 50.25, 17.25);
        QVERIFY(std::fabs(mid.dn - (37.160 + 36.943 + 36.520 + 36.081) / 4) < 1e-9);
        QVERIFY(std::fabs(mid.n0 - (322.187 + 322.067 + 322.291 + 322.271) / 4) < 1e-9);
    }

    void stationsStandOnTheirRecords_data()
    {
        QTest::addColumn<QByteArray>("siteHeight"); // 4Z of both ends; 9Y is 30 m
        QTest::addColumn<double>("antennaAsl");
        QTest::addColumn<bool>("transHorizon");
        QTest::addColumn<QString>("warning");
        // On a 400 m plateau, antennas at 250 + 30 m are buried: the plateau's
        // first interior point, 120 m above them, closes the horizon.
        QTest::newRow("buried") << QByteArray("250") << 280.0 << true << "differs from the terrain model";
        QTest::newRow("on the terrain") << QByteArray("400") << 430.0 << false << QString();
        QTest::newRow("4Z empty") << QByteArray() << 430.0 << false << "4Z is empty, the terrain height";
    }

    void stationsStandOnTheirRecords()
    {
        QFETCH(QByteArray, siteHeight);
        QFETCH(double, antennaAsl);
        QFETCH(bool, transHorizon);
        QFETCH(QString, warning);
        const QString root = tmp_.filePath("plateau400");
        QVERIFY(QDir(root).exists() || writeScene(root, [](double, double) { return 400.0; }));
        const hcmfs::Calculation c = calculate(QFile::encodeName(root), {{11, siteHeight}}, {{11, siteHeight}});
        QCOMPARE(c.error, 0);
        QCOMPARE(c.hops[0].p452.hts, antennaAsl);
        QCOMPARE(c.hops[0].p452.transHorizon, transHorizon);
        QCOMPARE(int(c.siteWarnings.size()), warning.isEmpty() ? 0 : 2);
        QVERIFY(warning.isEmpty() || c.siteWarnings[0].find(warning.toStdString()) != std::string::npos);
    }

    void zonesFromMorphology()
    {
        // North along 36 E from 1 N to 1 02'56" N: 5.436 km, 56 points 3.2" of
        // latitude apart, at .33M tile rows 16/15 i. Rows to 13 inland, 14-28
        // coastal, from 29 sea: points 0-13 inland, 14-27 coastal, 28-55 sea.
        // With the step s and the half-gap rule d_lm = 13.5 s, d_tm = 27.5 s,
        // sea 27.5 s of 55 s (omega 0.5); the coast is 28 s from the transmitter.
        const QString root = tmp_.filePath("coast");
        QVERIFY(writeHcm(root + "/TOPO/E036/E036N01.33E", 36, 1, false, [](double, double) { return 250.0; }));
        // Only bits 0 and 2 count: 11 is sea, 20 coastal land, 2 inland.
        QVERIFY(writeHcm(root + "/MORPHO/E036/E036N01.33M", 36, 1, false, [](double lat, double) {
            return lat > 1 + 28.5 / 1200 ? 11.0 : lat > 1 + 13.5 / 1200 ? 20.0 : 2.0;
        }));
        const QMap<int, QByteArray> tx{{10, "036E000001N0000"}, {33, "0"}}, rx{{10, "036E000001N0256"}, {33, "180"}};
        hcmfs::Calculation c = calculate(QFile::encodeName(root), tx, rx);
        QCOMPARE(c.hops[0].points, 56);
        const double s = c.hops[0].stepKm;
        QCOMPARE(c.hops[0].p452.omega, 0.5);
        QVERIFY(std::fabs(c.hops[0].p452.dtm - 27.5 * s) < 1e-9 && std::fabs(c.hops[0].p452.dlm - 13.5 * s) < 1e-9);
        QVERIFY(std::fabs(c.hops[0].params.dct - 28 * s) < 1e-9 && c.hops[0].params.dcr == 0);
        // Without its tile every point is inland, and that is said.
        QVERIFY(QFile::remove(root + "/MORPHO/E036/E036N01.33M"));
        c = calculate(QFile::encodeName(root), tx, rx);
        QCOMPARE(c.hops[0].p452.omega, 0.0);
        QCOMPARE(c.hops[0].p452.dlm, c.hops[0].distanceKm);
        QCOMPARE(c.morphoMissing.size(), std::size_t(1));
    }

private:
    QTemporaryDir tmp_;
};

QTEST_GUILESS_MAIN(TestTerrain)
#include "tst_terrain.moc"
