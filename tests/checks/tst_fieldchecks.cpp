// Field checks of a record, grouped by field family. Every row starts from a
// clean record, changes one field (and, where said, others it depends on) and
// checks that field alone, so a row shows which rule wins for that text.
// A code that the whole-record tests of tst_recordcheck already bring out
// through the same field check has no row of its own here.
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
        const QByteArray long21(21, 'A'), long41(41, 'A'), longLower41(41, 'a');

        // entry type and frequency
        row("0A lower case without characters class", F::TypeOfEntry, "tx", 0, NoCharacters);
        row("0A unknown", F::TypeOfEntry, "QX", 23);

        row("1A empty on TX", F::Frequency, "", 24);
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
        row("1A lower-case unit still a unit", F::Frequency, "13000", 0, All, "TX", "m");

        row("1A1 empty on TX", F::FrequencyUnit, "", 27);
        row("1A1 empty on PRX", F::FrequencyUnit, "", 0, All, "PRX");
        row("1A1 unknown", F::FrequencyUnit, "X", 28);
        row("1A1 lower case warned", F::FrequencyUnit, "m", 1002);

        // station classification
        row("1Z empty on TX", F::FrequencyCategory, "", 29);
        row("1Z empty on PTX", F::FrequencyCategory, "", 0, All, "PTX");
        row("1Z no trimming", F::FrequencyCategory, " 1", 30);

        row("6A empty", F::ClassOfStation, "", 0);
        row("6A lower case", F::ClassOfStation, "fx", 1005);
        row("6A lower case without characters class", F::ClassOfStation, "fx", 0, NoCharacters);

        row("6B empty", F::NatureOfService, "", 0);
        row("6B lower case", F::NatureOfService, "cp", 1021);
        row("6B lower case without characters class", F::NatureOfService, "cp", 0, NoCharacters);


        // dates
        row("2C empty", F::DateInUse, "", 0);
        row("2C letter", F::DateInUse, "29022O11", 35);
        row("2C no calendar test", F::DateInUse, "29022011", 0);
        row("2C day 00", F::DateInUse, "00012011", 1006);
        row("2C day 00 without values class", F::DateInUse, "00012011", 0, NoValues);
        row("2W letters", F::CoordinationRequestDate, "ABCDEFGH", 133);
        row("2Z year 2101", F::CoordinationFinalDate, "01012101", 1018);

        // name, country and position
        row("4A empty whatever the warning classes", F::StationName, "", 1007, 0);
        row("4A lower case", F::StationName, "Graz", 1008);
        row("4A too long", F::StationName, long41, 36);
        row("4A characters before length", F::StationName, longLower41, 1008);
        row("4A too long without characters class", F::StationName, longLower41, 36, NoCharacters);

        row("4B empty", F::Country, "", 37);
        row("4B too long", F::Country, "AUTX", 38);
        row("4B length before characters", F::Country, "autx", 38);
        row("4B lower case", F::Country, "aut", 1009);

        row("longitude empty", F::Longitude, "", 39);
        row("longitude short", F::Longitude, "012E304", 40);
        row("longitude lower-case hemisphere", F::Longitude, "012e3045", 1020);
        row("longitude degrees above 360", F::Longitude, "361E0000", 41);
        row("longitude 360 degrees", F::Longitude, "360W0000", 0);
        row("longitude seconds 60", F::Longitude, "012E3060", 43);
        row("longitude minutes before seconds", F::Longitude, "012E6060", 42);
        row("longitude hemisphere X", F::Longitude, "012X3045", 41);
        row("longitude signed degrees", F::Longitude, "-01E3045", 41);
        row("longitude signed seconds", F::Longitude, "012E30-1", 43);

        row("latitude empty", F::Latitude, "", 44);
        row("latitude short", F::Latitude, "54N413", 45);
        row("latitude degrees above 90", F::Latitude, "91N0000", 45);
        row("latitude minutes 60", F::Latitude, "54S6000", 46);
        row("latitude hemisphere E", F::Latitude, "54E4130", 45);
        row("latitude lower-case hemisphere", F::Latitude, "54n4130", 1020);

        row("4Z empty", F::SiteHeight, "", 48);
        row("4Z -100", F::SiteHeight, "-100", 0);
        row("4Z -101", F::SiteHeight, "-101", 1010);
        row("4Z -101 without values class", F::SiteHeight, "-101", 0, NoValues);
        row("4Z five digits", F::SiteHeight, "12345", 1029);
        row("4Z decimals fail the format", F::SiteHeight, "12.5", 1029);
        row("4Z decimals without format are no whole number", F::SiteHeight, "12.5", 50, NoFormat);
        row("4Z 9000", F::SiteHeight, "9000", 0);
        row("4Z 9001", F::SiteHeight, "9001", 1010);
        row("4Z signed three digits", F::SiteHeight, "+123", 0);

        // antenna direction, polarisation, losses
        row("9A empty", F::Azimuth, "", 112);
        row("9A letters", F::Azimuth, "abc", 113);
        row("9A 360", F::Azimuth, "360", 114);
        row("9A 0", F::Azimuth, "0", 0);
        row("9A negative, value before format", F::Azimuth, "-1", 114);
        row("9A two decimals", F::Azimuth, "359.95", 1025);

        row("9B empty", F::Elevation, "", 116);
        row("9B letter", F::Elevation, "x", 117);
        row("9B 90", F::Elevation, "90", 0);
        row("9B 90.5", F::Elevation, "90.5", 118);
        row("9B two decimals", F::Elevation, "12.55", 1026);

        row("9D empty", F::Polarization, "", 120);
        row("9D HV", F::Polarization, "HV", 120);
        row("9D lower case", F::Polarization, "h", 1023);

        row("9L empty", F::LineLosses, "", 0);
        row("9L letter", F::LineLosses, "a", 124);
        row("9L two decimals", F::LineLosses, "2.25", 1027);

        // co-ordination
        row("13Z empty", F::Remarks, "", 0);
        row("13Z lower case", F::Remarks, "remark", 1016);

        row("13Y empty", F::CoordinationStatus, "", 131);
        row("13Y lower case", F::CoordinationStatus, "z", 1028);

        row("13X lower case before serial", F::CoordinationReference, "abcdefghijklmnX00001", 1019);
        row("13X serial with a letter", F::CoordinationReference, "ABCDEFGHIJKLMN00000X", 137);

        // equipment and power
        row("7A empty on TX", F::Emission, "", 51);
        row("7A empty on PRX", F::Emission, "", 0, All, "PRX");
        row("7A ten characters", F::Emission, "28M0D7WXYZ", 52);
        row("7A nine characters", F::Emission, "28M0D7WXY", 0);
        row("7A lower case", F::Emission, "28m0d7w", 1011);

        row("7H empty", F::EquipmentManufacturer, "", 53);
        row("7H too long", F::EquipmentManufacturer, long21, 54);
        row("7H lower case", F::EquipmentManufacturer, "Maker", 1012);
        row("7I lower case", F::EquipmentType, "a", 1013);
        row("7K empty", F::Capacity, "", 0);
        row("7K too long", F::Capacity, "12345678901", 57);

        row("7G1 empty", F::EquipmentClass, "", 0);
        row("7G1 4h listed but warned", F::EquipmentClass, "4h", 1032);

        row("7G2 letter", F::Unused7G2, "x", 102);
        row("7G2 two decimals", F::Unused7G2, "12.55", 1033);

        row("7G3 empty on TX", F::ChannelSpacing, "", 104);
        row("7G3 empty on PTX", F::ChannelSpacing, "", 0, All, "PTX");
        row("7G3 letter", F::ChannelSpacing, "x", 105);
        row("7G3 four digits", F::ChannelSpacing, "1234", 1035);
        row("7G3 three decimals", F::ChannelSpacing, "28.125", 0);

        row("8B empty on TX", F::MaxPower, "", 107);
        row("8B empty on RX", F::MaxPower, "", 0, All, "RX");
        row("8B letter", F::MaxPower, "x", 108);
        row("8B signed", F::MaxPower, "-10.5", 0);
        row("8B four digits", F::MaxPower, "1234", 1030);

        row("8B3 empty", F::Atpc, "", 0);
        row("8B3 letter", F::Atpc, "x", 110);
        row("8B3 negative", F::Atpc, "-1", 111);
        row("8B3 decimals", F::Atpc, "5.5", 1031);

        row("9H empty on RX", F::NoisePower, "", 121, All, "RX");
        row("9H empty on TX", F::NoisePower, "", 0);
        row("9H -100", F::NoisePower, "-100", 0);
        row("9H four digits", F::NoisePower, "-1000", 1034);
        row("9H format before number", F::NoisePower, "abcd", 1034);
        row("9H letters without format", F::NoisePower, "abcd", 123, NoFormat);

        row("9Y empty", F::AntennaHeight, "", 127);
        row("9Y letter", F::AntennaHeight, "x", 128);
        row("9Y negative", F::AntennaHeight, "-5", 129);
        row("9Y 1000", F::AntennaHeight, "1000", 0);
        row("9Y 1001", F::AntennaHeight, "1001", 1055);
        row("9Y five digits", F::AntennaHeight, "12345", 1054);
        row("9Y decimals", F::AntennaHeight, "25.5", 1054);

        // antenna
        row("9XM empty", A::Manufacturer, "", 9);
        row("9XM too long", A::Manufacturer, long21, 10);
        row("9XT empty", A::Type, "", 13);

        row("9XFL empty", A::LowerFrequency, "", 0);
        row("9XFL three integer digits", A::LowerFrequency, "123.5", 1038);
        row("9XFL 61", A::LowerFrequency, "61", 1056);
        row("9XFL 61 without values class", A::LowerFrequency, "61", 0, NoValues);
        row("9XFL negative fails format first", A::LowerFrequency, "-1", 1038);
        row("9XFU four decimals", A::UpperFrequency, "12.3456", 1039);
        row("9XFU 60.001", A::UpperFrequency, "60.001", 1057);

        row("9X1 empty", A::Gain, "", 20);
        row("9X1 empty, calculation entries only", A::Gain, "", 20, CalcOnly);
        row("9X1 value before format", A::Gain, "-15.55", 1058);
        row("9X1 signed fails format", A::Gain, "-5", 1040);
        row("9X1 61", A::Gain, "61", 1058);
        row("9X1 two decimals", A::Gain, "38.55", 1040);
    }

    void fields() { runRow(); }
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
