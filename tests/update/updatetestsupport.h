#ifndef UPDATETESTSUPPORT_H
#define UPDATETESTSUPPORT_H

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

// Writes a zip archive with the given entries (python3's zipfile keeps names
// like "../x" as they are, which is what the refusal tests need).
inline bool makeZip(const QString& path, const QMap<QString, QByteArray>& entries)
{
    QDir().mkpath(QFileInfo(path).path());
    QStringList args{QStringLiteral("-c"),
                     QStringLiteral("import sys,zipfile\nz=zipfile.ZipFile(sys.argv[1],'w')\n"
                                    "for i in range(2,len(sys.argv),2): z.writestr(sys.argv[i],sys.argv[i+1])\n"
                                    "z.close()"),
                     path};
    for (auto it = entries.begin(); it != entries.end(); ++it)
        args << it.key() << QString::fromUtf8(it.value());
    // The system's interpreter starts faster than version-manager shims.
    QString python = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    if (python.isEmpty())
        python = QStringLiteral("python3");
    return QProcess::execute(python, args) == 0;
}

inline bool writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

#endif
