#include "cliload.h"

#include "cli.h"

#include "hcm/loadjob.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

QString unreadableReason(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (info.isDir())
        return QStringLiteral("it is a directory");
    // A pipe is gone once read: opening it again would wait for a writer.
    if (!info.isFile())
        return QStringLiteral("nothing could be read from it");
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    if (file.size() == 0)
        return QStringLiteral("the file is empty");
    return QStringLiteral("the file could not be read whole");
}

ProgressLine::ProgressLine() : m_enabled(isatty(fileno(stderr)) != 0) {}

void ProgressLine::show(const QString& message, qint64 value, qint64 maximum)
{
    if (!m_enabled || maximum <= 0)
        return;
    const int percent = int(qBound(qint64(0), value * 100 / maximum, qint64(100)));
    if (percent == m_percent && message == m_message)
        return;
    m_percent = percent;
    m_message = message;
    cliErr(QStringLiteral("\r%1 %2%").arg(message).arg(percent, 3));
    m_shown = true;
}

void ProgressLine::finish()
{
    if (m_shown)
        cliErr(QStringLiteral("\r%1\r").arg(QString(m_message.size() + 5, QLatin1Char(' '))));
    m_shown = false;
    m_percent = -1;
}

bool loadForCommand(const QString& command, const QString& fileName, const CheckSettings* settings,
                    HCMFile& file, LoadJob& job, ProgressLine& progress)
{
    job.fileName = fileName;
    job.target = &file;
    job.checkSettings = settings;
    job.progress = [&progress](qint64 value, qint64 maximum, const QString& message, std::atomic_bool&) {
        progress.show(message, value, maximum);
    };
    job.run();
    progress.finish();
    if (job.status() != LoadJob::Unreadable)
        return true;
    cliErr(QStringLiteral("linkwise-cli %1: cannot read '%2': %3\n")
               .arg(command, fileName, unreadableReason(fileName)));
    return false;
}
