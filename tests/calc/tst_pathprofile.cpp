// Reading the path profile blocks of a detailed report, and the geometry the
// drawing is made of.
#include "calc/pathprofile.h"

#include <QtTest>

namespace {

const char kHop1[] = "BEGIN PROFILE hop=1 from=TX to=PRX f_GHz=17.755 ae_km=8495.0 ant_from_m=512.5 ant_to_m=1568\n"
                     "0.0000;500.0\n0.1000;520.5\n0.2000;1560.0\nEND PROFILE\n";
const char kHop2[] = "BEGIN PROFILE hop=2 from=PTX to=RX f_GHz=17.755 ae_km=8495.0 ant_from_m=1560 ant_to_m=513.5\n"
                     "0.0000;1560.0\n5.5000;512.0\nEND PROFILE\n";

} // namespace

class TestPathProfile : public QObject
{
    Q_OBJECT

private slots:
    void blocks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("pointsPerHop");
        const QString two = QString::fromLatin1(kHop1) + QStringLiteral("Some other text\n") + QString::fromLatin1(kHop2);
        QTest::newRow("two hops between other text") << two << QList<int>{3, 2};
        QTest::newRow("CR LF line ends") << QString(two).replace(QLatin1Char('\n'), QLatin1String("\r\n"))
                                         << QList<int>{3, 2};
        QTest::newRow("no block") << QStringLiteral("Profile of hop 1\n0.0;1.0\n") << QList<int>{};
        QTest::newRow("unreadable point drops its block")
            << QString::fromLatin1(kHop1).replace(QLatin1String("0.1000;520.5"), QLatin1String("0.1000;x"))
                   + QString::fromLatin1(kHop2)
            << QList<int>{2};
        QTest::newRow("falling distance drops its block")
            << QString::fromLatin1(kHop1).replace(QLatin1String("0.2000;"), QLatin1String("0.0500;")) << QList<int>{};
        QTest::newRow("block without end is not taken")
            << QString::fromLatin1(kHop1).remove(QLatin1String("END PROFILE\n")) + QString::fromLatin1(kHop2)
            << QList<int>{2};
        QTest::newRow("unreadable header value")
            << QString::fromLatin1(kHop1).replace(QLatin1String("ae_km=8495.0"), QLatin1String("ae_km=nan"))
            << QList<int>{};
        QTest::newRow("a single point is no profile")
            << QStringLiteral("BEGIN PROFILE hop=1\n0;1\nEND PROFILE\n") << QList<int>{};
    }

    void blocks()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, pointsPerHop);
        const QList<PathProfile> profiles = parsePathProfiles(text);
        QList<int> counts;
        for (const PathProfile& p : profiles)
            counts.append(int(p.points.size()));
        QCOMPARE(counts, pointsPerHop);
        if (pointsPerHop == QList<int>{3, 2}) {
            const PathProfile& first = profiles.at(0);
            QCOMPARE(QString("%1 %2").arg(first.hop).arg(first.to), QString("1 PRX"));
            QCOMPARE((QList<double>{first.frequencyGHz, first.antennaFromM, first.points.at(1).x(), first.points.at(1).y(),
                                    profiles.at(1).lengthKm(), profiles.at(1).antennaToM}),
                     (QList<double>{17.755, 512.5, 0.1, 520.5, 5.5, 513.5}));
        }
    }

    void geometry()
    {
        // 50 km hop at 13 GHz over k = 4/3 (ae 8495 km): mid-path bulge 36.8 m,
        // r1 = 17.32 sqrt(25 * 25 / (13 * 50)) = 16.98 m; both 0 at the ends.
        QVERIFY(qAbs(earthBulgeM(25.0, 25.0, 8495.0) - 36.786) < 0.01);
        QVERIFY(qAbs(fresnelRadiusM(25.0, 25.0, 13.0) - 16.978) < 0.01);
        QCOMPARE(earthBulgeM(0.0, 50.0, 8495.0) + fresnelRadiusM(0.0, 50.0, 13.0), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestPathProfile)
#include "tst_pathprofile.moc"
