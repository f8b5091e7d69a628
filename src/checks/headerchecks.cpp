#include "headerchecks.h"

#include "checkrules.h"
#include "stationchecks.h"

namespace {

CheckSettings bitsOf(const HCMHeader& h) { return checkBits(h.checkSettings()); }

int checkFreeText(const HCMHeader& h, HCMHeader::Field field, int emptyCode, int maxLength, int lengthCode,
                  int charactersCode)
{
    const QByteArrayView t = h.view(field);
    if (t.isEmpty())
        return emptyCode;
    if (t.size() > maxLength)
        return lengthCode;
    if (charactersFail(bitsOf(h), t))
        return charactersCode;
    return 0;
}

// The file contents codes, in the order they are compared.
const QByteArrayView kFileContentsCodes[] = {"O", "N", "M", "D", "A"};

} // namespace

int checkFileNumber(const HCMHeader& h)
{
    const QByteArrayView t = h.view(HCMHeader::FileNumber);
    if (t.isEmpty())
        return 147;
    int value;
    if (!readWholeNumber(t, value))
        return 148;
    if (formatFails(bitsOf(h), t, 2, 0, false))
        return 1061;
    return 0;
}

int checkResponsiblePerson(const HCMHeader& h) { return checkFreeText(h, HCMHeader::ResponsiblePerson, 152, 40, 153, 1064); }

int checkPhone(const HCMHeader& h) { return checkFreeText(h, HCMHeader::Phone, 154, 20, 155, 1065); }

int checkTelefax(const HCMHeader& h) { return checkFreeText(h, HCMHeader::Telefax, 156, 20, 157, 1066); }

int checkEmail(const HCMHeader& h) { return checkFreeText(h, HCMHeader::Email, 158, 40, 159, 1067); }

int checkFileContents(const HCMHeader& h) { return checkFreeText(h, HCMHeader::FileContents, 149, 80, 150, 1062); }

int checkNumberOfRecords(const HCMHeader& h, int actualCount)
{
    const QByteArrayView t = h.view(HCMHeader::NumberOfRecords);
    if (t.isEmpty())
        return 160;
    int value;
    if (!readWholeNumber(t, value))
        return 161;
    if (formatFails(bitsOf(h), t, 6, 0, false))
        return 1068;
    if (value != actualCount)
        return 165;
    return 0;
}

int checkWritingDate(const HCMHeader& h)
{
    const QByteArrayView t = h.view(HCMHeader::WritingDate);
    if (t.isEmpty())
        return 162;
    switch (checkDate(t)) {
    case DateWrongLength: return 163;
    case DateNotNumber: return 164;
    case DateOutOfRange: return (bitsOf(h) & CheckSuspiciousValues) ? 1069 : 0;
    default: return 0;
    }
}

int checkHeaderCountry(const HCMHeader& h) { return checkCountryText(h.view(HCMHeader::Country), bitsOf(h)); }

int checkFileContentsCode(const HCMHeader& h)
{
    const QByteArrayView t = h.view(HCMHeader::FileContentsCode);
    for (QByteArrayView entry : kFileContentsCodes) {
        if (equalsUpperCased(t, entry))
            return ((bitsOf(h) & CheckIllegalCharacters) && hasLowerCase(t)) ? 1063 : 0;
    }
    return 151;
}

int checkHeaderField(const HCMHeader& h, HCMHeader::Field field, int actualCount)
{
    switch (field) {
    case HCMHeader::FileNumber: return checkFileNumber(h);
    case HCMHeader::FileContents: return checkFileContents(h);
    case HCMHeader::FileContentsCode: return checkFileContentsCode(h);
    case HCMHeader::Country: return checkHeaderCountry(h);
    case HCMHeader::ResponsiblePerson: return checkResponsiblePerson(h);
    case HCMHeader::Phone: return checkPhone(h);
    case HCMHeader::Telefax: return checkTelefax(h);
    case HCMHeader::Email: return checkEmail(h);
    case HCMHeader::NumberOfRecords: return checkNumberOfRecords(h, actualCount);
    case HCMHeader::WritingDate: return checkWritingDate(h);
    default: return 0;
    }
}

void checkHeader(const HCMHeader& h, QList<int>& codes, int actualCount)
{
    codes.clear();
    const auto append = [&codes](int code) {
        if (code != 0)
            codes.append(code);
    };
    append(checkFileNumber(h));
    append(checkResponsiblePerson(h));
    append(checkPhone(h));
    append(checkTelefax(h));
    append(checkEmail(h));
    append(checkNumberOfRecords(h, actualCount));
    append(checkWritingDate(h));
    append(checkHeaderCountry(h));
    append(checkFileContentsCode(h));
    append(checkFileContents(h));
}
