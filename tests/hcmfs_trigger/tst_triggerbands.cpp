// Trigger distances by band and site height, and the search for border points
// within them, on synthetic border sets held in memory.
#include "borderfixture.h"

#include "trigger/borderset.h"
#include "trigger/trigger.h"
#include "trigger/triggerdistance.h"

#include <QtTest>

#include <tuple>

using namespace hcmfs::trigger;
using fixture::Deg;

namespace {

std::vector<LonLat> radians(const std::vector<Deg>& points)
{
    std::vector<LonLat> out;
    for (const Deg& p : points)
        out.push_back({p.lon * fixture::kPi / 180.0, p.lat * fixture::kPi / 180.0});
    return out;
}

QString run(const BorderSet& set, const TriggerStation& station, int* error = nullptr)
{
    std::string countries;
    const int e = triggeredCountries(set, station, countries);
    if (error)
        *error = e;
    return QString::fromStdString(countries);
}

} // namespace

class TestTriggerBands : public QObject
{
    Q_OBJECT

private slots:
    void atTheLimit_data()
    {
        QTest::addColumn<double>("lon");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("ghz");
        QTest::addColumn<double>("heightM");
        QTest::addColumn<double>("bearing");
        QTest::addColumn<double>("km");

        // Band edges and the 300 m site height, each row in another direction.
        const QList<std::tuple<const char*, double, double, double>> bands{
            {"0.1 GHz high", 0.1, 1000.0, 200.0},       {"5 GHz low", 5.0, 299.9, 100.0},
            {"5 GHz high", 5.0, 300.0, 200.0},          {"above 5 GHz low", 5.001, 299.9, 100.0},
            {"above 5 GHz high", 5.001, 300.0, 150.0},  {"10 GHz low", 10.0, 0.0, 100.0},
            {"10 GHz high", 10.0, 2500.0, 150.0},       {"above 10 GHz high", 10.001, 2500.0, 100.0},
            {"12 GHz", 12.0, 2500.0, 100.0},            {"above 12 GHz", 12.001, 2500.0, 80.0},
            {"20 GHz", 20.0, 0.0, 80.0},                {"above 20 GHz", 20.001, 0.0, 60.0},
            {"24.5 GHz", 24.5, 0.0, 60.0},              {"above 24.5 GHz", 24.501, 0.0, 40.0},
            {"30 GHz", 30.0, 0.0, 40.0},                {"above 30 GHz", 30.001, 0.0, 30.0},
            {"39.5 GHz", 39.5, 0.0, 30.0},              {"above 39.5 GHz", 39.501, 0.0, 20.0},
            {"50 GHz high", 50.0, 3000.0, 20.0}};
        double bearing = 0;
        for (const auto& [name, ghz, height, km] : bands)
            QTest::newRow(name) << 10.3 << 50.2 << ghz << height << (bearing += 45) << km;
        // 2 GHz from a 400 m site: 200 km, whatever cell of the index the point falls into.
        for (double b : {0.0, 30.0, 60.0, 90.0, 120.0, 150.0, 180.0, 210.0, 240.0, 270.0, 300.0, 330.0})
            QTest::newRow(qPrintable("bearing " + QString::number(b))) << 16.37 << 61.9 << 2.0 << 400.0 << b << 200.0;
        // 13 GHz: 80 km, across the antimeridian, over the poles and on the equator.
        QTest::newRow("east across 180") << 179.9 << 65.0 << 13.0 << 10.0 << 90.0 << 80.0;
        QTest::newRow("west across 180") << -179.95 << 65.0 << 13.0 << 10.0 << 270.0 << 80.0;
        QTest::newRow("over the north pole") << 20.0 << 89.5 << 13.0 << 10.0 << 0.0 << 80.0;
        QTest::newRow("near the south pole") << -60.0 << -89.7 << 13.0 << 10.0 << 135.0 << 80.0;
        QTest::newRow("on the equator") << 0.0 << 0.0 << 13.0 << 10.0 << 225.0 << 80.0;
    }

    // One country per run: found 10 m inside the trigger distance, missed 10 m outside.
    void atTheLimit()
    {
        QFETCH(double, lon);
        QFETCH(double, lat);
        QFETCH(double, ghz);
        QFETCH(double, heightM);
        QFETCH(double, bearing);
        QFETCH(double, km);
        QCOMPARE(triggerDistanceKm(ghz, heightM), km);
        const Deg site{lon, lat};
        const TriggerStation station = TriggerStation::fromDegrees(lon, lat, ghz, heightM, "X");
        const BorderSet near({{"A", radians({fixture::destination(site, bearing, km - 0.01)})}});
        const BorderSet far({{"A", radians({fixture::destination(site, bearing, km + 0.01)})}});
        QCOMPARE(run(near, station), QString("A"));
        QCOMPARE(run(far, station), QString());
    }

    void countriesListed()
    {
        // 15 GHz: 80 km. Given out of order, lower case, and one code twice (once
        // out of reach); HOL is out of reach.
        const Deg site{7.0, 49.0};
        const BorderSet set({{"lux", radians({fixture::destination(site, 0.0, 10.0)})},
                             {"F", radians({fixture::destination(site, 90.0, 10.0)})},
                             {"BEL", radians({fixture::destination(site, 180.0, 150.0)})},
                             {"D", radians({fixture::destination(site, 270.0, 10.0)})},
                             {"BEL", radians({fixture::destination(site, 200.0, 10.0)})},
                             {"HOL", radians({fixture::destination(site, 0.0, 300.0)})}});
        // Codes merged, upper-cased and sorted; the station's own country never listed,
        // whether it is a third country, none, or given in lower case with blanks.
        QStringList lists;
        for (const char* own : {"XYZ", "", "LUX", " d "})
            lists << run(set, TriggerStation::fromDegrees(site.lon, site.lat, 15.0, 0.0, own));
        QCOMPARE(lists, (QStringList{"BEL,D,F,LUX", "BEL,D,F,LUX", "BEL,D,F", "BEL,F,LUX"}));
    }

    void invalidStations()
    {
        const BorderSet set({{"A", radians({{10.0, 50.1}})}});
        const double nan = std::numeric_limits<double>::quiet_NaN();
        // {lon, lat, GHz, height, error}: fine; frequency 0, above 50 GHz, NaN; latitude
        // beyond the pole, longitude NaN; height NaN.
        for (const auto& [lon, lat, ghz, heightM, error] :
             std::initializer_list<std::tuple<double, double, double, double, int>>{
                 {10, 50, 13, 100, 0},
                 {10, 50, 0, 100, 2002},
                 {10, 50, 50.01, 100, 2002},
                 {10, 50, nan, 100, 2002},
                 {10, 90.5, 13, 100, 2003},
                 {nan, 50, 13, 100, 2003},
                 {10, 50, 13, nan, 2014}}) {
            int e = -1;
            const QString countries = run(set, TriggerStation::fromDegrees(lon, lat, ghz, heightM, "X"), &e);
            QVERIFY2(e == error && countries == (error == 0 ? "A" : ""),
                     qPrintable(QString("%1 %2 %3 %4: %5").arg(lon).arg(lat).arg(ghz).arg(heightM).arg(e)));
        }
    }
};

QTEST_GUILESS_MAIN(TestTriggerBands)
#include "tst_triggerbands.moc"
