// Field checks of a record, grouped by field family. Every row starts from a
// clean record, changes one field (and, where said, others it depends on) and
// checks that field alone, so a row shows which rule wins for that text.
#include "checktestdata.h"

#include "checks/antennachecks.h"
#include "checks/checkclasses.h"
#include "checks/recordcheck.h"
#include "checks/stationchecks.h"

#include <QtTest>

#include <map>

namespace {

const int All = CheckNumberFormat | CheckSuspiciousValues | CheckIllegalCharacters;
const int NoFormat = All & ~CheckNumberFormat;
const int NoValues = All & ~CheckSuspiciousValues;
const int NoCharacters = All & ~CheckIllegalCharacters;
const int CalcOnly = All | CheckCalcOnly;
const int AntennaBase = 100;

// HCM field codes as the rows name them; antenna fields from AntennaBase on.
const std::map<QByteArray, int>& fieldCodes()
{
    static const std::map<QByteArray, int> codes = {
        {"0A", int(HcmField::TypeOfEntry)},
        {"1A", int(HcmField::Frequency)},
        {"1A1", int(HcmField::FrequencyUnit)},
        {"1Z", int(HcmField::FrequencyCategory)},
        {"6A", int(HcmField::ClassOfStation)},
        {"6B", int(HcmField::NatureOfService)},
        {"6Z", int(HcmField::CategoryOfUse)},
        {"2C", int(HcmField::DateInUse)},
        {"4A", int(HcmField::StationName)},
        {"4B", int(HcmField::Country)},
        {"LON", int(HcmField::Longitude)},
        {"LAT", int(HcmField::Latitude)},
        {"4Z", int(HcmField::SiteHeight)},
        {"7A", int(HcmField::Emission)},
        {"7H", int(HcmField::EquipmentManufacturer)},
        {"7I", int(HcmField::EquipmentType)},
        {"7K", int(HcmField::Capacity)},
        {"7G1", int(HcmField::EquipmentClass)},
        {"7G2", int(HcmField::Unused7G2)},
        {"7G3", int(HcmField::ChannelSpacing)},
        {"8B", int(HcmField::MaxPower)},
        {"8B3", int(HcmField::Atpc)},
        {"9A", int(HcmField::Azimuth)},
        {"9B", int(HcmField::Elevation)},
        {"9D", int(HcmField::Polarization)},
        {"9H", int(HcmField::NoisePower)},
        {"9L", int(HcmField::LineLosses)},
        {"9Y", int(HcmField::AntennaHeight)},
        {"13Z", int(HcmField::Remarks)},
        {"13Y", int(HcmField::CoordinationStatus)},
        {"2W", int(HcmField::CoordinationRequestDate)},
        {"2Z", int(HcmField::CoordinationFinalDate)},
        {"13X", int(HcmField::CoordinationReference)},
        {"9XM", AntennaBase + HCMAntenna::Manufacturer},
        {"9XT", AntennaBase + HCMAntenna::Type},
        {"9XFL", AntennaBase + HCMAntenna::LowerFrequency},
        {"9XFU", AntennaBase + HCMAntenna::UpperFrequency},
        {"9X1", AntennaBase + HCMAntenna::Gain},
    };
    return codes;
}

void setField(HCMRecord& r, const QByteArray& code, const QByteArray& text)
{
    const int f = fieldCodes().at(code);
    if (f >= AntennaBase)
        r.antenna().setText(HCMAntenna::Field(f - AntennaBase), text);
    else
        r.setText(HcmField(f), text);
}

int checkField(const HCMRecord& r, const QByteArray& code)
{
    const int f = fieldCodes().at(code);
    if (f >= AntennaBase)
        return checkAntennaField(r.antenna(), HCMAntenna::Field(f - AntennaBase));
    return checkRecordField(r, HcmField(f));
}

void addColumns()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("also"); // further edits: "1A1=G|9H=-100"
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("expected");
}

void row(const char* name, const QByteArray& field, const QByteArray& text, int expected, int bits = All,
         const QByteArray& type = "TX", const QByteArray& also = QByteArray())
{
    QTest::newRow(name) << type << field << text << also << bits << expected;
}

void runRow()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, also);
    QFETCH(int, bits);
    QFETCH(int, expected);

    CheckSettings settings = bits;
    auto r = cleanRecord(&settings, type);
    if (!also.isEmpty()) {
        for (const QByteArray& edit : also.split('|')) {
            const int eq = edit.indexOf('=');
            setField(*r, edit.left(eq), edit.mid(eq + 1));
        }
    }
    setField(*r, field, text);
    QCOMPARE(checkField(*r, field), expected);
}

} // namespace

class TestFieldChecks : public QObject
{
    Q_OBJECT

private slots:
    void entryAndFrequency_data();
    void entryAndFrequency() { runRow(); }
    void stationClassification_data();
    void stationClassification() { runRow(); }
    void dates_data();
    void dates() { runRow(); }
    void location_data();
    void location() { runRow(); }
    void direction_data();
    void direction() { runRow(); }
    void coordination_data();
    void coordination() { runRow(); }
    void equipment_data();
    void equipment() { runRow(); }
    void antenna_data();
    void antenna() { runRow(); }
    void cleanRecordIsClean();
    void frequencyConversion();
};

void TestFieldChecks::cleanRecordIsClean()
{
    for (const QByteArray type : {"TX", "RX", "PTX", "PRX"}) {
        CheckSettings settings = All;
        auto r = cleanRecord(&settings, type);
        QList<int> codes{1, 2, 3};
        checkRecord(*r, codes);
        QVERIFY2(codes.isEmpty(), type + ": " + codeText(codes));
    }
}

void TestFieldChecks::entryAndFrequency_data()
{
    addColumns();
    row("0A lower case warned", "0A", "tx", 1001);
    row("0A lower case without characters class", "0A", "tx", 0, NoCharacters);
    row("0A leading blank unknown", "0A", " TX", 23);
    row("0A unknown", "0A", "QX", 23);
    row("0A passive", "0A", "PTX", 0);

    row("1A empty on TX", "1A", "", 24);
    row("1A empty on PTX", "1A", "", 0, All, "PTX");
    row("1A empty on PRX", "1A", "", 0, All, "PRX");
    row("1A not a number", "1A", "abc", 25);
    row("1A decimal comma", "1A", "12,5", 25);
    row("1A not a number wins over format", "1A", "1234567a", 25);
    row("1A 7 GHz", "1A", "7000", 0);
    row("1A in the 1.4-1.427 gap", "1A", "1420", 1004);
    row("1A gap without values class", "1A", "1420", 0, NoValues);
    row("1A gap edge is in a band", "1A", "1.4", 0, All, "TX", "1A1=G");
    row("1A band edge 12.75 GHz", "1A", "12.75", 0, All, "TX", "1A1=G");
    row("1A just inside the gap below 12.75", "1A", "12.7", 1004, All, "TX", "1A1=G");
    row("1A lowest frequency", "1A", "1.35", 0, All, "TX", "1A1=G");
    row("1A below the lowest", "1A", "1.349", 1003, All, "TX", "1A1=G");
    row("1A highest frequency", "1A", "43.5", 0, All, "TX", "1A1=G");
    row("1A above the highest", "1A", "43.6", 1003, All, "TX", "1A1=G");
    row("1A six digits fail the format", "1A", "100000", 1024, All, "TX", "1A1=K");
    row("1A six digits without format: 0.1 GHz", "1A", "100000", 1003, NoFormat, "TX", "1A1=K");
    row("1A signed", "1A", "-13000", 1024);
    row("1A unknown unit is outside", "1A", "13000", 1003, All, "TX", "1A1=X");
    row("1A unknown unit without values class", "1A", "13000", 0, NoValues, "TX", "1A1=X");
    row("1A lower-case unit still a unit", "1A", "13000", 0, All, "TX", "1A1=m");

    row("1A1 empty on TX", "1A1", "", 27);
    row("1A1 empty on PRX", "1A1", "", 0, All, "PRX");
    row("1A1 unknown", "1A1", "X", 28);
    row("1A1 MHz is no unit", "1A1", "MHz", 28);
    row("1A1 lower case warned", "1A1", "m", 1002);
    row("1A1 lower case without characters class", "1A1", "m", 0, NoCharacters);
    row("1A1 calculation entries still checked", "1A1", "X", 28, CalcOnly);
}

void TestFieldChecks::stationClassification_data()
{
    addColumns();
    row("1Z empty on TX", "1Z", "", 29);
    row("1Z empty on PTX", "1Z", "", 0, All, "PTX");
    row("1Z out of list", "1Z", "9", 30);
    row("1Z no trimming", "1Z", " 1", 30);
    row("1Z calculation entries only", "1Z", "9", 0, CalcOnly);
    row("1Z empty, calculation entries only", "1Z", "", 0, CalcOnly);

    row("6A empty", "6A", "", 0);
    row("6A lower case", "6A", "fx", 1005);
    row("6A mixed case", "6A", "Fx", 1005);
    row("6A lower case without characters class", "6A", "fx", 0, NoCharacters);
    row("6A unknown", "6A", "FY", 31);
    row("6A TX is no class", "6A", "TX", 31);
    row("6A calculation entries only", "6A", "FY", 0, CalcOnly);

    row("6B empty", "6B", "", 0);
    row("6B lower case", "6B", "cp", 1021);
    row("6B lower case without characters class", "6B", "cp", 0, NoCharacters);
    row("6B unknown", "6B", "XX", 32);
    row("6B calculation entries only", "6B", "XX", 0, CalcOnly);

    row("6Z J is not a category", "6Z", "J", 33);
    row("6Z HH", "6Z", "HH", 0);
    row("6Z hh", "6Z", "hh", 1022);
    row("6Z calculation entries only", "6Z", "J", 0, CalcOnly);
}

void TestFieldChecks::dates_data()
{
    addColumns();
    row("2C empty", "2C", "", 0);
    row("2C short", "2C", "2902201", 34);
    row("2C letter", "2C", "29022O11", 35);
    row("2C no calendar test", "2C", "29022011", 0);
    row("2C day 00", "2C", "00012011", 1006);
    row("2C day 00 without values class", "2C", "00012011", 0, NoValues);
    row("2C calculation entries only", "2C", "x", 0, CalcOnly);
    row("2W short", "2W", "123", 132);
    row("2W letters", "2W", "ABCDEFGH", 133);
    row("2W month 13", "2W", "01132010", 1017);
    row("2W calculation entries only", "2W", "123", 0, CalcOnly);
    row("2Z short", "2Z", "1", 134);
    row("2Z letters", "2Z", "AAAAAAAA", 135);
    row("2Z year 2101", "2Z", "01012101", 1018);
    row("2Z calculation entries only", "2Z", "1", 0, CalcOnly);
}

void TestFieldChecks::location_data()
{
    addColumns();
    const QByteArray long41(41, 'A');
    const QByteArray longLower41(41, 'a');
    row("4A empty is a warning", "4A", "", 1007);
    row("4A empty whatever the warning classes", "4A", "", 1007, 0);
    row("4A lower case", "4A", "Graz", 1008);
    row("4A too long", "4A", long41, 36);
    row("4A characters before length", "4A", longLower41, 1008);
    row("4A too long without characters class", "4A", longLower41, 36, NoCharacters);
    row("4A calculation entries only", "4A", "", 0, CalcOnly);

    row("4B empty", "4B", "", 37);
    row("4B too long", "4B", "AUTX", 38);
    row("4B length before characters", "4B", "autx", 38);
    row("4B lower case", "4B", "aut", 1009);
    row("4B lower case without characters class", "4B", "aut", 0, NoCharacters);
    row("4B calculation entries still checked", "4B", "", 37, CalcOnly);

    row("longitude good", "LON", "012E3045", 0);
    row("longitude empty", "LON", "", 39);
    row("longitude short", "LON", "012E304", 40);
    row("longitude lower-case hemisphere", "LON", "012e3045", 1020);
    row("longitude lower case without characters class", "LON", "012e3045", 0, NoCharacters);
    row("longitude degrees above 360", "LON", "361E0000", 41);
    row("longitude 360 degrees", "LON", "360W0000", 0);
    row("longitude minutes 60", "LON", "012E6000", 42);
    row("longitude seconds 60", "LON", "012E3060", 43);
    row("longitude minutes before seconds", "LON", "012E6060", 42);
    row("longitude hemisphere X", "LON", "012X3045", 41);
    row("longitude letter in degrees", "LON", "0A2E3045", 41);
    row("longitude signed degrees", "LON", "-01E3045", 41);
    row("longitude letter in minutes", "LON", "012EA045", 41);
    row("longitude signed seconds", "LON", "012E30-1", 43);

    row("latitude good", "LAT", "54N4130", 0);
    row("latitude empty", "LAT", "", 44);
    row("latitude short", "LAT", "54N413", 45);
    row("latitude degrees above 90", "LAT", "91N0000", 45);
    row("latitude minutes 60", "LAT", "54S6000", 46);
    row("latitude seconds 60", "LAT", "54N4160", 47);
    row("latitude hemisphere E", "LAT", "54E4130", 45);
    row("latitude lower-case hemisphere", "LAT", "54n4130", 1020);

    row("4Z empty", "4Z", "", 48);
    row("4Z -100", "4Z", "-100", 0);
    row("4Z -101", "4Z", "-101", 1010);
    row("4Z -101 without values class", "4Z", "-101", 0, NoValues);
    row("4Z five digits", "4Z", "12345", 1029);
    row("4Z five digits without format", "4Z", "12345", 1010, NoFormat);
    row("4Z five digits, neither class", "4Z", "12345", 0, NoFormat & NoValues);
    row("4Z decimals fail the format", "4Z", "12.5", 1029);
    row("4Z decimals without format are no whole number", "4Z", "12.5", 50, NoFormat);
    row("4Z letters", "4Z", "abc", 50);
    row("4Z 9000", "4Z", "9000", 0);
    row("4Z 9001", "4Z", "9001", 1010);
    row("4Z signed three digits", "4Z", "+123", 0);
}

void TestFieldChecks::direction_data()
{
    addColumns();
    row("9A empty", "9A", "", 112);
    row("9A letters", "9A", "abc", 113);
    row("9A 360", "9A", "360", 114);
    row("9A 0", "9A", "0", 0);
    row("9A negative, value before format", "9A", "-1", 114);
    row("9A two decimals", "9A", "359.95", 1025);
    row("9A two decimals without format", "9A", "359.95", 0, NoFormat);

    row("9B empty", "9B", "", 116);
    row("9B letter", "9B", "x", 117);
    row("9B -90", "9B", "-90", 0);
    row("9B 90", "9B", "90", 0);
    row("9B 90.5", "9B", "90.5", 118);
    row("9B two decimals", "9B", "12.55", 1026);

    row("9D empty", "9D", "", 120);
    row("9D HV", "9D", "HV", 120);
    row("9D lower case", "9D", "h", 1023);
    row("9D lower case without characters class", "9D", "v", 0, NoCharacters);

    row("9L empty", "9L", "", 0);
    row("9L letter", "9L", "a", 124);
    row("9L negative", "9L", "-1", 125);
    row("9L two decimals", "9L", "2.25", 1027);
    row("9L three digits without format", "9L", "123", 0, NoFormat);
}

void TestFieldChecks::coordination_data()
{
    addColumns();
    const QByteArray long51(51, 'A');
    row("13Z empty", "13Z", "", 0);
    row("13Z too long", "13Z", long51, 130);
    row("13Z lower case", "13Z", "remark", 1016);
    row("13Z calculation entries only", "13Z", long51, 0, CalcOnly);

    row("13Y empty", "13Y", "", 131);
    row("13Y empty, calculation entries only", "13Y", "", 0, CalcOnly);
    row("13Y lower case", "13Y", "z", 1028);
    row("13Y lower case without characters class", "13Y", "z", 0, NoCharacters);
    row("13Y Q is no status", "13Y", "Q", 131);
    row("13Y ZZ", "13Y", "ZZ", 131);

    row("13X nineteen characters", "13X", "ABCDEFGHIJKLMN00001", 136);
    row("13X empty", "13X", "", 136);
    row("13X empty, calculation entries only", "13X", "", 0, CalcOnly);
    row("13X lower case before serial", "13X", "abcdefghijklmnX00001", 1019);
    row("13X serial not a number", "13X", "ABCDEFGHIJKLMNOPQRST", 137);
    row("13X serial with a letter", "13X", "ABCDEFGHIJKLMN00000X", 137);
}

void TestFieldChecks::equipment_data()
{
    addColumns();
    const QByteArray long21(21, 'A');
    row("7A empty on TX", "7A", "", 51);
    row("7A empty on PRX", "7A", "", 0, All, "PRX");
    row("7A six characters", "7A", "28M0D7", 52);
    row("7A ten characters", "7A", "28M0D7WXYZ", 52);
    row("7A nine characters", "7A", "28M0D7WXY", 0);
    row("7A lower case", "7A", "28m0d7w", 1011);
    row("7A calculation entries only", "7A", "", 0, CalcOnly);

    row("7H empty", "7H", "", 53);
    row("7H empty, calculation entries only", "7H", "", 53, CalcOnly);
    row("7H too long", "7H", long21, 54);
    row("7H lower case", "7H", "Maker", 1012);
    row("7I empty", "7I", "", 55);
    row("7I too long", "7I", long21, 56);
    row("7I lower case", "7I", "a", 1013);
    row("7K empty", "7K", "", 0);
    row("7K too long", "7K", "12345678901", 57);
    row("7K lower case", "7K", "155m", 1014);

    row("7G1 empty", "7G1", "", 0);
    row("7G1 4h listed but warned", "7G1", "4h", 1032);
    row("7G1 4h without characters class", "7G1", "4h", 0, NoCharacters);
    row("7G1 7", "7G1", "7", 100);
    row("7G1 4", "7G1", "4", 100);
    row("7G1 L4", "7G1", "L4", 100);
    row("7G1 5B", "7G1", "5B", 0);

    row("7G2 empty", "7G2", "", 0);
    row("7G2 letter", "7G2", "x", 102);
    row("7G2 two decimals", "7G2", "12.55", 1033);

    row("7G3 empty on TX", "7G3", "", 104);
    row("7G3 empty on PTX", "7G3", "", 0, All, "PTX");
    row("7G3 letter", "7G3", "x", 105);
    row("7G3 four digits", "7G3", "1234", 1035);
    row("7G3 three decimals", "7G3", "28.125", 0);

    row("8B empty on TX", "8B", "", 107);
    row("8B empty on RX", "8B", "", 0, All, "RX");
    row("8B letter", "8B", "x", 108);
    row("8B signed", "8B", "-10.5", 0);
    row("8B four digits", "8B", "1234", 1030);

    row("8B3 empty", "8B3", "", 0);
    row("8B3 letter", "8B3", "x", 110);
    row("8B3 negative", "8B3", "-1", 111);
    row("8B3 decimals", "8B3", "5.5", 1031);

    row("9H empty on RX", "9H", "", 121, All, "RX");
    row("9H empty on TX", "9H", "", 0);
    row("9H -100", "9H", "-100", 0);
    row("9H -79", "9H", "-79", 1015);
    row("9H -79 without values class", "9H", "-79", 0, NoValues);
    row("9H four digits", "9H", "-1000", 1034);
    row("9H four digits without format", "9H", "-1000", 0, NoFormat);
    row("9H format before number", "9H", "abcd", 1034);
    row("9H letters without format", "9H", "abcd", 123, NoFormat);
    row("9H decimals without format are no whole number", "9H", "-100.5", 123, NoFormat);

    row("9Y empty", "9Y", "", 127);
    row("9Y letter", "9Y", "x", 128);
    row("9Y negative", "9Y", "-5", 129);
    row("9Y 1000", "9Y", "1000", 0);
    row("9Y 1001", "9Y", "1001", 1055);
    row("9Y five digits", "9Y", "12345", 1054);
    row("9Y five digits without format", "9Y", "12345", 1055, NoFormat);
    row("9Y decimals", "9Y", "25.5", 1054);
}

void TestFieldChecks::antenna_data()
{
    addColumns();
    const QByteArray long21(21, 'A');
    row("9XM empty", "9XM", "", 9);
    row("9XM too long", "9XM", long21, 10);
    row("9XM lower case", "9XM", "Antco", 1000);
    row("9XM calculation entries only", "9XM", "", 0, CalcOnly);
    row("9XT empty", "9XT", "", 13);
    row("9XT too long", "9XT", long21, 14);
    row("9XT lower case", "9XT", "a1", 1053);
    row("9XT calculation entries only", "9XT", "", 0, CalcOnly);

    row("9XFL empty", "9XFL", "", 0);
    row("9XFL letter", "9XFL", "x", 16);
    row("9XFL three integer digits", "9XFL", "123.5", 1038);
    row("9XFL 61", "9XFL", "61", 1056);
    row("9XFL 61 without values class", "9XFL", "61", 0, NoValues);
    row("9XFL negative fails format first", "9XFL", "-1", 1038);
    row("9XFL negative without format", "9XFL", "-1", 1056, NoFormat);
    row("9XFL calculation entries only", "9XFL", "x", 0, CalcOnly);
    row("9XFU letter", "9XFU", "x", 18);
    row("9XFU four decimals", "9XFU", "12.3456", 1039);
    row("9XFU 60.001", "9XFU", "60.001", 1057);
    row("9XFU calculation entries only", "9XFU", "x", 0, CalcOnly);

    row("9X1 empty", "9X1", "", 20);
    row("9X1 empty, calculation entries only", "9X1", "", 20, CalcOnly);
    row("9X1 letter", "9X1", "x", 21);
    row("9X1 value before format", "9X1", "-15.55", 1058);
    row("9X1 signed fails format", "9X1", "-5", 1040);
    row("9X1 signed without format", "9X1", "-5", 0, NoFormat);
    row("9X1 61", "9X1", "61", 1058);
    row("9X1 two decimals", "9X1", "38.55", 1040);
}

void TestFieldChecks::frequencyConversion()
{
    CheckSettings settings = All;
    HCMRecord r(&settings);
    r.setText(HcmField::Frequency, "7000");
    r.setText(HcmField::FrequencyUnit, "M");
    QCOMPARE(frequencyInGHz(r), 7.0);
    r.setText(HcmField::FrequencyUnit, "k");
    QCOMPARE(frequencyInGHz(r), 0.007);
    r.setText(HcmField::FrequencyUnit, "G");
    QCOMPARE(frequencyInGHz(r), 7000.0);
    r.setText(HcmField::FrequencyUnit, "X");
    QCOMPARE(frequencyInGHz(r), -1.0);
    r.setText(HcmField::FrequencyUnit, "M");
    r.setText(HcmField::Frequency, "seven");
    QCOMPARE(frequencyInGHz(r), -1.0);
}

QTEST_APPLESS_MAIN(TestFieldChecks)
#include "tst_fieldchecks.moc"
