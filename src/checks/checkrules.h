#ifndef CHECKRULES_H
#define CHECKRULES_H

#include "checkclasses.h"
#include "hcm/fieldcursor.h"

#include <QByteArrayView>

// Small text rules shared by every field check. They work on views of the
// texts held by the model, so checking a big file copies nothing.

// Leading and trailing blanks (code 32 only) removed: the rule the reader
// applies to whole lines.
inline QByteArrayView trimBlanks(QByteArrayView text)
{
    return trimSpaces(text);
}

// True when every character is in the HCM character set: A-Z, 0-9, blank and
// + - / * . ( ) = @. An empty text is allowed.
bool isAllowedText(QByteArrayView text);

// Counts characters only: at most integerDigits before the first full stop
// (a leading sign not counted, and refused when !signAllowed) and at most
// decimals after it. Whether they are digits is the readers' business.
bool numberFormatOk(QByteArrayView text, int integerDigits, int decimals, bool signAllowed);

// A base-10 whole number as the C library's strtoul reads it into 32 bits:
// blanks around it allowed, an optional sign, a minus giving the two's
// complement. False (value 0) when the text is empty, out of the 32-bit range
// or not wholly consumed.
bool readWholeNumber(QByteArrayView text, int& value);

// A number as the C library's strtod reads it in the C locale (decimal point,
// exponent, sign), blanks around it allowed. False when the text is empty, the
// value is out of range or not finite, or the text is not wholly consumed
// (then the value is 0).
inline bool readNumber(QByteArrayView text, double& value);

// The general case of readNumber, for trimmed texts that are not plain decimals.
bool readNumberByStrtod(QByteArrayView trimmed, double& value);

// A DDMMYYYY date: 0 good, 1 wrong length, 2 not a number, 3 a part out of
// range (day 1-31, month 1-12, year 1-2100; no calendar test).
enum DateCheck { DateOk = 0, DateWrongLength = 1, DateNotNumber = 2, DateOutOfRange = 3 };
int checkDate(QByteArrayView text);

// Case rules of the value lists, upper-casing in the C locale as toupper does.
bool hasLowerCase(QByteArrayView text);
bool equalsUpperCased(QByteArrayView text, QByteArrayView capitals);

// The two class-bound rules as the field checks apply them: true when the
// class is on and the rule fails.
inline bool charactersFail(CheckSettings bits, QByteArrayView text)
{
    return (bits & CheckIllegalCharacters) && !isAllowedText(text);
}

inline bool formatFails(CheckSettings bits, QByteArrayView text, int integerDigits, int decimals, bool signAllowed)
{
    return (bits & CheckNumberFormat) && !numberFormatOk(text, integerDigits, decimals, signAllowed);
}

// Most field values are short plain decimals ("12.5", "-3", "22050"), and a
// big file holds millions of them. For those the correctly rounded double is
// the integer mantissa divided by a power of ten, as long as both are exact
// doubles; that is what strtod returns, only much faster. Anything else
// (exponents, long digit strings, stray characters) goes to strtod.
inline bool readNumber(QByteArrayView text, double& value)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    text = trimBlanks(text);
    const qsizetype n = text.size();
    if (n == 0) {
        value = 0;
        return false;
    }
    qsizetype i = 0;
    const bool negative = text[0] == '-';
    if (negative || text[0] == '+')
        ++i;
    quint64 mantissa = 0;
    int digits = 0;
    int decimals = -1; // -1 until the full stop
    for (; i < n; ++i) {
        const unsigned d = unsigned(uchar(text[i])) - '0';
        if (d <= 9) {
            mantissa = mantissa * 10 + d;
            ++digits;
            if (decimals >= 0)
                ++decimals;
        } else if (text[i] == '.' && decimals < 0) {
            decimals = 0;
        } else {
            break;
        }
    }
    if (i != n || digits == 0 || digits > 15)
        return readNumberByStrtod(text, value);
    const double v = decimals <= 0 ? double(mantissa) : double(mantissa) / kPowers[decimals];
    value = negative ? -v : v;
    return true;
}

#endif
