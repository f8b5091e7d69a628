// The shared library through its two C entry points, loaded like the
// program loads it: end-to-end results checked by hand, the four-station
// form, every error code with zero outputs, the detailed report, the trigger
// for co-ordination and a fuzz run over damaged records.
#include "hcmfstestutil.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using hcmfstest::flatPattern;
using hcmfstest::flatRx;
using hcmfstest::flatTx;
using hcmfstest::Outputs;
using hcmfstest::recordLine;

namespace {

QByteArray changed(QMap<int, QByteArray> values, const QMap<int, QByteArray>& changes)
{
    values.insert(changes);
    return recordLine(values, flatPattern());
}

QByteArray txLine(const QMap<int, QByteArray>& changes = {}) { return changed(flatTx(), changes); }
QByteArray rxLine(const QMap<int, QByteArray>& changes = {}) { return changed(flatRx(), changes); }

// A passive repeater at 1 01'30" N, halfway: PRX looks south to the TX, PTX
// north to the RX; jumper losses (9L) 0.5 and 0.7 dB.
QList<QByteArray> repeaterLines()
{
    QMap<int, QByteArray> prx = flatTx();
    prx.remove(31);
    return {changed(prx, {{0, "PRX"}, {10, "036E000001N0130"}, {33, "180"}, {37, "0.5"}}),
            changed(prx, {{0, "PTX"}, {10, "036E000001N0130"}, {33, "0"}, {37, "0.7"}})};
}

// Line-of-sight basic loss at 2 GHz near the equator, p = 20 %: free space,
// oxygen and water vapour, multipath enhancement.
double losLoss(double dKm)
{
    const double gas = (0.0067160384744085 + 0.000204381378650376) * dKm;
    return 92.4 + 20 * std::log10(2.0) + 20 * std::log10(dKm) + gas
        + 2.6 * (1 - std::exp(-0.1 * dKm)) * std::log10(20.0 / 50.0);
}

const double kPi = 3.14159265358979323846;

} // namespace

class TestEntryPoints : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(lib_.ok(), qPrintable(lib_.fileName()));
        QVERIFY(tmp_.isValid());
        // No machine-wide settings: no terrain unless a call names it.
        qputenv("LINKWISE_MACHINE_INI", QFile::encodeName(tmp_.filePath("no-such.ini")));
        // A terrain root without tiles, and a data root whose border data is
        // damaged (not a whole number of points).
        QVERIFY(QDir(tmp_.path()).mkpath("emptyroot/TOPO") && QDir(tmp_.path()).mkpath("damaged/BORDER"));
        QFile border(tmp_.filePath("damaged/BORDER/AUT.ALL"));
        QVERIFY(border.open(QIODevice::WriteOnly) && border.write("not sixteen") == 11);
    }

    void flatLineOfSight()
    {
        // Flat earth, 5.5597 km, both antennas 130 m above the ground, main beams
        // aligned (the off-axis angles are 0.018 degrees, inside the patterns'
        // flat first 0.5 degrees: no antenna attenuation). Near the equator
        // beta0 (about 46 %) exceeds p = 20 %, so the model gives the
        // line-of-sight loss with multipath enhancement, and the troposcatter
        // (about 160 dB) and ducting terms add nothing visible:
        //   L_bfsg = 92.4 + 20 log 2 + 20 log 5.5597 + (0.0067160 + 0.0002044) * 5.5597
        //          = 92.4 + 6.0206 + 14.9011 + 0.0385             = 113.3602 dB
        //   E_sp   = 2.6 (1 - exp(-0.55597)) log(20/50)          =  -0.4413 dB
        //   L_b    = 112.9189 dB
        //   MD     = 10 log(A_T / O) = 10 log(20 MHz / 10 MHz)   =   3.0103 dB
        //           (TX mask a 20 MHz rectangle, RX mask a 10 MHz one)
        //   A_total = 1 (9L TX) + 112.9189 + 0 + 2 (9L RX) + 3.0103 - 30 - 30 = 58.9292 dB
        //   I  = 8B - A_total = -30 - 58.9292                     = -88.9292 dBW
        //   TD = 10 log(1 + 10^((-88.9292 + 100)/10))             =  11.40 dB
        const double lb = losLoss(6371.0 * (3.0 / 60.0) * kPi / 180.0);
        QVERIFY(std::fabs(lb - 112.9189) < 1e-3);
        // A_ant: the co-polar path (0 dB) and the cross-polar one (30 + 30 dB) in phase.
        const double aTotal = 1 + lb - 20 * std::log10(1 + 1e-3) + 2 + 10 * std::log10(20.0 / 10.0) - 30 - 30;
        const double i = -30 - aTotal;
        const double td = 10 * std::log10(1 + std::pow(10.0, (i - -100) / 10));
        const Outputs o = lib_.call({txLine(), rxLine()});
        QCOMPARE(o.error, 0);
        QVERIFY(std::fabs(o.overlap - 10.0) < 1e-9);
        QVERIFY(std::fabs(o.md - 3.0103) < 1e-3);
        QCOMPARE(o.nfd, 0.0f);
        QVERIFY2(std::fabs(o.aTotal - aTotal) < 0.01, qPrintable(QString::number(o.aTotal)));
        QVERIFY2(std::fabs(o.i - i) < 0.01, qPrintable(QString::number(o.i)));
        QVERIFY2(std::fabs(o.td - td) < 0.01, qPrintable(QString::number(o.td)));
    }

    void discrimination_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<double>("lower"); // dB less interference than with aligned antennas
        QTest::addColumn<bool>("atTransmitter"); // else the receiver's field changes
        // The co-polar and cross-polar paths add as voltages; aligned, they are
        // 0 dB and 30 + 30 dB (the derived cross-polar pattern of a 30 dBi
        // antenna runs from 30 dB at 0 degrees to 40 dB at 180).
        auto vsum = [](double a1, double a2) { return -20 * std::log10(std::pow(10.0, -a1 / 20) + std::pow(10.0, -a2 / 20)); };
        const double aligned = vsum(0, 60);
        // Receiving antenna turned by 90 degrees: co-polar 20 + 20 * 80/170 dB,
        // cross-polar 30 + 10 * 90/180 dB.
        QTest::newRow("azimuth turned") << 33 << QByteArray("270") << vsum(20 + 20 * 80.0 / 170.0, 30 + 35) - aligned << false;
        // Receiver horizontal, transmitter vertical: two equal paths of co + cross
        // = 30 dB in phase, 6.02 dB more interference than either path alone.
        QTest::newRow("cross-polar") << 35 << QByteArray("H") << vsum(30, 30) - aligned << false;
        // The transmitter's ATPC range 8B3 comes off its power, nothing else changes.
        QTest::newRow("ATPC") << 32 << QByteArray("7.5") << 7.5 << true;
    }

    void discrimination()
    {
        QFETCH(int, field);
        QFETCH(QByteArray, value);
        QFETCH(double, lower);
        QFETCH(bool, atTransmitter);
        const Outputs aligned = lib_.call({txLine(), rxLine()});
        const Outputs turned = lib_.call({atTransmitter ? txLine({{field, value}}) : txLine(),
                                          atTransmitter ? rxLine() : rxLine({{field, value}})});
        QCOMPARE(turned.error, 0);
        QVERIFY2(std::fabs((aligned.i - turned.i) - lower) < 0.01, qPrintable(QString::number(aligned.i - turned.i)));
        QVERIFY(turned.td < aligned.td);
    }

    void fourStationForm()
    {
        const Outputs o = lib_.call({txLine(), repeaterLines()[0], repeaterLines()[1], rxLine()});
        QCOMPARE(o.error, 0);
        // Each hop is half the distance: free space 6.02 dB less per hop, but two
        // hops and two more 30 dBi gains; jumper loss 0.5 + 0.7 dB.
        const double lbHop = losLoss(6371.0 * (1.5 / 60.0) * kPi / 180.0);
        // Per hop the cross-polar path (30 + 30 dB) adds to the co-polar one.
        const double crossPath = -20 * std::log10(1 + 1e-3);
        const double aTotal = 1 + 2 * (lbHop + crossPath) + 0.5 + 0.7 + 2 + 10 * std::log10(2.0) - 4 * 30;
        QVERIFY2(std::fabs(o.aTotal - aTotal) < 0.01, qPrintable(QString::number(o.aTotal) + " vs " + QString::number(aTotal)));
        QVERIFY(std::fabs(o.i - (-30 - aTotal)) < 0.01);
    }

    void noOverlapMeansNoInterference()
    {
        const Outputs o = lib_.call({txLine(), rxLine({{1, "2100"}})});
        QCOMPARE(o.error, 0);
        QCOMPARE(o.overlap, 0.0);
        QVERIFY(std::isinf(o.i) && o.i < 0);
        QCOMPARE(o.td, 0.0f);
        QVERIFY(std::isinf(o.md) && o.md > 0);
    }

    void errorCodes_data()
    {
        QTest::addColumn<QByteArrayList>("records");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("terrain"); // in the temporary folder
        QTest::addColumn<QString>("report");
        auto pair = [](const char* name, const QByteArray& tx, const QByteArray& rx, int error, const char* terrain = "",
                       const char* report = "") {
            QTest::newRow(name) << QByteArrayList{tx, rx} << error << QString(terrain) << QString(report);
        };
        pair("too few fields", txLine().left(txLine().indexOf(";100;")), rxLine(), 2000);
        pair("9L unreadable", txLine({{37, "one"}}), rxLine(), 2000);
        pair("swapped", rxLine(), txLine(), 2001);
        const QByteArray prx = repeaterLines()[0], ptx = repeaterLines()[1];
        QTest::newRow("repeater out of order") << QByteArrayList{txLine(), ptx, prx, rxLine()} << 2001 << QString() << QString();
        QTest::newRow("third record, no fourth") << QByteArrayList{txLine(), prx, ptx} << 2001 << QString() << QString();
        pair("frequency empty", txLine({{1, ""}}), rxLine(), 2002);
        pair("60 GHz", txLine({{1, "60"}, {2, "G"}}), rxLine({{1, "60"}, {2, "G"}}), 2002);
        pair("50 MHz", txLine({{1, "50"}}), rxLine({{1, "50"}}), 2002);
        pair("co-ordinates", txLine({{10, "036E0000"}}), rxLine(), 2003);
        pair("terrain folder missing", txLine(), rxLine(), 2004, "nothing");
        pair("no tile", txLine(), rxLine(), 2004, "emptyroot");
        pair("no mask, no default row", txLine({{16, ""}, {17, ""}, {18, ""}, {19, ""}, {28, "3"}, {30, "28"}}), rxLine(), 2005);
        pair("gain missing", txLine({{48, ""}}), rxLine(), 2006);
        pair("report unwritable", txLine(), rxLine(), 2007, "", "no/such/folder/detail.txt");
        pair("power empty", txLine({{31, ""}}), rxLine(), 2011);
        pair("noise empty", txLine(), rxLine({{36, ""}}), 2012);
        pair("same place", txLine(), rxLine({{10, "036E000001N0000"}}), 2013);
        pair("azimuth empty", txLine({{33, ""}}), rxLine(), 2014);
        pair("antenna height negative", txLine({{38, "-5"}}), rxLine(), 2014);
        pair("site height absurd", txLine({{11, "1e308"}}), rxLine(), 2014);
        pair("elevation 95", txLine({{34, "95"}}), rxLine(), 2014);
        pair("azimuth 360", txLine(), rxLine({{33, "360"}}), 2014);
        pair("azimuth negative", txLine({{33, "-0.5"}}), rxLine(), 2014);
    }

    void errorCodes()
    {
        QFETCH(QByteArrayList, records);
        QFETCH(int, error);
        QFETCH(QString, terrain);
        QFETCH(QString, report);
        auto path = [this](const QString& name) { return name.isEmpty() ? QByteArray() : QFile::encodeName(tmp_.filePath(name)); };
        const Outputs o = lib_.call(records, path(report), path(terrain));
        QCOMPARE(o.error, error);
        QVERIFY(o.allZero());
    }

    void detailedReport()
    {
        const QString path = tmp_.filePath("detail.txt");
        auto read = [&path] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
        };
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("OLD CONTENT THAT MUST GO\n") > 0);
        old.close();
        const Outputs o = lib_.call({txLine(), rxLine()}, QFile::encodeName(path));
        QCOMPARE(o.error, 0);
        const QString text = read();
        QVERIFY(!text.contains("OLD CONTENT"));
        for (const QString& part : {QStringLiteral("version 1.0.0.0"), QStringLiteral("P.452-18"),
                                    QStringLiteral("two stations (TX, RX)"), QString::fromLatin1(txLine()),
                                    QStringLiteral("smooth earth"), QStringLiteral("line of sight"), QStringLiteral("A_total"),
                                    QStringLiteral("shipped beside the library"), QStringLiteral("Result: error 0 (success)")})
            QVERIFY2(text.contains(part), qPrintable(part));
        QVERIFY(QRegularExpression(QStringLiteral("I = P_tx - ATPC - A_total +=  +%1 dBW").arg(o.i, 0, 'f', 2)).match(text).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("TD = 10 log10\\(1 \\+ 10\\^\\(\\(I - N\\)/10\\)\\) += +%1 dB").arg(o.td, 0, 'f', 3))
                    .match(text)
                    .hasMatch());

        // A failed case still explains itself.
        const Outputs e = lib_.call({txLine({{31, ""}}), rxLine()}, QFile::encodeName(path));
        QCOMPARE(e.error, 2011);
        const QString errorText = read();
        QVERIFY(errorText.contains("Error 2011: transmitter power 8B missing or unreadable"));
        QVERIFY(errorText.contains("All outputs are 0."));
    }

    void trigger_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("root"); // in the temporary folder
        QTest::addColumn<int>("error");
        QTest::addColumn<QByteArray>("countries");
        // A 23 GHz station in Bavaria, some 30 km from the Austrian border: the
        // trigger distance is 60 km, France is far beyond it.
        auto bavaria = [](const QByteArray& frequency) {
            return txLine({{1, frequency}, {9, "D"}, {10, "012E000047N5700"}});
        };
        QTest::newRow("german station") << bavaria("23000") << 40 << QString() << 0 << QByteArray("AUT");
        // At 2 GHz the low site reaches Italy too: the codes that fit are kept.
        QTest::newRow("buffer too small") << bavaria("2000") << 4 << QString() << 2009 << QByteArray("AUT");
        QTest::newRow("record does not parse") << QByteArray("TX;23000;M") << 40 << QString() << 2000 << QByteArray();
        QTest::newRow("no frequency") << bavaria("") << 40 << QString() << 2002 << QByteArray();
        QTest::newRow("damaged border data") << bavaria("23000") << 40 << QString("damaged") << 2008 << QByteArray();
    }

    void trigger()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, capacity);
        QFETCH(QString, root);
        QFETCH(int, error);
        QFETCH(QByteArray, countries);
        const QByteArray terrain = root.isEmpty() ? QByteArray() : QFile::encodeName(tmp_.filePath(root));
        QByteArray buffer(capacity + 1, 'x');
        int code = -1;
        lib_.annex11()(&code, line.constData(), int(line.size()), buffer.data(), capacity,
                       terrain.isEmpty() ? nullptr : terrain.constData(), int(terrain.size()));
        QCOMPARE(code, error);
        QCOMPARE(buffer.left(capacity), countries.leftJustified(capacity, ' '));
        QCOMPARE(buffer.at(capacity), 'x'); // nothing written past the capacity
    }

private:
    hcmfstest::Library lib_;
    QTemporaryDir tmp_;
};

QTEST_GUILESS_MAIN(TestEntryPoints)
#include "tst_entrypoints.moc"
