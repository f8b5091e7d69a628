// Loading and writing a national-size HCM file: records per second, MB/s and
// peak resident memory. Usage: bench_hcmfile [--records N] [--file PATH].
#include "benchfile.h"
#include "hcm/hcmfile.h"
#include "hcm/hcmwriter.h"
#include "hcm/loadjob.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Peak resident set size of this process in MB (Linux: VmHWM).
double peakResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const BenchOptions options = parseBenchOptions(app.arguments(), 1);
    QTemporaryDir dir;
    const QString path = benchmarkFile(options, dir);
    if (path.isEmpty())
        return 1;
    const double mb = double(QFileInfo(path).size()) / 1e6;
    const double baseline = peakResidentMb();
    std::printf("resident before loading %.1f MB\n", baseline);

    CheckSettings settings = 0x1e;
    HCMFile file(nullptr, &settings);
    LoadJob job;
    job.fileName = path;
    job.target = &file;
    job.checkSettings = &settings;
    QElapsedTimer timer;
    timer.start();
    job.run();
    const double loadSeconds = timer.nsecsElapsed() / 1e9;
    const double peak = peakResidentMb();
    std::printf("load:  %.3f s  %.0f records/s  %.1f MB/s  status %d, %d records, %zu line codes\n",
                loadSeconds, file.recordCount() / loadSeconds, mb / loadSeconds, job.status(),
                file.recordCount(), job.lineCodes().size());
    std::printf("peak resident after load: %.1f MB (%.2f x file size; %.2f x above the start)\n", peak,
                peak / mb, (peak - baseline) / mb);

    std::vector<const HCMRecord*> order;
    order.reserve(std::size_t(file.recordCount()));
    for (int i = 0; i < file.recordCount(); ++i)
        order.push_back(file.recordAt(i));
    const QString out = dir.filePath(QStringLiteral("written.txt"));
    timer.restart();
    const bool written = HcmWriter::writeFile(out, &file.header(), order);
    const double writeSeconds = timer.nsecsElapsed() / 1e9;
    std::printf("write: %.3f s  %.0f records/s  %.1f MB/s  %s\n", writeSeconds, file.recordCount() / writeSeconds,
                mb / writeSeconds, written ? "ok" : "FAILED");
    return written && job.status() == 0 ? 0 : 1;
}
