#include "equipmentchecks.h"

#include "checkrules.h"
#include "hcm/hcmrecord.h"

namespace {

CheckSettings bitsOf(const HCMRecord& r) { return checkBits(r.checkSettings()); }

bool isPassive(const HCMRecord& r)
{
    return r.entryType() == HCMRecord::PTX || r.entryType() == HCMRecord::PRX;
}

const QByteArrayView kEquipmentClasses[] = {"1",  "2",  "3",  "4H", "4L", "5A", "5B", "6A",
                                            "6B", "4h", "4l", "5a", "5b", "6a", "6b"};

// A name-like field: required or not, a length limit and the character set.
int checkName(QByteArrayView t, CheckSettings bits, int emptyCode, int maxLength, int lengthCode,
              int charactersCode)
{
    if (t.isEmpty())
        return emptyCode;
    if (t.size() > maxLength)
        return lengthCode;
    if (charactersFail(bits, t))
        return charactersCode;
    return 0;
}

// The twelve mask texts as bits: F1..F6 are bits 0..5, A1..A6 bits 6..11.
constexpr unsigned F(int n) { return 1u << (n - 1); }
constexpr unsigned A(int n) { return 1u << (n + 5); }
constexpr unsigned Fs(int from, int to) { return from > to ? 0u : F(from) | Fs(from + 1, to); }
constexpr unsigned As(int from, int to) { return from > to ? 0u : A(from) | As(from + 1, to); }

// Index n-1: the texts whose presence makes point n's frequency, or its
// attenuation, required.
constexpr unsigned kFrequencyRequiredBy[6] = {
    Fs(2, 6) | As(1, 6), F(1) | Fs(3, 6) | As(1, 6), Fs(4, 6) | As(3, 6),
    Fs(5, 6) | As(4, 6), F(6) | As(5, 6),           A(6),
};
constexpr unsigned kAttenuationRequiredBy[6] = {
    Fs(1, 6) | As(2, 6), Fs(1, 6) | A(1) | As(3, 6), Fs(3, 6) | As(4, 6),
    Fs(4, 6) | As(5, 6), Fs(5, 6) | A(6),           F(6),
};

const int kFrequencyMissing[6] = {60, 61, 64, 67, 70, 73};
const int kFrequencyNotNumber[6] = {58, 62, 65, 68, 71, 74};
const int kFrequencyFormat = 1041;  // + n - 1
const int kFrequencyFalling = 76;   // + n - 2
const int kAttenuationMissing[6] = {81, 84, 87, 90, 93, 96};
const int kAttenuationNotNumber[6] = {82, 85, 88, 91, 94, 97};
const int kAttenuationFormat = 1047; // + n - 1
const int kLastAttenuationLow = 99;
const double kLeastLastAttenuation = 40;

unsigned presentMaskTexts(const HCMRecord& r)
{
    unsigned present = 0;
    for (int n = 1; n <= 6; ++n) {
        if (!r.view(HCMRecord::maskFrequencyField(n)).isEmpty())
            present |= F(n);
        if (!r.view(HCMRecord::maskAttenuationField(n)).isEmpty())
            present |= A(n);
    }
    return present;
}

} // namespace

int checkEmission(const HCMRecord& r)
{
    const CheckSettings bits = bitsOf(r);
    if (bits & CheckCalcOnly)
        return 0;
    const QByteArrayView t = r.view(HcmField::Emission);
    if (t.isEmpty())
        return isPassive(r) ? 0 : 51;
    if (t.size() < 7 || t.size() > 9)
        return 52;
    if (charactersFail(bits, t))
        return 1011;
    return 0;
}

int checkEquipmentManufacturer(const HCMRecord& r)
{
    return checkName(r.view(HcmField::EquipmentManufacturer), bitsOf(r), 53, 20, 54, 1012);
}

int checkEquipmentType(const HCMRecord& r)
{
    return checkName(r.view(HcmField::EquipmentType), bitsOf(r), 55, 20, 56, 1013);
}

int checkCapacity(const HCMRecord& r)
{
    return checkName(r.view(HcmField::Capacity), bitsOf(r), 0, 10, 57, 1014);
}

int checkEquipmentClass(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::EquipmentClass);
    if (t.isEmpty())
        return 0;
    bool listed = false;
    for (QByteArrayView entry : kEquipmentClasses)
        listed = listed || t == entry;
    if (!listed)
        return 100;
    if (charactersFail(bitsOf(r), t))
        return 1032;
    return 0;
}

int checkNfd2(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::Unused7G2);
    if (t.isEmpty())
        return 0;
    double value;
    if (!readNumber(t, value))
        return 102;
    if (formatFails(bitsOf(r), t, 2, 1, false))
        return 1033;
    return 0;
}

int checkChannelSpacing(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::ChannelSpacing);
    if (t.isEmpty())
        return isPassive(r) ? 0 : 104;
    double value;
    if (!readNumber(t, value))
        return 105;
    if (formatFails(bitsOf(r), t, 3, 3, false))
        return 1035;
    return 0;
}

int checkMaxPower(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::MaxPower);
    if (t.isEmpty())
        return r.entryType() == HCMRecord::TX ? 107 : 0;
    double value;
    if (!readNumber(t, value))
        return 108;
    if (formatFails(bitsOf(r), t, 3, 1, true))
        return 1030;
    return 0;
}

int checkAtpc(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::Atpc);
    if (t.isEmpty())
        return 0;
    double value;
    if (!readNumber(t, value))
        return 110;
    if (value < 0)
        return 111;
    if (formatFails(bitsOf(r), t, 2, 0, false))
        return 1031;
    return 0;
}

int checkNoisePower(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::NoisePower);
    const CheckSettings bits = bitsOf(r);
    if (t.isEmpty())
        return r.entryType() == HCMRecord::RX ? 121 : 0;
    if (formatFails(bits, t, 3, 0, true))
        return 1034;
    int value;
    if (!readWholeNumber(t, value))
        return 123;
    if ((bits & CheckSuspiciousValues) && value > -80)
        return 1015;
    return 0;
}

int checkAntennaHeight(const HCMRecord& r)
{
    const QByteArrayView t = r.view(HcmField::AntennaHeight);
    const CheckSettings bits = bitsOf(r);
    if (t.isEmpty())
        return 127;
    double value;
    if (!readNumber(t, value))
        return 128;
    if (value < 0)
        return 129;
    if (bits & CheckNumberFormat) {
        const bool ok = t.startsWith('-') ? numberFormatOk(t, 3, 0, true) : numberFormatOk(t, 4, 0, false);
        if (!ok)
            return 1054;
    }
    if ((bits & CheckSuspiciousValues) && (value < 0 || value > 1000))
        return 1055;
    return 0;
}

int checkMaskFrequency(const HCMRecord& r, int n)
{
    if (n < 1 || n > 6)
        return 0;
    const QByteArrayView t = r.view(HCMRecord::maskFrequencyField(n));
    if (t.isEmpty())
        return (presentMaskTexts(r) & kFrequencyRequiredBy[n - 1]) ? kFrequencyMissing[n - 1] : 0;
    double value;
    if (!readNumber(t, value))
        return kFrequencyNotNumber[n - 1];
    if (formatFails(bitsOf(r), t, 5, 5, false))
        return kFrequencyFormat + n - 1;
    double previous;
    if (n > 1 && readNumber(r.view(HCMRecord::maskFrequencyField(n - 1)), previous) && value < previous)
        return kFrequencyFalling + n - 2;
    return 0;
}

int checkMaskAttenuation(const HCMRecord& r, int n)
{
    if (n < 1 || n > 6)
        return 0;
    const QByteArrayView t = r.view(HCMRecord::maskAttenuationField(n));
    const unsigned present = presentMaskTexts(r);
    if (t.isEmpty())
        return (present & kAttenuationRequiredBy[n - 1]) ? kAttenuationMissing[n - 1] : 0;
    double value;
    if (!readNumber(t, value))
        return kAttenuationNotNumber[n - 1];
    if (formatFails(bitsOf(r), t, 2, 1, false))
        return kAttenuationFormat + n - 1;
    const bool isLast = (present & As(n + 1, 6)) == 0;
    if (n > 1 && isLast && value < kLeastLastAttenuation)
        return kLastAttenuationLow;
    return 0;
}
