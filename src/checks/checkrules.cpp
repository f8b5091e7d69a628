#include "checkrules.h"

#include <QByteArray>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char toUpperC(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

struct AllowedTable
{
    bool allowed[256] = {};
    AllowedTable()
    {
        for (char c = 'A'; c <= 'Z'; ++c)
            allowed[uchar(c)] = true;
        for (char c = '0'; c <= '9'; ++c)
            allowed[uchar(c)] = true;
        for (char c : QByteArrayView("+-/*.()= @"))
            allowed[uchar(c)] = true;
    }
};

const AllowedTable kAllowed;

// strtod, but always in the C locale whatever the process has set.
double strtodC(const char* text, char** end)
{
#ifdef _WIN32
    static const _locale_t cLocale = _create_locale(LC_NUMERIC, "C");
    return _strtod_l(text, end, cLocale);
#else
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text, end, cLocale);
#endif
}

} // namespace

bool isAllowedText(QByteArrayView text)
{
    for (char c : text) {
        if (!kAllowed.allowed[uchar(c)])
            return false;
    }
    return true;
}

bool numberFormatOk(QByteArrayView text, int integerDigits, int decimals, bool signAllowed)
{
    const qsizetype n = text.size();
    if (n == 0)
        return true;
    const bool signed_ = text[0] == '+' || text[0] == '-';
    if (signed_ && !signAllowed)
        return false;
    const qsizetype skip = signed_ ? 1 : 0;
    // Field values are a few characters long; a plain loop beats memchr here.
    qsizetype point = skip;
    while (point < n && text[point] != '.')
        ++point;
    if (point < n)
        return point - skip <= integerDigits && n - point - 1 <= decimals;
    return n - skip <= integerDigits;
}

bool readWholeNumber(QByteArrayView text, int& value)
{
    value = 0;
    text = trimBlanks(text);
    if (text.isEmpty())
        return false;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const qsizetype firstDigit = i;
    quint64 magnitude = 0;
    bool overflow = false;
    for (; i < n && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + quint64(text[i] - '0');
        if (magnitude > 0xFFFFFFFFull) {
            overflow = true;
            magnitude = 0xFFFFFFFFull; // keep consuming digits, as strtoul does
        }
    }
    if (i == firstDigit || i != n || overflow)
        return false;
    // The unsigned result, negated in 32 bits for a minus, read as signed.
    quint32 bits = quint32(magnitude);
    if (negative)
        bits = quint32(0u - bits);
    value = qint32(bits);
    return true;
}

namespace {

// strtod also reads hexadecimal numbers ("0x1A"); HCM numbers are decimal,
// and such a text in a field is a typing error, not a value.
bool isHexadecimal(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    return i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X');
}

} // namespace

bool readNumberByStrtod(QByteArrayView text, double& value)
{
    value = 0;
    if (isHexadecimal(text))
        return false;
    // strtod needs a terminated string; field texts are views into a buffer.
    const QByteArray terminated = text.toByteArray();
    char* end = nullptr;
    errno = 0;
    const double v = strtodC(terminated.constData(), &end);
    if (end != terminated.constData() + terminated.size())
        return false;
    // Out of range, or an infinity or NaN spelt out: no usable number.
    if (errno == ERANGE || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

int checkDate(QByteArrayView text)
{
    if (text.size() != 8)
        return DateWrongLength;
    double number;
    if (!readNumber(text, number))
        return DateNotNumber;
    // The parts are compared as the unsigned values strtoul gives, so a sign
    // smuggled into a part (a day of -1) is out of range rather than small.
    const auto partInRange = [](QByteArrayView part, quint32 last) {
        int v;
        return readWholeNumber(part, v) && v != 0 && quint32(v) <= last;
    };
    if (!partInRange(text.sliced(0, 2), 31) || !partInRange(text.sliced(2, 2), 12)
        || !partInRange(text.sliced(4, 4), 2100))
        return DateOutOfRange;
    return DateOk;
}

bool hasLowerCase(QByteArrayView text)
{
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            return true;
    }
    return false;
}

bool equalsUpperCased(QByteArrayView text, QByteArrayView capitals)
{
    if (text.size() != capitals.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (toUpperC(text[i]) != capitals[i])
            return false;
    }
    return true;
}
