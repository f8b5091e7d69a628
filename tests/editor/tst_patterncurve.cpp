// The curves the Antenna page plots from a pattern's point texts.
#include "editor/patterncurve.h"

#include <QtTest>

using Points = QList<QPointF>;
using Rows = QList<PatternPointText>;

class TestPatternCurve : public QObject
{
    Q_OBJECT
private slots:
    void curve_data();
    void curve();
    void axes();
};

void TestPatternCurve::curve_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<Points>("points");
    QTest::addColumn<QList<int>>("unplotted");
    QTest::newRow("empty") << Rows{} << Points{} << QList<int>{};
    QTest::newRow("sorted by angle, blanks ignored")
        << Rows{{"180", "45"}, {" 0 ", "0"}, {"10", " 20.5"}}
        << Points{{0, 0}, {10, 20.5}, {180, 45}} << QList<int>{};
    QTest::newRow("equal angles keep table order")
        << Rows{{"30", "5"}, {"10", "1"}, {"30", "2"}} << Points{{10, 1}, {30, 5}, {30, 2}}
        << QList<int>{};
    QTest::newRow("0 and 360 plotted, beyond not")
        << Rows{{"360", "40"}, {"-0.5", "1"}, {"360.5", "1"}, {"0", "0"}}
        << Points{{0, 0}, {360, 40}} << QList<int>{1, 2};
    QTest::newRow("texts that are no finite number")
        << Rows{{"", "1"}, {"1", ""}, {"abc", "1"}, {"1", "1,5"}, {"nan", "1"}, {"1", "inf"},
                {"1", "1e400"}, {"5", "-3"}}
        << Points{{5, -3}} << QList<int>{0, 1, 2, 3, 4, 5, 6};
}

void TestPatternCurve::curve()
{
    QFETCH(Rows, rows);
    const PatternCurve curve = patternCurve(rows);
    QTEST(curve.points, "points");
    QTEST(curve.unplotted, "unplotted");
}

void TestPatternCurve::axes()
{
    const PatternAxes none = patternAxes({});
    QCOMPARE(none.angleMax, 180.0);
    QCOMPARE(none.attenuationMax, 10.0);
    const PatternAxes axes = patternAxes({patternCurve({{"180", "40"}}),
                                          patternCurve({{"180.1", "41"}, {"3", "-0.5"}})});
    QCOMPARE(axes.angleMax, 360.0);
    QCOMPARE(axes.attenuationMin, -10.0);
    QCOMPARE(axes.attenuationMax, 50.0);
}

QTEST_GUILESS_MAIN(TestPatternCurve)
#include "tst_patterncurve.moc"
