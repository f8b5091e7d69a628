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
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text, end, cLocale);
}

// Most field values are short plain decimals ("12.5", "-3", "22050"). For
// those the correctly rounded double is the integer mantissa divided by a
// power of ten, as long as both are exact doubles; this is what strtod itself
// returns, only much faster. Anything else goes to strtod.
bool readPlainDecimal(QByteArrayView text, double& value)
{
    static const double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                     1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    quint64 mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (++digits > 15)
                return false;
            mantissa = mantissa * 10 + quint64(c - '0');
            if (point)
                ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    double v = double(mantissa) / kPowers[decimals];
    value = negative ? -v : v;
    return true;
}

} // namespace

QByteArrayView trimBlanks(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    return text.sliced(begin, end - begin);
}

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
    if (text.isEmpty())
        return true;
    const bool signed_ = text[0] == '+' || text[0] == '-';
    if (signed_ && !signAllowed)
        return false;
    const qsizetype skip = signed_ ? 1 : 0;
    const qsizetype point = text.indexOf('.');
    if (point >= 0)
        return point - skip <= integerDigits && text.size() - point - 1 <= decimals;
    return text.size() - skip <= integerDigits;
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

bool readNumber(QByteArrayView text, double& value)
{
    value = 0;
    text = trimBlanks(text);
    if (text.isEmpty())
        return false;
    if (readPlainDecimal(text, value))
        return true;

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
