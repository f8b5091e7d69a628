// Record lines: field positions, values read for the calculation, pattern
// blocks, and the shapes that must be refused.
#include "record.h"

#include <QTest>

#include <tuple>

namespace {

const char* const kTx =
    "TX;23058;M;2;FX;CO;H;01012024;SITE A;KEN;036e514304n2511;870;28M0W7W;GENERIC;RADIO;2E3;10.65;0;12.8;2;14.12;10;"
    "14.76;20.7;15.3;28;49;51;4L;;28;-5;3;112.6;2.1;v;;1.5;64;;;;;;GENERIC;DISH;21200;23600;41.0;"
    "CP;3;0;0;5;20;180;50;XP;2;0;30;180;60";

std::string withField(const char* line, int index, const std::string& value)
{
    std::string s(line);
    std::size_t start = 0;
    for (int i = 0; i < index; ++i)
        start = s.find(';', start) + 1;
    const std::size_t end = s.find(';', start);
    return s.substr(0, start) + value + s.substr(end);
}

bool parse(const std::string& line, hcmfs::StationRecord& r)
{
    std::string message;
    return hcmfs::parseStationRecord(line.data(), static_cast<int>(line.size()), r, message);
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void readsValues()
    {
        hcmfs::StationRecord r;
        QVERIFY(parse(kTx, r));
        QCOMPARE(int(r.type), int(hcmfs::StationType::Tx));
        QVERIFY(r.hasFrequency && r.hasCoordinates && !r.noise.present);
        QVERIFY(qAbs(r.position.lon - 36.861944) < 1e-6);
        QCOMPARE(r.polarisation, 'V');
        QCOMPARE(QString::fromStdString(r.equipmentClass + " " + r.coPolar.code + " " + r.crossPolar.code), QString("4L CP XP"));
        QCOMPARE((QList<int>{int(r.mask.size()), int(r.coPolar.points.size()), int(r.crossPolar.points.size())}),
                 (QList<int>{6, 3, 2}));
        // Frequency, site and antenna height, azimuth, elevation, power, ATPC, line loss, gain,
        // channel spacing, the last mask offset, a co-polar attenuation, a cross-polar angle.
        QCOMPARE((QList<double>{r.frequencyMHz, r.siteHeight.value, r.antennaHeight.value, r.azimuth.value,
                                r.elevation.value, r.power.value, r.atpc.value, r.lineLoss.value, r.gain.value,
                                r.channelSpacing.value, r.mask[5].offset, r.coPolar.points[2].attenuation,
                                r.crossPolar.points[1].angle}),
                 (QList<double>{23058, 870, 64, 112.6, 2.1, -5, 3, 1.5, 41, 28, 49, 50, 180}));
    }

    void frequencyUnits()
    {
        // {1A, 1A1, MHz}; 0 MHz: no frequency.
        for (const auto& [value, unit, mhz] : std::initializer_list<std::tuple<const char*, const char*, double>>{
                 {"23058", "M", 23058}, {"23.058", "G", 23058}, {"1500000", "k", 1500}, {"+23058", "M", 23058},
                 {" 23058 ", "M", 23058}, {"23058", "MHz", 0}, {"23,058", "G", 0}, {"", "M", 0},
                 {"23058MHz", "M", 0}, {"0x10", "M", 0}}) {
            hcmfs::StationRecord r;
            QVERIFY(parse(withField(withField(kTx, 1, value).c_str(), 2, unit), r));
            QVERIFY2(r.hasFrequency == (mhz > 0) && (mhz == 0 || qAbs(r.frequencyMHz - mhz) < 1e-9), value);
        }
    }

    void variants_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("patterns");
        const QByteArray tx(kTx);
        // Real exchange files end some records after field 49, others with empty
        // pattern fields.
        const QByteArray fortyNine = tx.left(tx.indexOf(";CP"));
        const int txType = int(hcmfs::StationType::Tx);
        QTest::newRow("49 fields") << fortyNine << txType << false;
        QTest::newRow("empty pattern fields") << fortyNine + ";;;;;" << txType << false;
        QTest::newRow("CR LF") << tx + "\r\n" << txType << true;
        QTest::newRow("NUL, then garbage") << tx + QByteArray("\0garbage;;;", 11) << txType << true;
        QTest::newRow("type in mixed case") << QByteArray::fromStdString(withField(kTx, 0, "PRx"))
                                            << int(hcmfs::StationType::Prx) << true;
        QTest::newRow("unknown type") << QByteArray::fromStdString(withField(kTx, 0, "xx"))
                                      << int(hcmfs::StationType::Unknown) << true;
    }

    void variants()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, type);
        QFETCH(bool, patterns);
        hcmfs::StationRecord r;
        QVERIFY(parse(line.toStdString(), r));
        QCOMPARE(int(r.type), type);
        QCOMPARE(r.gain.value, 41.0);
        QCOMPARE(r.coPolar.points.size(), std::size_t(patterns ? 3 : 0));
        QCOMPARE(r.crossPolar.points.size(), std::size_t(patterns ? 2 : 0));
        if (patterns)
            QCOMPARE(r.crossPolar.points[1].attenuation, 60.0);
    }

    void malformedLines()
    {
        const QString tx = QString::fromLatin1(kTx);
        // Empty, no semicolon, 48 fields, a pattern count that is not a number, negative or
        // larger than the points given, an angle that is not a number, the cross count missing.
        for (const QString& line :
             {QString(), QString("TX 23058 M"), tx.left(tx.indexOf(";41.0;")),
              QString(tx).replace(";CP;3;", ";CP;x;"), QString(tx).replace(";CP;3;", ";CP;-1;"),
              QString(tx).replace(";CP;3;", ";CP;9;"), QString(tx).replace(";CP;3;0;0;", ";CP;3;a;0;"),
              tx.left(tx.indexOf(";XP;") + 3)}) {
            hcmfs::StationRecord r;
            std::string message;
            const std::string l = line.toStdString();
            QVERIFY2(!hcmfs::parseStationRecord(l.data(), static_cast<int>(l.size()), r, message), l.c_str());
            QVERIFY(!message.empty());
        }
    }

    void maskPoints()
    {
        hcmfs::StationRecord r;
        // Point 3 half filled: the mask is unusable, not silently shortened.
        QVERIFY(parse(withField(kTx, 21, ""), r));
        QVERIFY(!r.maskUsable);
        // Points 4 to 6 empty: three points.
        std::string line = kTx;
        for (int i = 22; i <= 27; ++i)
            line = withField(line.c_str(), i, "");
        QVERIFY(parse(line, r));
        QVERIFY(r.maskUsable);
        QCOMPARE(r.mask.size(), std::size_t(3));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
