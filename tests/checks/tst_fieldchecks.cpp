// Field checks of a record, grouped by field family. Every row starts from a
// clean record, changes one field (and, where said, others it depends on) and
// checks that field alone, so a row shows which rule wins for that text.
// everyField sends a few texts through every field at once and so pins which
// checker, which codes and which digit limits each field has; the rows of
// fields() are what only one field does: value bounds, the order of rules,
// class switches, passive stations. A code that the whole-record tests of
// tst_recordcheck already bring out through the same field check has no row
// of its own here.
#include "checktestdata.h"

#include "checks/antennachecks.h"
#include "checks/checkclasses.h"
#include "checks/recordcheck.h"
#include "checks/stationchecks.h"

#include <QtTest>

namespace {

const int All = CheckNumberFormat | CheckSuspiciousValues | CheckIllegalCharacters;
const int NoFormat = All & ~CheckNumberFormat;
const int NoValues = All & ~CheckSuspiciousValues;
const int NoCharacters = All & ~CheckIllegalCharacters;
const int CalcOnly = All | CheckCalcOnly;
const int AntennaBase = 100;

using F = HcmField;
using A = HCMAntenna;

// Antenna fields are numbered from AntennaBase on.
void setField(HCMRecord& r, int f, const QByteArray& text)
{
    if (f >= AntennaBase)
        r.antenna().setText(A::Field(f - AntennaBase), text);
    else
        r.setText(F(f), text);
}

int checkField(const HCMRecord& r, int f)
{
    if (f >= AntennaBase)
        return checkAntennaField(r.antenna(), A::Field(f - AntennaBase));
    return checkRecordField(r, F(f));
}

void addColumns()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("unit"); // 1A1, when the row sets it
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("expected");
}

void row(const char* name, int field, const QByteArray& text, int expected, int bits = All,
         const QByteArray& type = "TX", const QByteArray& unit = QByteArray())
{
    QTest::newRow(name) << type << field << text << unit << bits << expected;
}

void row(const char* name, F field, const QByteArray& text, int expected, int bits = All,
         const QByteArray& type = "TX", const QByteArray& unit = QByteArray())
{
    row(name, int(field), text, expected, bits, type, unit);
}

void row(const char* name, A::Field field, const QByteArray& text, int expected, int bits = All)
{
    row(name, AntennaBase + field, text, expected, bits);
}

void runRow()
{
    QFETCH(QByteArray, type);
    QFETCH(int, field);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, unit);
    QFETCH(int, bits);

    CheckSettings settings = bits;
    auto r = cleanRecord(&settings, type);
    if (!unit.isEmpty())
        r->setText(F::FrequencyUnit, unit);
    setField(*r, field, text);
    QTEST(checkField(*r, field), "expected");
}

} // namespace

class TestFieldChecks : public QObject
{
    Q_OBJECT

private slots:
    void fields_data()
    {
        addColumns();
        const QByteArray long21(21, 'A'), longLower41(41, 'a');

        // frequency
        row("1A empty on PTX", F::Frequency, "", 0, All, "PTX");
        row("1A not a number wins over format", F::Frequency, "1234567a", 25);
        row("1A gap edge is in a band", F::Frequency, "1.4", 0, All, "TX", "G");
        row("1A band edge 12.75 GHz", F::Frequency, "12.75", 0, All, "TX", "G");
        row("1A just inside the gap below 12.75", F::Frequency, "12.7", 1004, All, "TX", "G");
        row("1A lowest frequency", F::Frequency, "1.35", 0, All, "TX", "G");
        row("1A below the lowest", F::Frequency, "1.349", 1003, All, "TX", "G");
        row("1A highest frequency", F::Frequency, "43.5", 0, All, "TX", "G");
        row("1A above the highest", F::Frequency, "43.6", 1003, All, "TX", "G");
        row("1A six digits fail the format", F::Frequency, "100000", 1024, All, "TX", "K");
        row("1A six digits without format: 0.1 GHz", F::Frequency, "100000", 1003, NoFormat, "TX", "K");
        row("1A unknown unit is outside", F::Frequency, "13000", 1003, All, "TX", "X");
        row("1A unknown unit without values class", F::Frequency, "13000", 0, NoValues, "TX", "X");

        row("1A1 lower case warned", F::FrequencyUnit, "m", 1002);

        // station classification
        row("1Z no trimming", F::FrequencyCategory, " 1", 30);

        row("6A lower case", F::ClassOfStation, "fx", 1005);
        row("6A lower case without characters class", F::ClassOfStation, "fx", 0, NoCharacters);

        row("6B lower case", F::NatureOfService, "cp", 1021);
        row("6B lower case without characters class", F::NatureOfService, "cp", 0, NoCharacters);

        // dates
        row("2C day 00", F::DateInUse, "00012011", 1006);
        row("2C day 00 without values class", F::DateInUse, "00012011", 0, NoValues);
        row("2W letters", F::CoordinationRequestDate, "ABCDEFGH", 133);

        // name, country and position
        row("4A empty whatever the warning classes", F::StationName, "", 1007, 0);
        row("4A characters before length", F::StationName, longLower41, 1008);
        row("4A too long without characters class", F::StationName, longLower41, 36, NoCharacters);

        row("4B length before characters", F::Country, "autx", 38);

        row("longitude lower-case hemisphere", F::Longitude, "012e3045", 1020);
        row("longitude degrees above 360", F::Longitude, "361E0000", 41);
        row("longitude 360 degrees", F::Longitude, "360W0000", 0);
        row("longitude seconds 60", F::Longitude, "012E3060", 43);
        row("longitude minutes before seconds", F::Longitude, "012E6060", 42);
        row("longitude hemisphere X", F::Longitude, "012X3045", 41);
        row("longitude signed degrees", F::Longitude, "-01E3045", 41);

        row("latitude degrees above 90", F::Latitude, "91N0000", 45);
        row("latitude hemisphere E", F::Latitude, "54E4130", 45);

        row("4Z -100", F::SiteHeight, "-100", 0);
        row("4Z -101", F::SiteHeight, "-101", 1010);
        row("4Z -101 without values class", F::SiteHeight, "-101", 0, NoValues);
        row("4Z decimals without format are no whole number", F::SiteHeight, "12.5", 50, NoFormat);
        row("4Z 9000", F::SiteHeight, "9000", 0);
        row("4Z 9001", F::SiteHeight, "9001", 1010);
        row("4Z signed three digits", F::SiteHeight, "+123", 0);

        // antenna direction, polarisation, losses
        row("9A 360", F::Azimuth, "360", 114);
        row("9A 0", F::Azimuth, "0", 0);

        row("9B 90", F::Elevation, "90", 0);
        row("9B 90.5", F::Elevation, "90.5", 118);

        row("9D lower case", F::Polarization, "h", 1023);

        // co-ordination
        row("13Y lower case", F::CoordinationStatus, "z", 1028);

        row("13X lower case before serial", F::CoordinationReference, "abcdefghijklmnX00001", 1019);
        row("13X serial with a letter", F::CoordinationReference, "ABCDEFGHIJKLMN00000X", 137);

        // equipment and power
        row("7A ten characters", F::Emission, "28M0D7WXYZ", 52);
        row("7A nine characters", F::Emission, "28M0D7WXY", 0);
        row("7A lower case", F::Emission, "28m0d7w", 1011);

        row("7H too long", F::EquipmentManufacturer, long21, 54);

        row("7G1 4h listed but warned", F::EquipmentClass, "4h", 1032);

        row("7G3 three decimals", F::ChannelSpacing, "28.125", 0);

        row("8B empty on RX", F::MaxPower, "", 0, All, "RX");


        row("9H empty on RX", F::NoisePower, "", 121, All, "RX");
        row("9H format before number", F::NoisePower, "abcd", 1034);
        row("9H letters without format", F::NoisePower, "abcd", 123, NoFormat);

        row("9Y 1000", F::AntennaHeight, "1000", 0);
        row("9Y 1001", F::AntennaHeight, "1001", 1055);

        // antenna
        row("9XM too long", A::Manufacturer, long21, 10);

        row("9XFL 61", A::LowerFrequency, "61", 1056);
        row("9XFL 61 without values class", A::LowerFrequency, "61", 0, NoValues);

        row("9X1 empty, calculation entries only", A::Gain, "", 20, CalcOnly);
        row("9X1 value before format", A::Gain, "-15.55", 1058);
        row("9X1 61", A::Gain, "61", 1058);
    }

    void fields() { runRow(); }

    // One text through every field of a clean TX record, all classes on: pins
    // which checker, which codes and which digit limits each field has, so the
    // rows above need not repeat a rule that works alike in every field.
    void everyField_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected"); // in the order of kNames
        QTest::newRow("empty") << QByteArray() << QByteArray("23 24 27 29 0 0 0 0 1007 37 39 44 48 51 53 55 0 0 0 104 "
            "107 0 112 116 120 0 0 127 0 131 0 0 136 9 13 0 0 20");
        QTest::newRow("letter") << QByteArray("x") << QByteArray("23 25 28 30 31 32 1022 34 1008 1009 40 45 50 52 1012 "
            "1013 1014 100 102 105 108 110 113 117 120 123 124 128 1016 131 132 134 136 1000 1053 16 18 21");
        QTest::newRow("four decimals") << QByteArray("12.5555") << QByteArray("23 1003 28 30 31 32 33 34 0 38 40 45 1029 "
            "0 0 0 0 100 1033 1035 1030 1031 1025 1026 120 1034 1027 1054 0 131 132 134 136 0 0 1038 1039 1040");
        // The digit limits of the number formats, where no value bound comes first.
        QTest::newRow("two decimals") << QByteArray("1.25") << QByteArray("23 1003 28 30 31 32 33 34 0 38 40 45 1029 "
            "52 0 0 0 100 1033 0 1030 1031 1025 1026 120 1034 1027 1054 0 131 132 134 136 0 0 0 0 1040");
        QTest::newRow("four digits") << QByteArray("1234") << QByteArray("23 1003 28 30 31 32 33 34 0 38 40 45 0 52 "
            "0 0 0 100 1033 1035 1030 1031 114 118 120 1034 1027 1055 0 131 132 134 136 0 0 1038 1039 1058");
        // A sign: refused by the format, or a value out of range checked first.
        QTest::newRow("minus one") << QByteArray("-1") << QByteArray("23 1024 28 30 31 32 33 34 0 0 40 45 0 52 0 0 "
            "0 100 1033 1035 0 111 114 0 120 1015 125 129 0 131 132 134 136 0 0 1038 1039 1040");
    }

    void everyField()
    {
        QFETCH(QByteArray, text);
        const char* kNames[] = {"0A", "1A", "1A1", "1Z", "6A", "6B", "6Z", "2C", "4A", "4B", "LON", "LAT", "4Z",
                                "7A", "7H", "7I", "7K", "7G1", "7G2", "7G3", "8B", "8B3", "9A", "9B", "9D", "9H",
                                "9L", "9Y", "13Z", "13Y", "2W", "2Z", "13X", "9XM", "9XT", "9XFL", "9XFU", "9X1"};
        QList<int> fields;
        for (int f = 0; f < kHcmFieldCount; ++f) {
            if (f < int(F::MaskFrequency1) || f > int(F::MaskAttenuation6))
                fields << f;
        }
        for (int a = 0; a < A::FieldCount; ++a)
            fields << AntennaBase + a;
        QFETCH(QByteArray, expected);
        const QList<QByteArray> codes = expected.split(' ');
        QCOMPARE(codes.size(), fields.size());
        QByteArray actual, wanted; // "0A:23 1A:24 ..."
        for (int i = 0; i < fields.size(); ++i) {
            CheckSettings settings = All;
            auto r = cleanRecord(&settings);
            setField(*r, fields[i], text);
            actual += ' ' + QByteArray(kNames[i]) + ':' + QByteArray::number(checkField(*r, fields[i]));
            wanted += ' ' + QByteArray(kNames[i]) + ':' + codes[i];
        }
        QCOMPARE(actual, wanted);
    }

    void cleanRecordIsClean()
    {
        for (const QByteArray type : {"TX", "RX", "PTX", "PRX"}) {
            CheckSettings settings = All;
            auto r = cleanRecord(&settings, type);
            QList<int> codes{1, 2, 3};
            checkRecord(*r, codes);
            QVERIFY2(codes.isEmpty(), type + ": " + codeText(codes));
        }
    }

    void frequencyConversion()
    {
        CheckSettings settings = All;
        HCMRecord r(&settings);
        r.setText(HcmField::Frequency, "7000");
        const std::pair<QByteArray, double> units[] = {{"M", 7.0}, {"k", 0.007}, {"G", 7000.0}, {"X", -1.0}};
        for (const auto& [unit, gigahertz] : units) {
            r.setText(HcmField::FrequencyUnit, unit);
            QCOMPARE(frequencyInGHz(r), gigahertz);
        }
        r.setText(HcmField::FrequencyUnit, "M");
        r.setText(HcmField::Frequency, "seven");
        QCOMPARE(frequencyInGHz(r), -1.0);
    }
};

QTEST_APPLESS_MAIN(TestFieldChecks)
#include "tst_fieldchecks.moc"
