// Terrain: tile names, the HCM block layout (worked offsets), .hgt tiles,
// bilinear interpolation, voids, unreadable tiles, data locations from the
// settings file, and the effect of terrain on a calculation (a ridge between
// the stations raises the basic transmission loss; a flat tile at the
// stations' ground height changes nothing).
#include "calculation.h"
#include "datalocations.h"
#include "hcmfstestutil.h"
#include "terrain.h"
#include "terrainwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

QByteArray zeroTile(std::size_t bytes, const QList<QPair<std::size_t, int16_t>>& values, bool bigEndian = false)
{
    QByteArray b(static_cast<int>(bytes), '\0');
    for (const auto& v : values) {
        const auto u = static_cast<uint16_t>(v.second);
        b[int(v.first)] = char(bigEndian ? (u >> 8) : (u & 0xff));
        b[int(v.first + 1)] = char(bigEndian ? (u & 0xff) : (u >> 8));
    }
    return b;
}

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

// Writes an HCM tile of heights h(lat, lon) and reads it back.
bool writeAndRead(const QString& path, int lon, int lat, bool half, const hcmfs::HeightFunction& h,
                  hcmfs::TerrainTile& tile)
{
    QDir().mkpath(QFileInfo(path).path());
    std::string message;
    return hcmfs::writeHcmTile(path.toStdString(), lon, lat, half, h, message) && readTile(path, lon, lat, tile);
}

} // namespace

class TestTerrain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tileNames();
    void hcmWorkedOffsets_data();
    void hcmWorkedOffsets();
    void hgtOrientation();
    void writerRoundTrip();
    void bilinear();
    void voidsTakeNeighbourMean();
    void unreadableTiles();
    void tileRewrittenIsReread();
    void settingsFile();
    void flatTileEqualsSmoothEarth();
    void ridgeRaisesLoss();
    void settingsFileSuppliesTerrain();
    void refractivityMaps();

private:
    QTemporaryDir tmp_;
};

void TestTerrain::initTestCase()
{
    QVERIFY(tmp_.isValid());
    qputenv("LINKWISE_MACHINE_INI", QFile::encodeName(tmp_.filePath("machine.ini")));
}

void TestTerrain::tileNames()
{
    QCOMPARE(hcmfs::tileName(16, 54), std::string("E016N54"));
    QCOMPARE(hcmfs::tileName(-5, 40), std::string("W005N40"));
    QCOMPARE(hcmfs::tileName(-75, -12), std::string("W075S12"));
}

void TestTerrain::hcmWorkedOffsets_data()
{
    QTest::addColumn<bool>("half");
    QTest::addColumn<int>("lat0");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<qulonglong>("offset");
    QTest::newRow("33 inside a block") << false << 40 << dms(40, 2, 0) << dms(10, 7, 30) << 28582ull;
    QTest::newRow("33 block corner") << false << 40 << 40.25 << 10.5 << 856884ull;
    QTest::newRow("63 inside a block") << true << 50 << dms(50, 2, 0) << dms(10, 7, 30) << 14432ull;
    QTest::newRow("33 north-east corner") << false << 40 << 41.0 << 11.0 << 2937886ull;
}

void TestTerrain::hcmWorkedOffsets()
{
    QFETCH(bool, half);
    QFETCH(int, lat0);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(qulonglong, offset);
    const std::size_t bytes = half ? 1483488 : 2937888;
    const QString path = tmp_.filePath(QStringLiteral("offsets/tile%1%2").arg(half ? ".63E" : ".33E").arg(offset));
    QVERIFY(writeFile(path, zeroTile(bytes, {{offset, 1234}})));
    hcmfs::TerrainTile tile;
    QVERIFY(readTile(path, 10, lat0, tile));
    QCOMPARE(tile.rows, 1201);
    QCOMPARE(tile.cols, half ? 601 : 1201);
    QVERIFY(std::fabs(tile.heightAt(lat, lon) - (1234.0)) < 1e-6);
    // One sample further east is another value.
    QVERIFY(std::fabs(tile.heightAt(lat, lon - (half ? 6.0 : 3.0) / 3600) - (0.0)) < 1e-6);
}

void TestTerrain::hgtOrientation()
{
    // North row first, big-endian: first sample = north-west corner, the
    // first sample of the last row = south-west corner.
    const std::size_t last = 1200u * 1201u * 2u;
    const QString path = tmp_.filePath("hgt/N45E007.hgt");
    QVERIFY(writeFile(path, zeroTile(1201u * 1201u * 2u, {{0, 3000}, {last, 150}, {2, -20}}, true)));
    hcmfs::TerrainTile tile;
    QVERIFY(readTile(path, 7, 45, tile));
    QVERIFY(std::fabs(tile.heightAt(46.0, 7.0) - (3000.0)) < 1e-6);
    QVERIFY(std::fabs(tile.heightAt(45.0, 7.0) - (150.0)) < 1e-6);
    QVERIFY(std::fabs(tile.heightAt(46.0, 7.0 + 1.0 / 1200) - (-20.0)) < 1e-6);
}

void TestTerrain::writerRoundTrip()
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

void TestTerrain::bilinear()
{
    // Samples rise 10 m per column and 1 m per row: bilinear is exact between them.
    hcmfs::TerrainTile tile;
    QVERIFY(writeAndRead(tmp_.filePath("bl/E020N10.33E"), 20, 10, false, [](double lat, double lon) {
        return 10 * std::round((lon - 20) * 1200) + std::round((lat - 10) * 1200);
    }, tile));
    const double step = 1.0 / 1200;
    QVERIFY(std::fabs(tile.heightAt(10 + 3 * step, 20 + 7 * step) - (73.0)) < 1e-6);
    QVERIFY(std::fabs(tile.heightAt(10 + 3.5 * step, 20 + 7.25 * step) - 76.0) < 1e-9);
}

void TestTerrain::voidsTakeNeighbourMean()
{
    const double step = 1.0 / 1200;
    hcmfs::TerrainTile tile;
    QVERIFY(writeAndRead(tmp_.filePath("void/E001N01.33E"), 1, 1, false, [step](double lat, double lon) {
        const long r = std::lround((lat - 1) / step), c = std::lround((lon - 1) / step);
        if (r == 600 && c == 600)
            return std::nan(""); // a void
        return r == 600 && c == 601 ? 300.0 : 100.0;
    }, tile));
    // Neighbours: seven at 100 m, one at 300 m.
    QCOMPARE(tile.heightAt(1.5, 1.5), std::round((7 * 100 + 300) / 8.0));
}

void TestTerrain::unreadableTiles()
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

void TestTerrain::tileRewrittenIsReread()
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

void TestTerrain::settingsFile()
{
    const QString ini = tmp_.filePath("machine.ini");
    QFile f(ini);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[General]\ntopo=\"/data/hcm/topo\"\nmorpho = /data/hcm/morpho\n; comment\n[Other]\ntopo=/wrong\n");
    f.close();
    const auto keys = hcmfs::readIniGeneral(ini.toStdString());
    QCOMPARE(keys.at("topo"), std::string("/data/hcm/topo"));
    QCOMPARE(keys.at("morpho"), std::string("/data/hcm/morpho"));
    QCOMPARE(hcmfs::machineSettingsPath(), ini.toStdString());
    const hcmfs::DataLocations loc = hcmfs::resolveDataLocations("");
    QCOMPARE(loc.topo, std::string("/data/hcm/topo"));
    QVERIFY(f.remove());
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

static hcmfs::Calculation calculate(const QByteArray& terrain)
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
    std::string message;
    for (int lon : {16, 17}) {
        const QString dir = QStringLiteral("%1/TOPO/E0%2").arg(root).arg(lon);
        QDir().mkpath(dir);
        if (!hcmfs::writeHcmTile(QStringLiteral("%1/E0%2N50.63E").arg(dir).arg(lon).toStdString(), lon, 50, true, h, message))
            return false;
    }
    return true;
}

void TestTerrain::flatTileEqualsSmoothEarth()
{
    const QString root = tmp_.filePath("flat250");
    QVERIFY(writeScene(root, [](double, double) { return 250.0; }));
    const hcmfs::Calculation smooth = calculate(QByteArray());
    const hcmfs::Calculation flat = calculate(QFile::encodeName(root));
    QCOMPARE(smooth.error, 0);
    QCOMPARE(flat.error, 0);
    QVERIFY(smooth.smoothEarth);
    QVERIFY(!flat.smoothEarth);
    QCOMPARE(flat.tilesUsed.size(), std::size_t(2));
    QCOMPARE(flat.hops[0].params.htg, 30.0);
    QVERIFY(std::fabs(flat.hops[0].p452.lb - smooth.hops[0].p452.lb) < 1e-6);
    QVERIFY(std::fabs(flat.interference - smooth.interference) < 1e-6);
}

void TestTerrain::ridgeRaisesLoss()
{
    const QString root = tmp_.filePath("ridge");
    QVERIFY(writeScene(root, [](double lat, double lon) {
        const double across = (lon - 16.9) * 111.195 * std::cos(lat * 3.14159265358979323846 / 180);
        return 250 + 550 * std::exp(-(across / 1.5) * (across / 1.5));
    }));
    const hcmfs::Calculation flat = calculate(QFile::encodeName(tmp_.filePath("flat250")));
    const hcmfs::Calculation ridge = calculate(QFile::encodeName(root));
    QCOMPARE(ridge.error, 0);
    QVERIFY(!flat.hops[0].p452.transHorizon);
    QVERIFY(ridge.hops[0].p452.transHorizon);
    QVERIFY(ridge.hops[0].groundMax > 790);
    QVERIFY2(ridge.hops[0].p452.lb > flat.hops[0].p452.lb + 30,
             qPrintable(QStringLiteral("%1 vs %2").arg(ridge.hops[0].p452.lb).arg(flat.hops[0].p452.lb)));
    QVERIFY(ridge.interference < flat.interference - 30);
}

void TestTerrain::settingsFileSuppliesTerrain()
{
    QFile f(tmp_.filePath("machine.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("topo=" + QFile::encodeName(tmp_.filePath("ridge")) + "\n");
    f.close();
    const hcmfs::Calculation viaSettings = calculate(QByteArray());
    const hcmfs::Calculation viaArgument = calculate(QFile::encodeName(tmp_.filePath("ridge")));
    QCOMPARE(viaSettings.error, 0);
    QVERIFY(!viaSettings.smoothEarth);
    QCOMPARE(viaSettings.hops[0].p452.lb, viaArgument.hops[0].p452.lb);
    QVERIFY(f.remove());
}

void TestTerrain::refractivityMaps()
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
}

QTEST_GUILESS_MAIN(TestTerrain)
#include "tst_terrain.moc"
