#include "stationchecks.h"

#include "checkrules.h"
#include "hcm/hcmrecord.h"

namespace {

CheckSettings bitsOf(const HCMRecord& r) { return checkBits(r.checkSettings()); }

bool isCalcOnly(const HCMRecord& r) { return bitsOf(r) & CheckCalcOnly; }

// Passive repeaters take frequency, unit and category from their partner, so
// these may stay empty there.
bool isPassive(const HCMRecord& r)
{
    return r.entryType() == HCMRecord::PTX || r.entryType() == HCMRecord::PRX;
}

const QByteArrayView kFrequencyCategories[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
const QByteArrayView kNaturesOfService[] = {"CO", "CP", "CR", "CV", "OT"};
const QByteArrayView kCategoriesOfUse[] = {"A", "B", "C", "D", "E", "F", "G", "H", "HH", "I", "K", "L", "M",
                                           "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
const QByteArrayView kCoordinationStatuses[] = {"A", "B", "C", "D", "E", "F", "G",
                                                "H", "M", "P", "R", "W", "Y", "Z"};

// The gaps between the fixed-service bands of the HCM Agreement, in GHz; a
// frequency strictly inside one is outside every band.
struct Gap
{
    double low;
    double high;
};
const Gap kBandGaps[] = {
    {1.4, 1.427},   {1.452, 1.492}, {1.515, 2.025}, {2.11, 2.2},   {2.29, 2.52},  {2.67, 3.41},
    {4.2, 5.925},   {7.975, 8.025}, {8.5, 10.15},   {10.65, 10.7}, {11.7, 12.75}, {13.25, 14.5},
    {14.62, 15.23}, {15.35, 17.7},  {19.7, 22.0},   {22.6, 23.0},  {23.6, 24.5},  {26.5, 27.5},
    {29.5, 31.8},   {33.4, 37.0},   {39.5, 40.5},
};
const double kLowestFrequency = 1.35;
const double kHighestFrequency = 43.5;

// A value list whose entries are matched against the upper-cased text: 0 when
// the text is an entry, caseCode when it is one only after upper-casing and
// the characters class is on, unknownCode when it is none.
template <std::size_t N>
int checkListUpperCased(QByteArrayView text, const QByteArrayView (&list)[N], CheckSettings bits, int caseCode,
                        int unknownCode)
{
    for (QByteArrayView entry : list) {
        if (equalsUpperCased(text, entry))
            return ((bits & CheckIllegalCharacters) && hasLowerCase(text)) ? caseCode : 0;
    }
    return unknownCode;
}

int checkDateField(const HCMRecord& r, HcmField field, int lengthCode, int numberCode, int rangeCode)
{
    if (isCalcOnly(r))
        return 0;
    const QByteArrayView t = r.view(field);
    if (t.isEmpty())
        return 0;
    switch (checkDate(t)) {
    case DateWrongLength: return lengthCode;
    case DateNotNumber: return numberCode;
    case DateOutOfRange: return (bitsOf(r) & CheckSuspiciousValues) ? rangeCode : 0;
    default: return 0;
    }
}

// Degrees, minutes and seconds of a co-ordinate: readWholeNumber compared as
// the unsigned value the C library gives, so a sign counts as out of range.
bool readCoordinatePart(QByteArrayView part, quint32& value)
{
    int v;
    if (!readWholeNumber(part, v))
        return false;
    value = quint32(v);
    return true;
}

// Shared by longitude (DDDHMMSS) and latitude (DDHMMSS); degreeDigits is 3 or 2.
struct CoordinateRules
{
    int degreeDigits;
    char hemisphere1;
    char hemisphere2;
    quint32 maxDegrees;
    int incorrectCode;
    int minutesCode;
    int secondsCode;
};

int checkCoordinateParts(QByteArrayView t, const CoordinateRules& rules)
{
    const int d = rules.degreeDigits;
    const char h = t[d] >= 'a' && t[d] <= 'z' ? char(t[d] - 'a' + 'A') : t[d];
    if (h != rules.hemisphere1 && h != rules.hemisphere2)
        return rules.incorrectCode;
    quint32 degrees, minutes, seconds;
    if (!readCoordinatePart(t.sliced(0, d), degrees) || degrees > rules.maxDegrees)
        return rules.incorrectCode;
    if (!readCoordinatePart(t.sliced(d + 1, 2), minutes))
        return rules.incorrectCode;
    if (minutes > 59)
        return rules.minutesCode;
    if (!readCoordinatePart(t.sliced(d + 3, 2), seconds))
        return rules.incorrectCode;
    if (seconds > 59)
        return rules.secondsCode;
    return 0;
}

double toGigahertz(double value, int unitCode)
{
    switch (unitCode) {
    case HCMRecord::Kilo: return value / 1000000.0;
    case HCMRecord::Mega: return value / 1000.0;
    case HCMRecord::Giga: return value;
    default: return -1;
    }
}

} // namespace

int checkTypeOfEntry(const HCMRecord& r)
{
    if (r.entryType() == HCMRecord::UnknownEntry)
        return 23;
    if (charactersFail(bitsOf(r), r.view(HcmField::TypeOfEntry)))
        return 1001;
    return 0;
}

double frequencyInGHz(const HCMRecord& r)
{
    double value;
    if (!readNumber(r.view(HcmField::Frequency), value))
        return -1;
    return toGigahertz(value, r.frequencyUnitCode());
}

int frequencyBandCode(double gigahertz)
{
    if (gigahertz < kLowestFrequency || gigahertz > kHighestFrequency)
        return 1003;
    for (const Gap& gap : kBandGaps) {
        if (gigahertz > gap.low && gigahertz < gap.high)
            return 1004;
    }
    return 0;
}

int checkFrequency(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::Frequency);
    const CheckSettings bits = bitsOf(r);
    if (t.isEmpty())
        return isPassive(r) ? 0 : 24;
    double value;
    if (!readNumber(t, value))
        return 25;
    if (formatFails(bits, t, 5, 5, false))
        return 1024;
    if (bits & CheckSuspiciousValues)
        return frequencyBandCode(toGigahertz(value, r.frequencyUnitCode()));
    return 0;
}

int checkFrequencyUnit(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::FrequencyUnit);
    if (t.isEmpty())
        return isPassive(r) ? 0 : 27;
    if (r.frequencyUnitCode() == HCMRecord::UnknownUnit)
        return 28;
    if (charactersFail(bitsOf(r), t))
        return 1002;
    return 0;
}

int checkFrequencyCategory(const HCMRecord& r)
{
    if (isCalcOnly(r))
        return 0;
    const QByteArrayView t = r.view(HcmField::FrequencyCategory);
    if (t.isEmpty())
        return isPassive(r) ? 0 : 29;
    for (QByteArrayView entry : kFrequencyCategories) {
        if (t == entry)
            return 0;
    }
    return 30;
}

int checkClassOfStation(const HCMRecord& r)
{
    if (isCalcOnly(r))
        return 0;
    const QByteArrayView t = r.view(HcmField::ClassOfStation);
    if (t.isEmpty() || t == "FX")
        return 0;
    if (!equalsUpperCased(t, "FX"))
        return 31;
    return (bitsOf(r) & CheckIllegalCharacters) ? 1005 : 0;
}

int checkNatureOfService(const HCMRecord& r)
{
    if (isCalcOnly(r))
        return 0;
    const QByteArrayView t = r.view(HcmField::NatureOfService);
    if (t.isEmpty())
        return 0;
    return checkListUpperCased(t, kNaturesOfService, bitsOf(r), 1021, 32);
}

int checkCategoryOfUse(const HCMRecord& r)
{
    if (isCalcOnly(r))
        return 0;
    const QByteArrayView t = r.view(HcmField::CategoryOfUse);
    if (t.isEmpty())
        return 0;
    return checkListUpperCased(t, kCategoriesOfUse, bitsOf(r), 1022, 33);
}

int checkDateInUse(const HCMRecord& r) { return checkDateField(r, HcmField::DateInUse, 34, 35, 1006); }

int checkStationName(const HCMRecord& r)
{
    if (isCalcOnly(r))
        return 0;
    const QByteArrayView t = r.view(HcmField::StationName);
    if (t.isEmpty())
        return 1007;
    if (charactersFail(bitsOf(r), t))
        return 1008;
    if (t.size() > 40)
        return 36;
    return 0;
}

int checkCountryText(QByteArrayView text, CheckSettings bits)
{
    if (text.isEmpty())
        return 37;
    if (text.size() > 3)
        return 38;
    if (charactersFail(bits, text))
        return 1009;
    return 0;
}

int checkCountry(const HCMRecord& r) { return checkCountryText(r.view(HcmField::Country), bitsOf(r)); }

int checkLongitude(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::Longitude);
    if (t.isEmpty())
        return 39;
    if (t.size() != 8)
        return 40;
    if (const int code = checkCoordinateParts(t, CoordinateRules{3, 'E', 'W', 360, 41, 42, 43}))
        return code;
    if (charactersFail(bitsOf(r), t))
        return 1020;
    return 0;
}

int checkLatitude(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::Latitude);
    if (t.isEmpty())
        return 44;
    if (t.size() != 7)
        return 45;
    if (const int code = checkCoordinateParts(t, CoordinateRules{2, 'N', 'S', 90, 45, 46, 47}))
        return code;
    if (charactersFail(bitsOf(r), t))
        return 1020;
    return 0;
}

int checkSiteHeight(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::SiteHeight);
    const CheckSettings bits = bitsOf(r);
    if (t.isEmpty())
        return 48;
    // Up to 9999 m, or down to -999 m for sites below sea level.
    if ((bits & CheckNumberFormat) && !numberFormatOk(t, 4, 0, false) && !numberFormatOk(t, 3, 0, true))
        return 1029;
    int value;
    if (!readWholeNumber(t, value))
        return 50;
    if ((bits & CheckSuspiciousValues) && (value > 9000 || value < -100))
        return 1010;
    return 0;
}

int checkAzimuth(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::Azimuth);
    if (t.isEmpty())
        return 112;
    double value;
    if (!readNumber(t, value))
        return 113;
    if (value < 0 || value >= 360)
        return 114;
    if (formatFails(bitsOf(r), t, 3, 1, false))
        return 1025;
    return 0;
}

int checkElevation(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::Elevation);
    if (t.isEmpty())
        return 116;
    double value;
    if (!readNumber(t, value))
        return 117;
    if (value < -90 || value > 90)
        return 118;
    if (formatFails(bitsOf(r), t, 2, 1, true))
        return 1026;
    return 0;
}

int checkPolarization(const HCMRecord& r)
{
    if (r.polarizationCode() == HCMRecord::UnknownPolarization)
        return 120;
    if ((bitsOf(r) & CheckIllegalCharacters) && hasLowerCase(r.view(HcmField::Polarization)))
        return 1023;
    return 0;
}

int checkLineLosses(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::LineLosses);
    if (t.isEmpty())
        return 0;
    double value;
    if (!readNumber(t, value))
        return 124;
    if (value < 0)
        return 125;
    if (formatFails(bitsOf(r), t, 2, 1, false))
        return 1027;
    return 0;
}

int checkRemarks(const HCMRecord& r)
{
    if (isCalcOnly(r))
        return 0;
    const QByteArrayView t = r.view(HcmField::Remarks);
    if (t.size() > 50)
        return 130;
    if (charactersFail(bitsOf(r), t))
        return 1016;
    return 0;
}

int checkCoordinationStatus(const HCMRecord& r)
{
    if (isCalcOnly(r))
        return 0;
    return checkListUpperCased(r.view(HcmField::CoordinationStatus), kCoordinationStatuses, bitsOf(r), 1028, 131);
}

int checkCoordinationRequestDate(const HCMRecord& r)
{
    return checkDateField(r, HcmField::CoordinationRequestDate, 132, 133, 1017);
}

int checkCoordinationFinalDate(const HCMRecord& r)
{
    return checkDateField(r, HcmField::CoordinationFinalDate, 134, 135, 1018);
}

int checkCoordinationReference(const HCMRecord& r)
{
    if (isCalcOnly(r))
        return 0;
    const QByteArrayView t = r.view(HcmField::CoordinationReference);
    if (t.size() != 20)
        return 136;
    if (charactersFail(bitsOf(r), t))
        return 1019;
    // The reference ends in a six-digit serial number.
    int serial;
    if (!readWholeNumber(t.sliced(14, 6), serial))
        return 137;
    return 0;
}
