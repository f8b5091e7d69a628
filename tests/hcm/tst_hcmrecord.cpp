// The record model and the line format of single records and headers.
#include "hcm/hcmheader.h"
#include "hcm/hcmrecord.h"

#include <QtTest>

namespace {

// Fields 1..49 of a TX record without patterns; field 30 (7G2) holds "X".
QByteArray txFields()
{
    return "TX;12975;M;;FX;CP;;01012020;Alpha;AUT;015E3000N472000;512;28M0D7W;Maker;Radio;155M;"
           "-14;0;-7;0;-3.5;25;3.5;25;7;40;14;45;1;X;28;10;0;"
           "123.5;0.5;V;-100;2;25;Note;Z;01012020;01012021;ABCDEFGHIJ0123456789;"
           "AntCo;A1;12700;13250;38.5";
}

} // namespace

class TestHcmRecord : public QObject
{
    Q_OBJECT

private slots:
    void derivedCodes_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("tx lower") << int(HcmField::TypeOfEntry) << QByteArray("tx") << 0;
        QTest::newRow("tx blank") << int(HcmField::TypeOfEntry) << QByteArray(" TX") << 4;
        QTest::newRow("prx mixed") << int(HcmField::TypeOfEntry) << QByteArray("pRx") << 3;
        QTest::newRow("ptx") << int(HcmField::TypeOfEntry) << QByteArray("PTX") << 2;
        QTest::newRow("m lower") << int(HcmField::FrequencyUnit) << QByteArray("m") << 1;
        QTest::newRow("MHz") << int(HcmField::FrequencyUnit) << QByteArray("MHz") << 3;
        QTest::newRow("h lower") << int(HcmField::Polarization) << QByteArray("h") << 1;
        QTest::newRow("v") << int(HcmField::Polarization) << QByteArray("v") << 0;
        QTest::newRow("HV") << int(HcmField::Polarization) << QByteArray("HV") << 2;
    }

    void derivedCodes()
    {
        QFETCH(int, field);
        QFETCH(QByteArray, text);
        CheckSettings settings = 0;
        HCMRecord r(&settings);
        QCOMPARE((QList<int>{r.entryType(), r.frequencyUnitCode(), r.polarizationCode()}), QList<int>({4, 3, 2}));
        r.setText(HcmField(field), text);
        const int actual = field == int(HcmField::TypeOfEntry)    ? r.entryType()
                           : field == int(HcmField::FrequencyUnit) ? r.frequencyUnitCode()
                                                                   : r.polarizationCode();
        QTEST(actual, "code");
        QCOMPARE(r.text(HcmField(field)), text);
    }

    void coordinatesSplit()
    {
        CheckSettings settings = 0;
        HCMRecord r(&settings);
        r.setCoordinates("015E3000N472000");
        QCOMPARE(r.text(HcmField::Longitude) + '|' + r.text(HcmField::Latitude), QByteArray("015E3000|N472000"));
        r.setCoordinates("016E00");
        QCOMPARE(r.text(HcmField::Longitude) + '|' + r.text(HcmField::Latitude), QByteArray("016E00|N472000"));
    }

    void assignFromIsIndependent()
    {
        CheckSettings a = 2;
        CheckSettings b = 4;
        HCMRecord source(&a);
        QCOMPARE(source.parseLine(txFields() + ";CP;2;0;0;10;20;XP;1;0;30"), 0);
        HCMRecord copy(&b);
        copy.antenna().coPolar().addPoint("99", "99");
        copy.assignFrom(source);
        QCOMPARE(copy.toLine(), source.toLine());
        QCOMPARE(copy.entryType(), 0);
        QCOMPARE(copy.checkSettings(), &a);
        QCOMPARE(copy.antenna().coPolar().count(), 2);
        QVERIFY(copy.antenna().coPolar().isCoPolar());
        QVERIFY(!copy.antenna().crossPolar().isCoPolar());

        copy.antenna().coPolar().setPoint(0, "5", "6");
        copy.setText(HcmField::StationName, "Changed");
        QCOMPARE(source.antenna().coPolar().angleView(0), QByteArrayView("0"));
        QCOMPARE(source.text(HcmField::StationName), QByteArray("Alpha"));
    }

    void roundTripKeepsEveryText()
    {
        CheckSettings settings = 0;
        HCMRecord r(&settings);
        const QByteArray line = txFields() + ";CP;2;0;0;10;20;XP;1;0;30";
        QCOMPARE(r.parseLine(line), 0);
        // 7G2 is never read from a file: it comes back empty.
        QByteArray expected = line;
        expected.replace(";1;X;28;", ";1;;28;");
        QCOMPARE(r.toLine(), expected);
        // Symmetric faults of reading and writing would pass the line compare.
        QCOMPARE((QList<QByteArray>{r.text(HcmField::Unused7G2), r.maskFrequency(6), r.maskAttenuation(6),
                                    r.text(HcmField::CoordinationReference), r.antenna().text(HCMAntenna::Gain)}),
                 QList<QByteArray>({"", "14", "45", "ABCDEFGHIJ0123456789", "38.5"}));

        // Surrounding blanks are trimmed, tabs kept.
        HCMRecord tabbed(&settings);
        QCOMPARE(tabbed.parseLine("  " + txFields() + "\t  "), 0);
        QCOMPARE(tabbed.antenna().text(HCMAntenna::Gain), QByteArray("38.5\t"));
    }

    void shortLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("lastSetField"); // text expected in 7H (field 14)
        const QByteArray fields = txFields();
        // Cut right after the semicolon that ends field 20 (mask attenuation 2).
        int semicolons = 0;
        int cut = 0;
        while (semicolons < 20)
            if (fields[cut++] == ';')
                ++semicolons;
        QTest::newRow("tx after field 20") << fields.left(cut) << 138 << QByteArray("Maker");
        QByteArray rx = fields.left(cut);
        rx.replace(0, 2, "rx");
        QTest::newRow("rx") << rx << 141 << QByteArray("Maker");
        QByteArray ptx = fields.left(30);
        ptx.replace(0, 2, "PTX");
        QTest::newRow("ptx") << ptx << 140 << QByteArray("old");
        QTest::newRow("unknown type") << QByteArray("XX;1;M") << 23 << QByteArray("old");
        QTest::newRow("blank line") << QByteArray("    ") << 0 << QByteArray("old");
    }

    void shortLines()
    {
        QFETCH(QByteArray, line);
        CheckSettings settings = 0;
        HCMRecord r(&settings);
        r.setText(HcmField::EquipmentManufacturer, "old");
        r.setText(HcmField::Remarks, "keep");
        QTEST(r.parseLine(line), "code");
        QTEST(r.text(HcmField::EquipmentManufacturer), "lastSetField");
        QCOMPARE(r.text(HcmField::Remarks), QByteArray("keep"));
    }

    void patternBlocks_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("coPoints");
        QTest::addColumn<int>("crossPoints");
        QTest::newRow("none") << QByteArray() << 0 << 0 << 0;
        QTest::newRow("both") << QByteArray(";CP;2;0;0;10;20;XP;1;0;30") << 0 << 2 << 1;
        QTest::newRow("cross trailing semicolon") << QByteArray(";CP;1;0;0;XP;1;0;30;junk") << 0 << 1 << 1;
        QTest::newRow("cross count zero") << QByteArray(";CP;1;0;0;XP;0;") << 0 << 1 << 0;
        QTest::newRow("cross count unterminated") << QByteArray(";CP;1;0;0;XP;0") << 138 << 1 << 0;
        QTest::newRow("count blanks") << QByteArray(";CP; 2 ;0;0;10;20;XP;1;0;30") << 0 << 2 << 1;
        QTest::newRow("co only, written form keeps last point") << QByteArray(";CP;2;0;0;10;20") << 138 << 2 << 0;
        QTest::newRow("co count letters") << QByteArray(";CP;ab;0;0") << 142 << 0 << 0;
        QTest::newRow("co count negative") << QByteArray(";CP;-1;XP;0") << 142 << 0 << 0;
        QTest::newRow("co count overflow") << QByteArray(";CP;99999999999;0;0") << 142 << 0 << 0;
        QTest::newRow("cross count empty") << QByteArray(";CP;1;0;0;XP;;0;30") << 144 << 1 << 0;
        QTest::newRow("cross short before last") << QByteArray(";CP;1;0;0;XP;3;0;30;5") << 138 << 1 << 1;
    }

    void patternBlocks()
    {
        QFETCH(QByteArray, tail);
        CheckSettings settings = 0;
        HCMRecord r(&settings);
        QTEST(r.parseLine(txFields() + tail), "code");
        QTEST(r.antenna().coPolar().count(), "coPoints");
        QTEST(r.antenna().crossPolar().count(), "crossPoints");
        QCOMPARE(r.antenna().text(HCMAntenna::Gain), QByteArray("38.5"));
    }

    void patternOrderOnWrite()
    {
        CheckSettings settings = 0;
        HCMRecord r(&settings);
        QCOMPARE(r.parseLine(txFields()), 0);
        r.antenna().crossPolar().setCode("XP");
        r.antenna().crossPolar().addPoint("0", "30");
        r.antenna().crossPolar().addPoint("180", "40");
        QCOMPARE(r.toLine(), txFields().replace(";X;", ";;") + ";XP;2;0;30;180;40");
    }

    void headerLines()
    {
        CheckSettings settings = 0;
        HCMHeader h(&settings);
        QCOMPARE(h.parseLine("7;Contents;ABC;AUT;Person;+43 1;+43 2;a@b.at;12;06122026"), 0);
        QCOMPARE(h.text(HCMHeader::WritingDate), QByteArray("06122026"));
        QCOMPARE(h.toLine(), QByteArray("7;Contents;ABC;AUT;Person;+43 1;+43 2;a@b.at;12;06122026"));

        QCOMPARE(h.parseLine("8;C2;X;D;P;1;2;e;3"), 145);
        QCOMPARE(h.text(HCMHeader::FileNumber) + '|' + h.text(HCMHeader::NumberOfRecords), QByteArray("8|12"));

        QCOMPARE(h.parseLine("9;C;X;D;P;1;2;e;3;01012000;extra"), 146);
        QCOMPARE(h.text(HCMHeader::NumberOfRecords) + '|' + h.text(HCMHeader::WritingDate), QByteArray("3|06122026"));

        h.clear();
        QCOMPARE(h.toLine(), QByteArray(9, ';'));
    }
};

QTEST_GUILESS_MAIN(TestHcmRecord)
#include "tst_hcmrecord.moc"
