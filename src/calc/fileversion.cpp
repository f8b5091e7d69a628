#include "fileversion.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#include <winver.h>

#include <vector>
#endif

const char kFileVersionMarker[] = "HCMFS-FILE-VERSION:";

namespace {

#ifdef Q_OS_WIN

QString versionFromResource(const QString& fileName)
{
    const std::wstring path = fileName.toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0)
        return QString();
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return QString();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info
        || length < sizeof(VS_FIXEDFILEINFO))
        return QString();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(HIWORD(info->dwFileVersionMS))
        .arg(LOWORD(info->dwFileVersionMS))
        .arg(HIWORD(info->dwFileVersionLS))
        .arg(LOWORD(info->dwFileVersionLS));
}

#else

const qsizetype kMaxVersionLength = 64;

// The text after the marker when it is a dotted version closed by a NUL.
// Other copies of the marker (a program that searches for it holds one
// too) are passed over.
QString versionAfter(const char* data, qsizetype size, qsizetype from)
{
    qsizetype end = from;
    while (end < size && end - from <= kMaxVersionLength && data[end] != '\0') {
        const char c = data[end];
        if (!(c == '.' || (c >= '0' && c <= '9')))
            return QString();
        ++end;
    }
    if (end >= size || data[end] != '\0' || end == from)
        return QString();
    return QString::fromLatin1(data + from, end - from);
}

QString versionFromMarker(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray copy;
    const qint64 size = file.size();
    const char* data = nullptr;
    if (uchar* mapped = size > 0 ? file.map(0, size) : nullptr) {
        data = reinterpret_cast<const char*>(mapped);
    } else {
        copy = file.readAll();
        data = copy.constData();
    }
    const QByteArrayView bytes(data, copy.isNull() ? size : copy.size());
    const QByteArrayView marker(kFileVersionMarker);
    for (qsizetype at = bytes.indexOf(marker); at >= 0; at = bytes.indexOf(marker, at + 1)) {
        const QString version = versionAfter(bytes.data(), bytes.size(), at + marker.size());
        if (!version.isEmpty())
            return version;
    }
    return QString();
}

#endif

} // namespace

QString fileVersionText(const QString& fileName)
{
#ifdef Q_OS_WIN
    return versionFromResource(fileName);
#else
    return versionFromMarker(fileName);
#endif
}

QString hcmLibraryFileName()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("HCMFS_DLL.dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("libHCMFS_DLL.dylib");
#else
    return QStringLiteral("libHCMFS_DLL.so");
#endif
}
