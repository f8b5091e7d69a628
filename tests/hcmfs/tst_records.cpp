// Record lines: field positions, values read for the calculation, pattern
// blocks, and the shapes that must be refused.
#include "record.h"

#include <QTest>

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

    void frequencyUnits_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("mhz");
        QTest::newRow("M") << "23058" << "M" << true << 23058.0;
        QTest::newRow("G") << "23.058" << "G" << true << 23058.0;
        QTest::newRow("k lower") << "1500000" << "k" << true << 1500.0;
        QTest::newRow("MHz is no unit") << "23058" << "MHz" << false << 0.0;
        QTest::newRow("comma") << "23,058" << "G" << false << 0.0;
        QTest::newRow("empty") << "" << "M" << false << 0.0;
        QTest::newRow("plus sign") << "+23058" << "M" << true << 23058.0;
        QTest::newRow("blanks") << " 23058 " << "M" << true << 23058.0;
        QTest::newRow("trailing text") << "23058MHz" << "M" << false << 0.0;
        QTest::newRow("hex") << "0x10" << "M" << false << 0.0;
    }

    void frequencyUnits()
    {
        QFETCH(QString, value);
        QFETCH(QString, unit);
        QFETCH(bool, ok);
        QFETCH(double, mhz);
        hcmfs::StationRecord r;
        QVERIFY(parse(withField(withField(kTx, 1, value.toStdString()).c_str(), 2, unit.toStdString()), r));
        QCOMPARE(r.hasFrequency, ok);
        if (ok)
            QVERIFY(qAbs(r.frequencyMHz - mhz) < 1e-9);
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

    void malformedLines_data()
    {
        QTest::addColumn<QString>("line");
        const QString tx = QString::fromLatin1(kTx);
        QTest::newRow("empty") << QString();
        QTest::newRow("no semicolon") << "TX 23058 M";
        QTest::newRow("48 fields") << tx.left(tx.indexOf(";41.0;"));
        QTest::newRow("count not a number") << QString(tx).replace(";CP;3;", ";CP;x;");
        QTest::newRow("negative count") << QString(tx).replace(";CP;3;", ";CP;-1;");
        QTest::newRow("fewer points than count") << QString(tx).replace(";CP;3;", ";CP;9;");
        QTest::newRow("angle not a number") << QString(tx).replace(";CP;3;0;0;", ";CP;3;a;0;");
        QTest::newRow("cross count missing") << tx.left(tx.indexOf(";XP;") + 3);
    }

    void malformedLines()
    {
        QFETCH(QString, line);
        hcmfs::StationRecord r;
        std::string message;
        const std::string l = line.toStdString();
        QVERIFY(!hcmfs::parseStationRecord(l.data(), static_cast<int>(l.size()), r, message));
        QVERIFY(!message.empty());
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
