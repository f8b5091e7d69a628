// Whole-record and whole-header checks: the mask and pattern presence rules,
// the order in which codes are collected and the calculation-only class.
#include "checktestdata.h"

#include "checks/antennachecks.h"
#include "checks/checkclasses.h"
#include "checks/equipmentchecks.h"
#include "checks/headerchecks.h"
#include "checks/recordcheck.h"
#include "hcm/hcmpatternpoint.h"

#include <QtTest>

namespace {

const int All = CheckNumberFormat | CheckSuspiciousValues | CheckIllegalCharacters;

QByteArray maskCodes(const HCMRecord& r)
{
    QList<int> codes;
    for (int n = 1; n <= 6; ++n) {
        for (int code : {checkMaskFrequency(r, n), checkMaskAttenuation(r, n)}) {
            if (code)
                codes.append(code);
        }
    }
    return codeText(codes);
}

void fillPattern(HCMPattern& p, const QByteArray& code, int points)
{
    p.setCode(code);
    p.clearPoints();
    for (int i = 0; i < points; ++i)
        p.addPoint(QByteArray::number(i * 10), "20");
}

const QByteArray kCleanHeader = "1;CLEAN TEST FILE;N;AUT;J SMITH;+43 1 234567;+43 1 234568;INFO@EXAMPLE.AT;3;06122026";

} // namespace

class TestRecordCheck : public QObject
{
    Q_OBJECT

private slots:
    void maskPresence_data()
    {
        QTest::addColumn<QByteArray>("mask"); // F1;A1;F2;A2;...;F6;A6
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char* name, const char* mask, const char* expected, int bits = All) {
            QTest::newRow(name) << QByteArray(mask) << bits << QByteArray(expected);
        };
        row("empty mask", ";;;;;;;;;;;", "");
        row("last attenuation 39.5", "0;0;7;20;14;39.5;;;;;;", "99");
        row("last attenuation 40", "0;0;7;20;14;40;;;;;;", "");
        row("falling frequency", "12;0;10;45;;;;;;;;", "76");
        row("equal frequencies", "12;0;12;45;;;;;;;;", "");
        row("falling at point 6", "0;0;1;10;2;20;3;30;4;40;3;50", "80");
        row("unreadable F1 skips the order rule", "x;0;10;45;;;;;;;;", "58");
        row("signed frequency fails the format", "-14;0;7;45;;;;;;;;", "1041");
        row("signed frequency without format", "-14;0;7;45;;;;;;;;", "", All & ~CheckNumberFormat);
        row("unreadable A2", "0;0;7;x;14;45;;;;;;", "85");
        row("attenuation format", "0;0;7;45.25;;;;;;;;", "1048");
    }

    void maskPresence()
    {
        QFETCH(QByteArray, mask);
        QFETCH(int, bits);
        QFETCH(QByteArray, expected);
        CheckSettings settings = bits;
        auto r = cleanRecord(&settings);
        const QList<QByteArray> texts = mask.split(';');
        QCOMPARE(texts.size(), 12);
        for (int n = 1; n <= 6; ++n) {
            r->setMaskFrequency(n, texts[2 * (n - 1)]);
            r->setMaskAttenuation(n, texts[2 * (n - 1) + 1]);
        }
        QCOMPARE(maskCodes(*r), expected);
        // The whole-record check reports the same codes in the same order.
        QList<int> codes;
        checkRecord(*r, codes);
        QCOMPARE(codeText(codes), expected);
    }

    void maskRequirementTable()
    {
        // Given one mask text alone: points 1 and 2 are then required in full;
        // from point 3 on, a point is required once a later point or the other
        // half of the same point is given.
        const int frequencyMissing[6] = {60, 61, 64, 67, 70, 73};
        const int attenuationMissing[6] = {81, 84, 87, 90, 93, 96};
        CheckSettings settings = All;
        for (int given = 0; given < 12; ++given) {
            const bool frequencyGiven = given < 6;
            const int point = given % 6 + 1;
            auto r = cleanRecord(&settings);
            for (int n = 1; n <= 6; ++n) {
                r->setMaskFrequency(n, n == point && frequencyGiven ? "50" : "");
                r->setMaskAttenuation(n, n == point && !frequencyGiven ? "50" : "");
            }
            for (int n = 1; n <= 6; ++n) {
                const QByteArray where = (frequencyGiven ? "F" : "A") + QByteArray::number(point) + " given, point "
                    + QByteArray::number(n);
                const bool required = n <= 2 || point > n;
                if (!(frequencyGiven && n == point))
                    QVERIFY2(checkMaskFrequency(*r, n) == (required || n == point ? frequencyMissing[n - 1] : 0), where);
                if (!(!frequencyGiven && n == point))
                    QVERIFY2(checkMaskAttenuation(*r, n) == (required || n == point ? attenuationMissing[n - 1] : 0), where);
            }
        }
    }

    void patternPresence_data()
    {
        QTest::addColumn<QByteArray>("coCode");
        QTest::addColumn<int>("coPoints");
        QTest::addColumn<QByteArray>("crossCode");
        QTest::addColumn<int>("crossPoints");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char* name, const char* co, int coPoints, const char* cross, int crossPoints,
                            const char* expected) {
            QTest::newRow(name) << QByteArray(co) << coPoints << QByteArray(cross) << crossPoints << QByteArray(expected);
        };
        row("no pattern data at all", "", 0, "", 0, "");
        row("co-polar wholly empty", "", 0, "HV", 2, "15 115");
        row("co-polar code without points", "HH", 0, "XP", 2, "115");
        row("co-polar points without code", "", 2, "XP", 2, "15");
        row("co-polar lower case", "cp", 2, "XP", 2, "1059");
        row("co-polar code XP", "XP", 2, "XP", 2, "11");
        row("cross-polar wholly empty", "CP", 2, "", 0, "8 126");
        row("cross-polar lower case", "CP", 2, "hv", 1, "1060");
        row("cross-polar code CP", "CP", 2, "CP", 1, "12");
        row("bad code, no points; other empty", "XX", 0, "", 0, "115 11 8 126");
    }

    void patternPresence()
    {
        QFETCH(QByteArray, coCode);
        QFETCH(int, coPoints);
        QFETCH(QByteArray, crossCode);
        QFETCH(int, crossPoints);
        CheckSettings settings = All;
        auto r = cleanRecord(&settings);
        fillPattern(r->antenna().coPolar(), coCode, coPoints);
        fillPattern(r->antenna().crossPolar(), crossCode, crossPoints);
        QList<int> codes;
        checkRecord(*r, codes);
        QTEST(codeText(codes), "expected");
    }

    void points_data()
    {
        QTest::addColumn<QByteArray>("angle");
        QTest::addColumn<QByteArray>("attenuation");
        QTest::addColumn<int>("angleCode");
        QTest::addColumn<int>("attenuationCode");

        QTest::newRow("empty") << QByteArray() << QByteArray() << 1 << 5;
        QTest::newRow("letters") << QByteArray("a") << QByteArray("b") << 2 << 6;
        QTest::newRow("edges 360 and 0") << QByteArray("360") << QByteArray("0") << 0 << 0;
        QTest::newRow("beyond the circle, negative attenuation") << QByteArray("360.5") << QByteArray("-1") << 3 << 7;
        QTest::newRow("negative angle") << QByteArray("-0.5") << QByteArray("1") << 3 << 0;
        QTest::newRow("two decimals") << QByteArray("12.25") << QByteArray("12.25") << 1036 << 1037;
        QTest::newRow("three-digit attenuation") << QByteArray("10") << QByteArray("100") << 0 << 1037;
    }

    // The point checked in its pattern and on its own.
    void points()
    {
        QFETCH(QByteArray, angle);
        QFETCH(QByteArray, attenuation);
        QFETCH(int, angleCode);
        QFETCH(int, attenuationCode);
        CheckSettings settings = All;
        auto r = cleanRecord(&settings);
        HCMPattern& cross = r->antenna().crossPolar();
        cross.setPoint(1, angle, attenuation);
        QCOMPARE((QList<int>{checkPointAngle(cross, 1), checkPointAttenuation(cross, 1),
                             checkPointAngle(cross.point(1)), checkPointAttenuation(cross.point(1))}),
                 (QList<int>{angleCode, attenuationCode, angleCode, attenuationCode}));
    }

    void detachedPointWithoutSettingsSkipsFormat()
    {
        const HCMPatternPoint point("12.25", "12.25", nullptr);
        QCOMPARE(checkPointAngle(point), 0);
        QCOMPARE(checkPointAttenuation(point), 0);
        const HCMPatternPoint bad("400", "-1", nullptr);
        QCOMPARE(checkPointAngle(bad), 3);
        QCOMPARE(checkPointAttenuation(bad), 7);
    }

    void recordOrder()
    {
        // One fault in many fields: the codes come in the fixed order of the
        // whole-record check, not in line order (latitude after longitude, the
        // mask after 7K, 9H between 9D and 9L, the antenna after 13X, points last).
        CheckSettings settings = All;
        auto r = cleanRecord(&settings);
        r->setText(HcmField::TypeOfEntry, "tx");
        r->setText(HcmField::CoordinationReference, "SHORT");
        r->setText(HcmField::Latitude, "54N4160");
        r->setText(HcmField::Longitude, "012E6000");
        r->setText(HcmField::NoisePower, "-60");
        r->setText(HcmField::LineLosses, "-1");
        r->setText(HcmField::Polarization, "X");
        r->setText(HcmField::Capacity, "155m");
        r->setMaskAttenuation(3, "39");
        r->setText(HcmField::EquipmentClass, "7");
        r->setText(HcmField::Frequency, "1420");
        r->antenna().setText(HCMAntenna::Gain, "x");
        r->antenna().crossPolar().setPoint(0, "400", "5");
        r->antenna().coPolar().setPoint(2, "180", "-3");
        r->antenna().crossPolar().setCode("xp");
        QList<int> codes;
        checkRecord(*r, codes);
        QCOMPARE(codeText(codes), QByteArray("1001 1004 42 47 1014 99 100 120 1015 125 136 21 1060 7 3"));
    }

    void calcOnlySkipsWholeFields()
    {
        CheckSettings settings = All | CheckCalcOnly;
        auto r = cleanRecord(&settings);
        // Faults only in fields that the calculations do not need.
        r->setText(HcmField::StationName, "");
        r->setText(HcmField::Remarks, QByteArray(60, 'x'));
        r->setText(HcmField::FrequencyCategory, "?");
        r->setText(HcmField::ClassOfStation, "?");
        r->setText(HcmField::NatureOfService, "?");
        r->setText(HcmField::CategoryOfUse, "?");
        r->setText(HcmField::DateInUse, "?");
        r->setText(HcmField::CoordinationStatus, "?");
        r->setText(HcmField::CoordinationRequestDate, "?");
        r->setText(HcmField::CoordinationFinalDate, "?");
        r->setText(HcmField::CoordinationReference, "?");
        r->setText(HcmField::Emission, "?");
        r->antenna().setText(HCMAntenna::Manufacturer, "?");
        r->antenna().setText(HCMAntenna::Type, "?");
        r->antenna().setText(HCMAntenna::LowerFrequency, "?");
        r->antenna().setText(HCMAntenna::UpperFrequency, "?");
        QList<int> codes;
        checkRecord(*r, codes);
        QCOMPARE(codeText(codes), QByteArray());

        settings = All;
        checkRecord(*r, codes);
        QCOMPARE(codeText(codes), QByteArray("30 31 32 33 34 1007 52 130 131 132 134 136 1000 1053 16 18"));
    }

    void headerFields_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("expected");

        const int v = All & ~CheckSuspiciousValues;
        QTest::newRow("file number not whole") << int(HCMHeader::FileNumber) << QByteArray("1.5") << All << 148;
        QTest::newRow("file number three digits") << int(HCMHeader::FileNumber) << QByteArray("123") << All << 1061;
        QTest::newRow("file contents too long") << int(HCMHeader::FileContents) << QByteArray(81, 'A') << All << 150;
        QTest::newRow("contents code lower case") << int(HCMHeader::FileContentsCode) << QByteArray("m") << All << 1063;
        QTest::newRow("e-mail in lower case is warned") << int(HCMHeader::Email) << QByteArray("a@b.at") << All << 1067;
        QTest::newRow("records not a number") << int(HCMHeader::NumberOfRecords) << QByteArray("three") << All << 161;
        QTest::newRow("records seven digits") << int(HCMHeader::NumberOfRecords) << QByteArray("0000003") << All << 1068;
        QTest::newRow("records 10 for 3") << int(HCMHeader::NumberOfRecords) << QByteArray("10") << All << 165;
        QTest::newRow("records with blanks") << int(HCMHeader::NumberOfRecords) << QByteArray(" 3") << All << 0;
        QTest::newRow("date short") << int(HCMHeader::WritingDate) << QByteArray("0612202") << All << 163;
        QTest::newRow("date letters") << int(HCMHeader::WritingDate) << QByteArray("O6122026") << All << 164;
        QTest::newRow("date month 13") << int(HCMHeader::WritingDate) << QByteArray("06132026") << All << 1069;
        QTest::newRow("date month 13, no values") << int(HCMHeader::WritingDate) << QByteArray("06132026") << v << 0;
    }

    void headerFields()
    {
        QFETCH(int, field);
        QFETCH(QByteArray, text);
        QFETCH(int, bits);
        QFETCH(int, expected);
        CheckSettings settings = bits;
        HCMHeader h(&settings);
        QCOMPARE(h.parseLine(kCleanHeader), 0);
        QCOMPARE(checkHeaderField(h, HCMHeader::NumberOfRecords, 3), 0);
        h.setText(HCMHeader::Field(field), text);
        QCOMPARE(checkHeaderField(h, HCMHeader::Field(field), 3), expected);
    }

    void headerOrder()
    {
        CheckSettings settings = All;
        HCMHeader h(&settings);
        QList<int> codes{1};
        checkHeader(h, codes, 0);
        QCOMPARE(codeText(codes), QByteArray("147 152 154 156 158 160 162 37 151 149"));

        QCOMPARE(h.parseLine(kCleanHeader), 0);
        checkHeader(h, codes, 3);
        QVERIFY(codes.isEmpty());
        checkHeader(h, codes, 9);
        QCOMPARE(codeText(codes), QByteArray("165"));
        h.setText(HCMHeader::Email, "");
        h.setText(HCMHeader::FileContents, "links");
        checkHeader(h, codes, 3);
        QCOMPARE(codeText(codes), QByteArray("158 1062"));
    }
};

QTEST_APPLESS_MAIN(TestRecordCheck)
#include "tst_recordcheck.moc"
