#include "hcmfilesniff.h"

#include <QFile>

bool looksLikeHcmFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    constexpr qint64 kChunk = 64 * 1024;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty())
            break;
        const qsizetype semicolon = chunk.indexOf(';');
        const qsizetype nul = chunk.indexOf('\0');
        if (nul >= 0)
            return semicolon >= 0 && semicolon < nul;
        if (semicolon >= 0)
            return true;
    }
    return false;
}
