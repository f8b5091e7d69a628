// Method checks of the calculation library, each derived by hand: stations
// standing where their records put them, the voltage sum of the two
// polarisation paths, ATPC, the refractivity maps shipped with the library
// and the radio-climatic zones from morphological tiles.
#include "calculation.h"
#include "refractivity.h"
#include "hcmfstestutil.h"
#include "terrainwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

// One tile at E036N01 (the cell of the flat fixtures) in folder TOPO or MORPHO.
bool writeTile(const QString& root, const char* folder, const char* ext, const hcmfs::HeightFunction& f)
{
    const QString dir = QStringLiteral("%1/%2/E036").arg(root, QLatin1String(folder));
    std::string message;
    return QDir().mkpath(dir)
        && hcmfs::writeHcmTile(QStringLiteral("%1/E036N01%2").arg(dir, QLatin1String(ext)).toStdString(), 36, 1, false, f, message);
}

hcmfs::Calculation calculate(QMap<int, QByteArray> tx, QMap<int, QByteArray> rx, const QString& root,
                             const QByteArray& txPatterns = hcmfstest::flatPattern(),
                             const QByteArray& rxPatterns = hcmfstest::flatPattern())
{
    hcmfs::CalcRequest req;
    req.lines = {hcmfstest::recordLine(tx, txPatterns).toStdString(), hcmfstest::recordLine(rx, rxPatterns).toStdString()};
    req.terrain = QFile::encodeName(root).toStdString();
    hcmfs::Calculation calc;
    hcmfs::runCalculation(req, calc);
    return calc;
}

} // namespace

class TestMethod : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void stationsStandOnTheirRecords_data();
    void stationsStandOnTheirRecords();
    void polarisationPathsAddAsVoltages_data();
    void polarisationPathsAddAsVoltages();
    void atpcLowersInterference_data();
    void atpcLowersInterference();
    void shippedRefractivityMaps_data();
    void shippedRefractivityMaps();
    void zonesFromMorphology_data();
    void zonesFromMorphology();

private:
    QTemporaryDir tmp_;
    QString plateau_; // a 300 m plateau under both flat fixtures
};

void TestMethod::initTestCase()
{
    QVERIFY(tmp_.isValid());
    qputenv("LINKWISE_MACHINE_INI", QFile::encodeName(tmp_.filePath("none.ini")));
    plateau_ = tmp_.filePath("plateau");
    QVERIFY(writeTile(plateau_, "TOPO", ".33E", [](double, double) { return 300.0; }));
}

void TestMethod::stationsStandOnTheirRecords_data()
{
    QTest::addColumn<QByteArray>("siteHeight"); // 4Z of both stations, 9Y is 30 m
    QTest::addColumn<double>("antennaAsl");
    QTest::addColumn<bool>("transHorizon");
    QTest::addColumn<QString>("note");
    // 4Z 100 m on a 300 m plateau: the antennas at 130 m are buried and the
    // plateau's first interior point (170 m above them, 0.1 km away) closes
    // the horizon, so the path is trans-horizon.
    QTest::newRow("buried") << QByteArray("100") << 130.0 << true << "differs from the terrain model";
    QTest::newRow("on the terrain") << QByteArray("300") << 330.0 << false << QString();
    QTest::newRow("4Z empty") << QByteArray() << 330.0 << false << "4Z is empty, the terrain height";
    QTest::newRow("4Z not a number") << QByteArray("hill") << 330.0 << false << "4Z is not a number";
}

void TestMethod::stationsStandOnTheirRecords()
{
    QFETCH(QByteArray, siteHeight);
    QFETCH(double, antennaAsl);
    QFETCH(bool, transHorizon);
    QFETCH(QString, note);
    QMap<int, QByteArray> tx = hcmfstest::flatTx(), rx = hcmfstest::flatRx();
    tx[11] = rx[11] = siteHeight;
    const hcmfs::Calculation c = calculate(tx, rx, plateau_);
    QCOMPARE(c.error, 0);
    const hcmfs::Hop& hop = c.hops[0];
    QCOMPARE(hop.params.htg, 30.0);
    QCOMPARE(hop.p452.hts, antennaAsl);
    QCOMPARE(hop.p452.hrs, antennaAsl);
    QCOMPARE(hop.p452.transHorizon, transHorizon);
    const std::string all = c.siteWarnings.empty() ? std::string() : c.siteWarnings.front();
    QCOMPARE(c.siteWarnings.size(), note.isEmpty() ? std::size_t(0) : std::size_t(2));
    QVERIFY2(all.find(note.toStdString()) != std::string::npos, all.c_str());
}

void TestMethod::polarisationPathsAddAsVoltages_data()
{
    // Both antennas aligned (co-polar 0 dB); the cross-polar patterns are
    // flat at the given levels, so a1 and a2 are sums of those levels.
    QTest::addColumn<QByteArray>("rxPolarisation"); // the transmitter is V
    QTest::addColumn<double>("txCross");
    QTest::addColumn<double>("rxCross");
    QTest::addColumn<double>("antennaAttenuation");
    // Two equal paths in phase: twice the voltage, 6.02 dB less attenuation.
    QTest::newRow("same, equal paths") << QByteArray("V") << 0.0 << 0.0 << -20 * std::log10(2.0);
    // a1 = 0, a2 = 20 + 20: -20 log10(1 + 0.01)
    QTest::newRow("same, cross path 40 dB") << QByteArray("V") << 20.0 << 20.0 << -0.086427;
    // a1 = 0 + 20, a2 = 20 + 0: equal paths again, 20 - 6.02 dB.
    QTest::newRow("crossed, equal paths") << QByteArray("H") << 20.0 << 20.0 << 20 - 20 * std::log10(2.0);
    // a1 = 0 + 40, a2 = 20 + 0: -20 log10(0.01 + 0.1) = 19.172 dB.
    QTest::newRow("crossed, unequal paths") << QByteArray("H") << 20.0 << 40.0 << 19.172146;
}

void TestMethod::polarisationPathsAddAsVoltages()
{
    QFETCH(QByteArray, rxPolarisation);
    QFETCH(double, txCross);
    QFETCH(double, rxCross);
    QFETCH(double, antennaAttenuation);
    QMap<int, QByteArray> rx = hcmfstest::flatRx();
    rx[35] = rxPolarisation;
    auto patterns = [](double cross) {
        return QByteArray("CP;2;0;0;180;0;XP;2;0;") + QByteArray::number(cross) + ";180;" + QByteArray::number(cross);
    };
    const hcmfs::Calculation c = calculate(hcmfstest::flatTx(), rx, QString(), patterns(txCross), patterns(rxCross));
    QCOMPARE(c.error, 0);
    QVERIFY2(std::fabs(c.hops[0].antennaAttenuation - antennaAttenuation) < 1e-6,
             qPrintable(QString::number(c.hops[0].antennaAttenuation, 'f', 6)));
}

void TestMethod::atpcLowersInterference_data()
{
    QTest::addColumn<QByteArray>("atpc");
    QTest::addColumn<double>("lower");
    QTest::newRow("7 dB") << QByteArray("7") << 7.0;
    QTest::newRow("12.5 dB") << QByteArray("12.5") << 12.5;
    QTest::newRow("empty") << QByteArray() << 0.0;
    QTest::newRow("negative") << QByteArray("-3") << 0.0;
    QTest::newRow("not a number") << QByteArray("auto") << 0.0;
}

void TestMethod::atpcLowersInterference()
{
    QFETCH(QByteArray, atpc);
    QFETCH(double, lower);
    QMap<int, QByteArray> tx = hcmfstest::flatTx();
    const hcmfs::Calculation full = calculate(tx, hcmfstest::flatRx(), QString());
    tx[32] = atpc;
    const hcmfs::Calculation controlled = calculate(tx, hcmfstest::flatRx(), QString());
    QCOMPARE(controlled.error, 0);
    QCOMPARE(controlled.aTotal, full.aTotal);
    QCOMPARE(full.interference - controlled.interference, lower);
}

void TestMethod::shippedRefractivityMaps_data()
{
    // Grid values of DN50.TXT and N050.TXT, rows 26 and 27 (51 N, 49.5 N),
    // columns 11 and 12 (16.5 E, 18 E); between them the mean of the four.
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("dn");
    QTest::addColumn<double>("n0");
    QTest::newRow("51 N 16.5 E") << 51.0 << 16.5 << 37.160 << 322.187;
    QTest::newRow("49.5 N 18 E") << 49.5 << 18.0 << 36.081 << 322.271;
    QTest::newRow("50.25 N 17.25 E") << 50.25 << 17.25 << (37.160 + 36.943 + 36.520 + 36.081) / 4
                                     << (322.187 + 322.067 + 322.291 + 322.271) / 4;
}

void TestMethod::shippedRefractivityMaps()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, dn);
    QFETCH(double, n0);
    // Nothing in the data root: the maps beside the library answer.
    const hcmfs::Refractivity r = hcmfs::refractivityForPath(tmp_.filePath("nothing").toStdString(), std::string(), lat, lon);
    QVERIFY(r.fromMaps);
    QVERIFY2(r.source.find("shipped beside the library") != std::string::npos, r.source.c_str());
    QVERIFY(std::fabs(r.dn - dn) < 1e-9);
    QVERIFY(std::fabs(r.n0 - n0) < 1e-9);
}

void TestMethod::zonesFromMorphology_data()
{
    // The receiver moved to 1 02'56" N: 5.436 km, 56 profile points 3.2"
    // of latitude apart, i.e. at tile rows 16/15 i. Tile rows up to 13 are
    // inland, 14 to 28 coastal, 29 on sea, so points 0-13 are inland, 14-27
    // coastal and 28-55 sea. With s the step and the half-gap rule:
    // d_lm = 13.5 s, d_tm = 27.5 s, sea 27.5 s of 55 s: omega 0.5; the
    // coast lies 28 s from the transmitter, the receiver stands on sea.
    QTest::addColumn<QString>("root");
    QTest::addColumn<double>("omega");
    QTest::addColumn<double>("dtmSteps");
    QTest::addColumn<double>("dlmSteps");
    QTest::addColumn<double>("dctSteps");
    QTest::addColumn<int>("missingTiles");
    QTest::newRow("half over sea") << "coast" << 0.5 << 27.5 << 13.5 << 28.0 << 0;
    QTest::newRow("no MORPHO folder: inland") << "plateau" << 0.0 << 55.0 << 55.0 << 500.0 << 0;
    QTest::newRow("tile missing: inland") << "notile" << 0.0 << 55.0 << 55.0 << 500.0 << 1;
}

void TestMethod::zonesFromMorphology()
{
    QFETCH(QString, root);
    QFETCH(double, omega);
    QFETCH(double, dtmSteps);
    QFETCH(double, dlmSteps);
    QFETCH(double, dctSteps);
    QFETCH(int, missingTiles);
    const QString coast = tmp_.filePath("coast");
    if (!QDir(coast).exists()) {
        QVERIFY(writeTile(coast, "TOPO", ".33E", [](double, double) { return 300.0; }));
        // Other bits than 0 and 2 carry nothing: 11 is sea, 20 coastal, 2 inland.
        QVERIFY(writeTile(coast, "MORPHO", ".33M", [](double lat, double) {
            const double row = (lat - 1) * 1200;
            return row > 28.5 ? 11.0 : row > 13.5 ? 20.0 : 2.0;
        }));
        QVERIFY(QDir().mkpath(tmp_.filePath("notile/MORPHO")));
        QVERIFY(QFile::copy(plateau_ + "/TOPO/E036/E036N01.33E", tmp_.filePath("notile/E036N01.33E")));
    }
    QMap<int, QByteArray> rx = hcmfstest::flatRx();
    rx[10] = "036E000001N0256";
    const hcmfs::Calculation c = calculate(hcmfstest::flatTx(), rx, tmp_.filePath(root));
    QCOMPARE(c.error, 0);
    const hcmfs::Hop& hop = c.hops[0];
    QCOMPARE(hop.points, 56);
    const double s = hop.stepKm;
    QVERIFY(std::fabs(hop.p452.omega - omega) < 1e-12);
    QVERIFY(std::fabs(hop.p452.dtm - dtmSteps * s) < 1e-9);
    QVERIFY(std::fabs(hop.p452.dlm - dlmSteps * s) < 1e-9);
    QVERIFY(std::fabs(hop.params.dct - (dctSteps == 500 ? 500 : dctSteps * s)) < 1e-9);
    QCOMPARE(hop.params.dcr, dctSteps == 500 ? 500.0 : 0.0);
    QCOMPARE(int(c.morphoMissing.size()), missingTiles);
}

QTEST_GUILESS_MAIN(TestMethod)
#include "tst_method.moc"
