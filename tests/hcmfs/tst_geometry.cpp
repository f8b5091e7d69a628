// Geometry: co-ordinate texts, great-circle distance and azimuths both ways,
// the Annex 8B angles (hand-checked values of two sample stations), the
// total difference angle and the threshold degradation.
#include "calculation.h"
#include "geometry.h"

#include <QTest>

#include <cmath>
#include <tuple>

// Tx at 35 56'06" E, 4 36'09" N; Rx at 35 54'53" E, 4 29'52" N.
static hcmfs::GeoPoint tx() { return {35 + 56 / 60.0 + 6 / 3600.0, 4 + 36 / 60.0 + 9 / 3600.0}; }
static hcmfs::GeoPoint rx() { return {35 + 54 / 60.0 + 53 / 3600.0, 4 + 29 / 60.0 + 52 / 3600.0}; }

class TestGeometry : public QObject
{
    Q_OBJECT

private slots:
    void coordinates()
    {
        // East and north, west and south, a two-digit longitude in lower case: read, and written
        // back in the canonical form.
        for (const auto& [text, lon, lat] : std::initializer_list<std::tuple<QString, double, double>>{
                 {"035E561004N3609", 35.936111, 4.6025},
                 {"004W300012S3000", -4.5, -12.5},
                 {"36e593104n2132", 36.991944, 4.358889}}) {
            hcmfs::GeoPoint p;
            QVERIFY2(hcmfs::parseHcmCoordinates(text.toStdString(), p), qPrintable(text));
            QVERIFY2(std::fabs(p.lon - lon) < 1e-6 && std::fabs(p.lat - lat) < 1e-6, qPrintable(text));
            QCOMPARE(QString::fromStdString(hcmfs::formatDms(p)),
                     text.size() == 14 ? "0" + text.toUpper() : text.toUpper());
        }
        // Too short, a one-digit longitude, no hemisphere letter, 60 minutes, a letter among the
        // digits, latitude 91, empty.
        for (const char* text : {"035E561004N360", "6E593104N2132", "035X561004N3609", "035E601004N3609",
                                 "03AE561004N3609", "035E561091N0000", ""}) {
            hcmfs::GeoPoint p;
            QVERIFY2(!hcmfs::parseHcmCoordinates(text, p), text);
        }
    }

    void sampleStations()
    {
        const double d = hcmfs::greatCircleDistanceKm(tx(), rx());
        QVERIFY2(std::fabs(d - 11.8595) < 5e-4, qPrintable(QString::number(d, 'f', 5)));
        const double azTR = hcmfs::azimuthDeg(tx(), rx());
        const double azRT = hcmfs::azimuthDeg(rx(), tx());
        QVERIFY(std::fabs(azTR - 190.926) < 5e-4);
        QVERIFY(std::fabs(azRT - 10.924) < 5e-4);
        // Horizontal difference angles against the antenna azimuths 147 and 327.
        QVERIFY(std::fabs(hcmfs::wrapDeg180(azTR - 147) - 43.93) < 5e-3);
        QVERIFY(std::fabs(hcmfs::wrapDeg180(azRT - 327) - 43.92) < 5e-3);
    }

    void totalDifferenceAngle()
    {
        // {hda, vda, tda}: each angle alone, both at 90, and a negative hda.
        for (const auto& [hda, vda, tda] : std::initializer_list<std::tuple<double, double, double>>{
                 {0, 5, 5}, {10, 0, 10}, {90, 90, 90}, {30, 10, 31.475}, {170, -20, 157.731}, {-30, 10, 31.475}})
            QVERIFY2(std::fabs(hcmfs::totalDifferenceAngle(hda, vda) - tda) < 5e-4,
                     qPrintable(QString("%1/%2").arg(hda).arg(vda)));
    }

    void pointAlongReturnsToTarget()
    {
        const double d = hcmfs::greatCircleDistanceKm(tx(), rx());
        const hcmfs::GeoPoint end = hcmfs::pointAlong(tx(), hcmfs::azimuthDeg(tx(), rx()), d);
        QVERIFY(std::fabs(end.lon - rx().lon) < 1e-9);
        QVERIFY(std::fabs(end.lat - rx().lat) < 1e-9);
        const hcmfs::GeoPoint mid = hcmfs::pointAlong(tx(), hcmfs::azimuthDeg(tx(), rx()), d / 2);
        QVERIFY(std::fabs(hcmfs::greatCircleDistanceKm(mid, rx()) - d / 2) < 1e-9);
    }

    void walkSamplesFollowTheGreatCircle_data()
    {
        QTest::addColumn<double>("lon");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("az");
        QTest::addColumn<double>("km");
        QTest::addRow("mid-latitude, 100 km") << 17.3 << 50.4 << 63.0 << 100.0;
        QTest::addRow("across the date line") << 179.7 << -16.2 << 81.0 << 120.0;
        QTest::addRow("across the equator") << 10.0 << 0.3 << 170.0 << 300.0;
        QTest::addRow("into the polar cap") << 20.0 << 78.5 << 10.0 << 400.0;
        QTest::addRow("over the pole") << 20.0 << 89.0 << 0.0 << 250.0;
        QTest::addRow("shorter than one span") << -3.0 << 40.0 << 300.0 << 0.7;
        QTest::addRow("long path, steep latitude") << 5.0 << 70.0 << 280.0 << 1500.0;
    }

    // The walk interpolates between exact points: it must stay on the great
    // circle that pointAlong computes, at every point and on both sides of the
    // date line and the poles.
    void walkSamplesFollowTheGreatCircle()
    {
        QFETCH(double, lon);
        QFETCH(double, lat);
        QFETCH(double, az);
        QFETCH(double, km);
        const int count = static_cast<int>(std::ceil(km / 0.1)) + 1;
        const double step = km / (count - 1);
        const hcmfs::GeoPoint a{lon, lat};
        std::vector<hcmfs::GeoPoint> points;
        hcmfs::GreatCircleWalk(a, az).sample(step, count, points);
        QCOMPARE(static_cast<int>(points.size()), count);
        for (int i = 0; i < count; ++i) {
            const hcmfs::GeoPoint want = hcmfs::pointAlong(a, az, i * step);
            const double eastM = hcmfs::wrapDeg180(points[i].lon - want.lon) * std::cos(want.lat * M_PI / 180) * 111195;
            QVERIFY2(points[i].lon > -180 && points[i].lon <= 180, qPrintable(QString::number(i)));
            QVERIFY2(std::fabs(points[i].lat - want.lat) * 111195 < 1e-6 && std::fabs(eastM) < 1e-6,
                     qPrintable(QString("point %1 off by %2 m north, %3 m east").arg(i).arg((points[i].lat - want.lat) * 111195).arg(eastM)));
        }
    }

    void wrap()
    {
        QCOMPARE((QList<double>{hcmfs::wrapDeg180(180), hcmfs::wrapDeg180(-180), hcmfs::wrapDeg180(190),
                                hcmfs::wrapDeg180(720)}),
                 (QList<double>{180, 180, -170, 0}));
        QCOMPARE(hcmfs::wrapDeg180(-316.08), 43.92);
    }

    void thresholdDegradation()
    {
        // {I - N, TD}; the last row is I -130 dBW over N -123.5 dBW.
        for (const auto& [iMinusN, td] : std::initializer_list<std::pair<double, double>>{
                 {-5, 1.193}, {-20, 0.043}, {0, 3.010}, {6, 6.973}, {-6.5, 0.877}})
            QVERIFY2(std::fabs(hcmfs::thresholdDegradation(-120 + iMinusN, -120) - td) < 5e-4,
                     qPrintable(QString::number(iMinusN)));
        QCOMPARE(hcmfs::thresholdDegradation(-INFINITY, -120), 0.0);
        // Far above the noise TD approaches I - N without overflowing.
        QVERIFY(std::fabs(hcmfs::thresholdDegradation(500, -120) - 620) < 1e-9);
    }
};

QTEST_GUILESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
