// Masks: the two-sided construction, the exact integration and the values of
// the hand-checked cases (one sloped segment, ideal rectangles, the 23 GHz
// class 4L masks of the sample records).
#include "masks.h"

#include <QTest>

#include <cmath>
#include <tuple>

using hcmfs::MaskPointValue;

static hcmfs::TwoSidedMask rectangle(double halfWidth)
{
    // Vertical steps at +-halfWidth; no channel-spacing extension.
    return hcmfs::buildTwoSidedMask({{halfWidth, 0}, {halfWidth, 200}}, 0);
}

static hcmfs::TwoSidedMask txMask23()
{
    return hcmfs::buildTwoSidedMask({{10.65, 0}, {12.8, 2}, {14.12, 10}, {14.76, 20.7}, {15.3, 28}, {49, 51}}, 28);
}

static hcmfs::TwoSidedMask rxMask23()
{
    return hcmfs::buildTwoSidedMask({{10.65, 0}, {12.84, 2}, {14.12, 10}, {14.76, 19.7}, {15.02, 39.5}, {21.8, 60}}, 28);
}

static hcmfs::StationRecord recordWith(const std::string& cls, double cs, double fMHz)
{
    hcmfs::StationRecord r;
    r.equipmentClass = cls;
    r.channelSpacing.present = r.channelSpacing.valid = true;
    r.channelSpacing.value = cs;
    r.hasFrequency = true;
    r.frequencyMHz = fMHz;
    return r;
}

class TestMasks : public QObject
{
    Q_OBJECT

private slots:
    void segmentIntegral()
    {
        // 0 dB to 40 dB over 10 MHz: 10 * (10/ln10) * (1 - 1e-4) / 40 = 1.08563 MHz.
        QVERIFY(std::fabs(hcmfs::segmentIntegral(0, 10, 0, 40) - 1.08563) < 5e-6);
        QVERIFY(std::fabs(hcmfs::segmentIntegral(0, 10, 40, 0) - 1.08563) < 5e-6);
        QCOMPARE(hcmfs::segmentIntegral(2, 5, 10, 10), 0.3);
        QCOMPARE(hcmfs::segmentIntegral(5, 5, 0, 40), 0.0);
    }

    void rectangles()
    {
        const hcmfs::TwoSidedMask m = rectangle(14);
        // {frequency offset, overlap}; the 200 dB walls leave a negligible trace (1e-20 of a MHz).
        for (const auto& [df, overlap] : std::initializer_list<std::pair<double, double>>{
                 {0, 28}, {7, 21}, {14, 14}, {-14, 14}, {27.5, 0.5}, {28, 0}, {40, 0}})
            QVERIFY2(std::fabs(hcmfs::overlappingArea(m, m, df) - overlap) < 1e-9,
                     qPrintable(QString("%1: %2").arg(df).arg(hcmfs::overlappingArea(m, m, df), 0, 'g', 12)));
        // Half the overlap is 3 dB of net filter discrimination.
        QVERIFY(
            std::fabs(10 * std::log10(hcmfs::overlappingArea(m, m, 0) / hcmfs::overlappingArea(m, m, 14)) -
                      3.0103) < 1e-4);
    }

    void realMasks()
    {
        const hcmfs::TwoSidedMask tx = txMask23();
        const hcmfs::TwoSidedMask rx = rxMask23();
        const double at = hcmfs::maskArea(tx);
        QVERIFY(std::fabs(at - 25.5795) < 5e-5);
        // {frequency offset, overlap, MD, NFD}
        for (const auto& [df, overlap, md, nfd] : std::initializer_list<std::tuple<double, double, double, double>>{
                 {0, 24.4125, 0.20, 0.00}, {7, 18.5847, 1.39, 1.18}, {14, 11.5881, 3.44, 3.24},
                 {28, 0.0236844, 30.33, 30.13}, {56, 2.59706e-4, 49.93, 49.73},
                 {112, 1.17354e-7, 83.38, 83.18}, {-28, 0.0236844, 30.33, 30.13}}) {
            const double o = hcmfs::overlappingArea(tx, rx, df);
            QVERIFY2(std::fabs(o - overlap) / overlap < 1e-5, qPrintable(QString("%1: %2").arg(df).arg(o, 0, 'g', 9)));
            const double gotMd = 10 * std::log10(at / o);
            const double gotNfd = gotMd - 10 * std::log10(at / hcmfs::overlappingArea(tx, rx, 0));
            QVERIFY2(std::fabs(gotMd - md) < 0.005 && std::fabs(gotNfd - nfd) < 0.005,
                     qPrintable(QString("%1: MD %2, NFD %3").arg(df).arg(gotMd).arg(gotNfd)));
        }
    }

    void twoSidedConstruction()
    {
        const hcmfs::TwoSidedMask m = txMask23();
        // 0/0 in front, 2.5 x 28 = 70 MHz at 51 dB, 3.5 x 28 = 98 MHz at 56 dB, mirrored.
        QCOMPARE(m.points.size(), std::size_t(17));
        QCOMPARE((QList<double>{m.points.front().offset, m.points.front().attenuation, m.points[8].offset, m.points[8].attenuation,
                                m.points[15].offset, m.points[15].attenuation, m.points.back().offset}),
                 (QList<double>{-98, 56, 0, 0, 70, 51, 98}));

        // The last point already beyond 3.5 x CS: a 5 dB step at the last offset.
        const hcmfs::TwoSidedMask wide = hcmfs::buildTwoSidedMask({{0, 0}, {5, 10}, {100, 50}}, 10);
        // A first point at 0 MHz is not doubled.
        QCOMPARE(wide.points.size(), std::size_t(7));
        QCOMPARE((QList<double>{wide.points[5].offset, wide.points[6].offset, wide.points[6].attenuation}), (QList<double>{100, 100, 55}));
    }

    void defaultRows_data()
    {
        QTest::addColumn<bool>("tx");
        QTest::addColumn<double>("fGHz");
        QTest::addColumn<QString>("cls");
        QTest::addColumn<double>("spacing");
        QTest::addColumn<int>("row"); // 0: none
        QTest::addColumn<double>("att5"); // attenuation of point 6, -1 not checked
        QTest::addColumn<QString>("note");
        // 22-29.5 GHz, class 4L: 1.75, 3.5, 7, 14, 28, 56 MHz (rows 118-123).
        QTest::newRow("transmitter table") << true << 23.0 << "4L" << 28.0 << 122 << 52.0 << "";
        QTest::newRow("receiver table") << false << 23.0 << "4L" << 28.0 << 122 << 60.0 << "";
        QTest::newRow("29 MHz in the 28-30 MHz row") << true << 6.2 << "5B" << 29.0 << 47 << -1.0 << "";
        QTest::newRow("no rows for class 1") << true << 23.0 << "1" << 28.0 << 0 << -1.0 << "";
        QTest::newRow("between band groups") << true << 30.5 << "4L" << 28.0 << 0 << -1.0 << "";
        QTest::newRow("no such spacing and none larger") << true << 23.0 << "4L" << 60.0 << 0 << -1.0 << "";
        QTest::newRow("20 MHz: next larger, 28") << false << 23.0 << "4L" << 20.0 << 122 << -1.0 << "next larger spacing 28";
        // Class empty: class 2 is the band's lowest (rows 112-117).
        QTest::newRow("class empty, 28 MHz") << false << 23.0 << "" << 28.0 << 116 << -1.0 << "lowest class with this spacing, 2";
        QTest::newRow("class empty, 40 MHz") << false << 23.0 << "" << 40.0 << 117 << -1.0 << "next larger spacing 56 MHz of class 2";
        // 3.41-11.7 GHz: only 4L has 20 MHz (row 38), class 2 would round up to 28-30.
        QTest::newRow("class empty, exact beats larger") << false << 6.2 << "" << 20.0 << 38 << -1.0 << "class with this spacing, 4L";
    }

    void defaultRows()
    {
        QFETCH(bool, tx);
        QFETCH(double, fGHz);
        QFETCH(QString, cls);
        QFETCH(double, spacing);
        QFETCH(int, row);
        QFETCH(double, att5);
        QFETCH(QString, note);
        std::string how;
        const hcmfs::DefaultMaskRow* r = hcmfs::findDefaultMask(tx, fGHz, cls.toStdString(), spacing, &how);
        QCOMPARE(r ? r->row : 0, row);
        if (att5 >= 0)
            QCOMPARE(r->points[5].attenuation, att5);
        QVERIFY2(!r || (note.isEmpty() ? how.empty() : how.find(note.toStdString()) != std::string::npos), how.c_str());
    }

    void chooseMask()
    {
        // Without a mask of its own, the default row; without a row, nothing.
        const hcmfs::MaskChoice c = hcmfs::chooseMask(recordWith("4L", 28, 23058), true);
        QVERIFY(c.usable && !c.fromRecord);
        QCOMPARE(c.defaultRow, 122);
        QVERIFY(!hcmfs::chooseMask(recordWith("3", 28, 23058), true).usable);
        hcmfs::StationRecord noSpacing = recordWith("4L", 28, 23058);
        noSpacing.channelSpacing = hcmfs::FieldNumber();
        QVERIFY(!hcmfs::chooseMask(noSpacing, false).usable);
        // A damaged mask of its own is not replaced by the default row.
        hcmfs::StationRecord r = recordWith("4L", 28, 23058);
        r.maskUsable = false;
        QVERIFY(!hcmfs::chooseMask(r, true).usable);
        r.maskUsable = true;
        r.mask = {{10, 0}, {5, 40}}; // offsets falling
        QVERIFY(!hcmfs::chooseMask(r, true).usable);
        r.mask = {{10, 0}};          // a single point is no mask
        QVERIFY(!hcmfs::chooseMask(r, true).usable);
        r.mask = {{10, 0}, {20, 45}};
        const hcmfs::MaskChoice own = hcmfs::chooseMask(r, true);
        QVERIFY(own.usable && own.fromRecord);
    }
};

QTEST_GUILESS_MAIN(TestMasks)
#include "tst_masks.moc"
