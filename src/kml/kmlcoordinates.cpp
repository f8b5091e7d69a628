#include "kmlcoordinates.h"

#include <QByteArray>

#include <cmath>

namespace {

bool hasAnyOf(QByteArrayView text, const char* letters)
{
    for (const char c : text) {
        for (const char* l = letters; *l; ++l) {
            if (c == *l)
                return true;
        }
    }
    return false;
}

// A whole number of digits with blanks around it; signs are not part of a
// co-ordinate, so they make it unreadable.
bool wholeNumber(QByteArrayView part, int& value)
{
    const QByteArrayView digits = part.trimmed();
    if (digits.isEmpty() || digits.size() > 6)
        return false;
    value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

qsizetype digitsFrom(QByteArrayView text, qsizetype i)
{
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    return i;
}

} // namespace

bool kmlDegrees(QByteArrayView text, double& degrees)
{
    qsizetype letter = 0;
    while (letter < text.size() && !hasAnyOf(text.sliced(letter, 1), "NSWEnswe"))
        ++letter;
    if (letter == text.size())
        return false;
    // Up to count characters from position from; past the end, nothing.
    const auto part = [text](qsizetype from, qsizetype count) {
        return from >= text.size() ? QByteArrayView() : text.sliced(from, qMin(count, text.size() - from));
    };
    int d = 0, m = 0, s = 0;
    if (!wholeNumber(text.first(letter), d) || !wholeNumber(part(letter + 1, 2), m)
        || !wholeNumber(part(letter + 3, 2), s))
        return false;
    double value = d + (m + s / 60.0) / 60.0;
    if (hasAnyOf(text, "EWew")) {
        if (d > 360)
            return false;
        if (d > 180)
            value -= 360;
    } else if (d > 90) {
        return false;
    }
    degrees = hasAnyOf(text, "SWsw") ? -value : value;
    return true;
}

bool kmlLongitude(QByteArrayView text, double& degrees)
{
    return hasAnyOf(text, "EWew") && kmlDegrees(text, degrees);
}

bool kmlLatitude(QByteArrayView text, double& degrees)
{
    return !hasAnyOf(text, "EWew") && kmlDegrees(text, degrees);
}

double kmlAltitude(QByteArrayView text)
{
    qsizetype start = 0;
    while (start < text.size() && (text[start] == ' ' || (text[start] >= '\t' && text[start] <= '\r')))
        ++start;
    qsizetype i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const qsizetype integral = i;
    i = digitsFrom(text, i);
    bool anyDigit = i > integral;
    if (i < text.size() && text[i] == '.') {
        const qsizetype fraction = i + 1;
        const qsizetype end = digitsFrom(text, fraction);
        if (anyDigit || end > fraction) {
            anyDigit = true;
            i = end;
        }
    }
    if (!anyDigit)
        return 0;
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        qsizetype e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const qsizetype end = digitsFrom(text, e);
        if (end > e)
            i = end;
    }
    QByteArray number = text.sliced(start, i - start).toByteArray();
    if (number.startsWith('+'))
        number.remove(0, 1);
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}
