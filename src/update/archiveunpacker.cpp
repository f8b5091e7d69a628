#include "archiveunpacker.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace ArchiveUnpacker {

namespace {

const int kUnzipTimeoutMs = 10 * 60 * 1000;

// Runs unzip and returns its standard output; error receives why it failed.
QByteArray run(const QString& unzip, const QStringList& arguments, QString* error)
{
    QProcess process;
    process.start(unzip, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(kUnzipTimeoutMs)) {
        *error = QObject::tr("Could not run %1: %2").arg(unzip, process.errorString());
        process.kill();
        process.waitForFinished();
        return QByteArray();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = QObject::tr("%1 ended with exit code %2: %3")
                     .arg(unzip)
                     .arg(process.exitCode())
                     .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
    }
    return process.readAllStandardOutput();
}

QString missingAfterUnpack(const QStringList& entries, const QString& targetFolder)
{
    const QDir target(targetFolder);
    for (const QString& entry : entries) {
        if (!entry.endsWith(QLatin1Char('/')) && !QFileInfo::exists(target.filePath(entry)))
            return QObject::tr("%1 is missing after unpacking.")
                .arg(QDir::toNativeSeparators(target.filePath(entry)));
    }
    return QString();
}

} // namespace

QString findUnzip(const QString& programFolder)
{
    const QString beside = programFolder + QStringLiteral("/unzip.exe");
    if (QFileInfo(beside).isExecutable())
        return beside;
    for (const QString& name : {QStringLiteral("unzip.exe"), QStringLiteral("unzip")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

bool isSafeEntry(const QString& entry)
{
    if (entry.isEmpty() || entry.startsWith(QLatin1Char('/')) || entry.startsWith(QLatin1Char('\\')))
        return false;
    // "C:name" and "C:\name" both leave the folder on Windows.
    if (entry.size() >= 2 && entry.at(1) == QLatin1Char(':'))
        return false;
    const QStringList parts = entry.split(QRegularExpression(QStringLiteral("[/\\\\]")));
    return !parts.contains(QStringLiteral(".."));
}

QString unpack(const QString& unzip, const QString& archive, const QString& targetFolder)
{
    QString error;
    const QByteArray listing = run(unzip, {QStringLiteral("-Z1"), archive}, &error);
    if (!error.isEmpty())
        return error;
    const QStringList entries =
        QString::fromUtf8(listing).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList cleaned;
    for (const QString& line : entries) {
        const QString entry = line.trimmed();
        if (!isSafeEntry(entry))
            return QObject::tr("The archive %1 was refused: its entry \"%2\" would be written "
                               "outside %3. Nothing of it was extracted.")
                .arg(QDir::toNativeSeparators(archive), entry,
                     QDir::toNativeSeparators(targetFolder));
        cleaned.append(entry);
    }
    if (!QDir().mkpath(targetFolder))
        return QObject::tr("Could not create %1.").arg(QDir::toNativeSeparators(targetFolder));
    run(unzip, {QStringLiteral("-o"), archive, QStringLiteral("-d"), targetFolder}, &error);
    if (!error.isEmpty())
        return error;
    return missingAfterUnpack(cleaned, targetFolder);
}

} // namespace ArchiveUnpacker
