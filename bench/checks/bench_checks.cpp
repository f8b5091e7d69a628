// How fast the whole-file syntax check runs on a national-size file.
//
//   bench_checks [--records N] [--file PATH] [--runs R]
//
// Without --file it writes a generated file of N records (100,000 by default)
// into a temporary folder. The file is loaded once; the check then runs R
// times with every check class on, and the best and the median run are
// printed with the rate in records per second.
#include "benchfile.h"

#include "checks/checkclasses.h"
#include "checks/filecheck.h"
#include "hcm/hcmfile.h"
#include "hcm/loadjob.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const BenchOptions options = parseBenchOptions(app.arguments(), 5);
    const int runs = options.runs;
    QTemporaryDir dir;
    const QString path = benchmarkFile(options, dir);
    if (path.isEmpty())
        return 2;

    CheckSettings settings = kDefaultCheckSettings;
    HCMFile file(nullptr, &settings);
    LoadJob job;
    job.fileName = path;
    job.target = &file;
    job.checkSettings = &settings;
    QElapsedTimer loadTimer;
    loadTimer.start();
    job.run();
    const double loadSeconds = loadTimer.nsecsElapsed() / 1e9;
    if (job.status() == LoadJob::Unreadable) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 2;
    }
    std::printf("loaded %d records in %.3f s\n", file.recordCount(), loadSeconds);

    std::vector<double> seconds;
    std::size_t items = 0;
    int errors = 0;
    int warnings = 0;
    for (int run = 0; run < runs; ++run) {
        FileCheck check(file);
        QElapsedTimer timer;
        timer.start();
        check.run();
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        items = check.items().size();
        errors = check.errorCount();
        warnings = check.warningCount();
    }
    std::sort(seconds.begin(), seconds.end());
    const double best = seconds.front();
    const double median = seconds[seconds.size() / 2];
    std::printf("check, all classes on: %zu items, %d errors, %d warnings\n", items, errors, warnings);
    std::printf("check time: best %.3f s, median %.3f s over %d runs\n", best, median, runs);
    std::printf("records per second: best %.0f, median %.0f\n", file.recordCount() / best,
                file.recordCount() / median);
    std::printf("target: 100000 records in at most 0.5 s: %s\n",
                median * 100000.0 / qMax(1, file.recordCount()) <= 0.5 ? "met" : "NOT met");
    return 0;
}
