#include "libraryerrors.h"

#include <QCoreApplication>

QString libraryErrorText(int code)
{
    static const char* const meanings[] = {
        QT_TRANSLATE_NOOP("LibraryErrors", "a record line does not parse"),
        QT_TRANSLATE_NOOP("LibraryErrors", "station types or their order do not fit the call form"),
        QT_TRANSLATE_NOOP("LibraryErrors", "frequency missing, unreadable or outside 0.1-50 GHz"),
        QT_TRANSLATE_NOOP("LibraryErrors", "co-ordinates missing or unreadable"),
        QT_TRANSLATE_NOOP("LibraryErrors", "a terrain tile needed by the profile is missing or unreadable"),
        QT_TRANSLATE_NOOP("LibraryErrors", "no usable mask"),
        QT_TRANSLATE_NOOP("LibraryErrors", "no usable antenna data"),
        QT_TRANSLATE_NOOP("LibraryErrors", "the detailed report file cannot be written"),
        QT_TRANSLATE_NOOP("LibraryErrors", "border data missing or unreadable"),
        QT_TRANSLATE_NOOP("LibraryErrors", "country list longer than the buffer"),
        QT_TRANSLATE_NOOP("LibraryErrors", "internal numerical failure"),
        QT_TRANSLATE_NOOP("LibraryErrors", "transmitter power missing or unreadable"),
        QT_TRANSLATE_NOOP("LibraryErrors", "receiver noise missing or unreadable"),
        QT_TRANSLATE_NOOP("LibraryErrors", "a hop shorter than 1 m"),
        QT_TRANSLATE_NOOP("LibraryErrors", "azimuth, elevation, site height or antenna height missing or unreadable")};
    const int first = 2000;
    const int count = int(sizeof meanings / sizeof meanings[0]);
    QString text = QStringLiteral("HCM library error %1").arg(code);
    if (code >= first && code < first + count)
        text += QLatin1String(": ") + QCoreApplication::translate("LibraryErrors", meanings[code - first]);
    return text;
}
