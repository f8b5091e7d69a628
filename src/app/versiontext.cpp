#include "versiontext.h"

#include <QFile>
#include <QStringList>

namespace {

const QByteArray kMarker = QByteArrayLiteral("HCMFS-FILE-VERSION:");
const int kMaxVersionLength = 64;
const qint64 kChunk = 1 << 20;

bool isVersionText(const QByteArray& text)
{
    if (text.isEmpty() || text.size() > kMaxVersionLength)
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || c == '.'))
            return false;
    }
    return true;
}

// Searches the file in overlapping chunks so that large libraries are never
// read into memory whole.
QString findMarker(QFile& file)
{
    const int overlap = kMarker.size() + kMaxVersionLength;
    QByteArray window;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty())
            break;
        window += chunk;
        qsizetype at = window.indexOf(kMarker);
        while (at >= 0) {
            const qsizetype start = at + kMarker.size();
            const qsizetype end = window.indexOf('\0', start);
            if (end < 0 && !file.atEnd())
                break; // the rest of this marker is in the next chunk
            const QByteArray version = window.mid(start, (end < 0 ? window.size() : end) - start);
            if (isVersionText(version))
                return QString::fromLatin1(version);
            at = window.indexOf(kMarker, start);
        }
        if (at >= 0)
            window = window.mid(at);
        else if (window.size() > overlap)
            window = window.right(overlap);
    }
    return QString();
}

} // namespace

namespace VersionText {

int compare(const QString& current, const QString& candidate)
{
    const QStringList a = current.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    const QStringList b = candidate.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (a.size() < 3 || b.size() < 3)
        return -1;
    for (int i = 0; i < 4; ++i) {
        bool okA = true;
        bool okB = true;
        const long long partA = i < a.size() ? a.at(i).toLongLong(&okA) : 0;
        const long long partB = i < b.size() ? b.at(i).toLongLong(&okB) : 0;
        if (!okA || !okB)
            return -1;
        if (partA != partB)
            return partB > partA ? 1 : 0;
    }
    return 0;
}

QString ofFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return findMarker(file);
}

} // namespace VersionText
