#ifndef EDITORTESTFILES_H
#define EDITORTESTFILES_H

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Small HCM files for the editor tests: clean transmitter records that differ
// in their station name (4A) and co-ordination reference (13X).
namespace EditorTestFiles {

inline QByteArray headerLine(int statedCount)
{
    return "1;EDITOR TEST FILE;N;AUT;J SMITH;+43 1 234567;+43 1 234568;INFO@EXAMPLE.AT;"
        + QByteArray::number(statedCount) + ";06122026";
}

inline QByteArray recordLine(const QByteArray& name, int index, const QByteArray& entry = "TX")
{
    const QByteArray reference = "ABCDEFGHIJ" + QByteArray::number(index).rightJustified(10, '0');
    return entry + ";13000;M;1;FX;CP;A;01012020;" + name
        + ";AUT;016E220048N1230;512;28M0D7W;MAKER;TYPE A1;155M;0;0;7;20;14;45;;;;;;;2;;28;10;5;"
          "123.5;0.5;V;;2;25;;Z;;;"
        + reference + ";ANTCO;A1;12.7;13.25;38.5;CP;3;0;0;10;20;180;45;XP;2;0;30;180;50";
}

// "STATION 00" ... by default; lines end in CR as the program writes them.
inline QByteArray fileText(const QList<QByteArray>& names, bool withHeader = true,
                           int statedCount = -1)
{
    QByteArray text;
    if (withHeader)
        text += headerLine(statedCount < 0 ? int(names.size()) : statedCount) + '\r';
    for (int i = 0; i < names.size(); ++i)
        text += recordLine(names.at(i), i) + '\r';
    return text;
}

inline QList<QByteArray> numberedNames(int count)
{
    QList<QByteArray> names;
    for (int i = 0; i < count; ++i)
        names << "STATION " + QByteArray::number(i).rightJustified(2, '0');
    return names;
}

inline bool writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Writes text to name in dir and returns the path: no test can go on without it.
inline QString writeIn(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    const QString path = dir.filePath(name);
    if (!writeText(path, text))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

inline QByteArray readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The station names of a written file, in line order (header skipped).
inline QList<QByteArray> writtenNames(const QString& path)
{
    QList<QByteArray> names;
    for (const QByteArray& line : readText(path).split('\r')) {
        const QList<QByteArray> fields = line.split(';');
        if (fields.size() > 20)
            names << fields.at(8);
    }
    return names;
}

} // namespace EditorTestFiles

#endif
