#include "benchfile.h"

#include "hcmgenerator.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

BenchOptions parseBenchOptions(const QStringList& args, int defaultRuns)
{
    BenchOptions options;
    options.runs = defaultRuns;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--records"))
            options.records = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--file"))
            options.file = args[i + 1];
        else if (args[i] == QLatin1String("--runs"))
            options.runs = qMax(1, args[i + 1].toInt());
    }
    return options;
}

QString benchmarkFile(const BenchOptions& options, const QTemporaryDir& dir)
{
    QString path = options.file;
    if (path.isEmpty()) {
        path = dir.filePath(QStringLiteral("bench.hcm"));
        QElapsedTimer timer;
        timer.start();
        QString error;
        if (!writeHcmBenchmarkFile(path, options.records, &error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(error));
            return QString();
        }
        std::printf("generated %d records in %.2f s\n", options.records, timer.nsecsElapsed() / 1e9);
    }
    std::printf("file: %s, %.1f MB\n", qPrintable(QFileInfo(path).fileName()), QFileInfo(path).size() / 1e6);
    return path;
}

namespace {

void quietPlatform(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && !message.startsWith(QLatin1String("This plugin does not support")))
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

void useOffscreenQuietly()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietPlatform);
}

void waitWhile(const std::function<bool()>& busy)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!busy())
            loop.quit();
    });
    poll.start(5);
    if (busy())
        loop.exec();
}
