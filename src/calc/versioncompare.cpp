#include "versioncompare.h"

#include <QStringList>

#include <array>
#include <optional>

namespace {

using VersionParts = std::array<qulonglong, 4>;

bool readPart(const QString& text, qulonglong* value)
{
    // Plain digits only: no sign, no blanks, and short enough not to overflow.
    if (text.size() > 18)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    *value = text.toULongLong();
    return true;
}

std::optional<VersionParts> readVersion(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (parts.size() < 3)
        return std::nullopt;
    VersionParts numbers{0, 0, 0, 0};
    for (int i = 0; i < 4 && i < parts.size(); ++i) {
        if (!readPart(parts.at(i), &numbers[i]))
            return std::nullopt;
    }
    return numbers;
}

} // namespace

int compareVersions(const QString& current, const QString& candidate)
{
    const std::optional<VersionParts> a = readVersion(current);
    const std::optional<VersionParts> b = readVersion(candidate);
    if (!a || !b)
        return -1;
    for (int i = 0; i < 4; ++i) {
        if ((*a)[i] != (*b)[i])
            return (*b)[i] > (*a)[i] ? 1 : 0;
    }
    return 0;
}
