// A list-to-list run with our calculation library on synthetic terrain, once
// on one thread and once on two (or --threads N), and the check that both
// reports hold the same rows in the same order. Run by hand:
//   bin/bench_calc_threads [--records N] [--threads T]
// N stations in the testing and in the reference file (default 2,000 each),
// default limits (300 MHz, 1000 km, 2 km) and threshold 1 dB.
#include "benchfile.h"
#include "hcmgenerator.h"

#include "calc/calc.h"
#include "calc/datareport.h"

#include "terrain.h"
#include "terrainwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSqlQueryModel>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

// Hilly terrain over the area the generated stations lie in (9-17 E, 46-48 N).
bool writeTerrain(const QString& root)
{
    for (int lon = 9; lon <= 17; ++lon) {
        for (int lat = 46; lat <= 48; ++lat) {
            const std::string name = hcmfs::tileName(lon, lat);
            const QString dir = root + QStringLiteral("/TOPO/") + QString::fromStdString(name.substr(0, 4));
            QDir().mkpath(dir);
            std::string message;
            const auto height = [](double la, double lo) {
                return 400 + 150 * std::sin(la * 37) * std::cos(lo * 23) + 80 * std::sin(lo * 91 + la * 13);
            };
            if (!hcmfs::writeHcmTile((dir + QLatin1Char('/')).toStdString() + name + ".63E", lon, lat, true, height,
                                     message)) {
                std::fprintf(stderr, "%s\n", message.c_str());
                return false;
            }
        }
    }
    return true;
}

struct Run
{
    double seconds = 0;
    CalcStatistics statistics;
    int error = 0;
};

Run runList(const QString& terrain, const QString& file, const QString& report, int threads)
{
    CALC calc(terrain, QStringLiteral(HCMFS_DLL_PATH));
    Run run;
    if (calc.errorCode() != 0) {
        run.error = calc.errorCode();
        return run;
    }
    calc.setThreads(threads);
    QEventLoop loop;
    QObject::connect(&calc, &CALC::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    calc.startListCalculation(file, file, report, 1.0, 300.0, 1000.0, 2.0);
    loop.exec();
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.statistics = calc.lastStatistics();
    run.error = calc.errorCode();
    return run;
}

// Every row of the results table, in file order, as text.
QStringList rowsOf(const QString& report)
{
    dataReport file(report);
    QStringList rows;
    if (!file.readResults())
        return rows;
    QSqlQueryModel* model = file.model();
    while (model->canFetchMore())
        model->fetchMore();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells.append(model->index(r, c).data().toString());
        rows.append(cells.join(QLatin1Char(';')));
    }
    return rows;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    int threads = 2;
    const int at = int(args.indexOf(QStringLiteral("--threads")));
    if (at > 0 && at + 1 < args.size()) {
        threads = std::max(2, args.at(at + 1).toInt());
        args.remove(at, 2);
    }
    BenchOptions options = parseBenchOptions(args, 1);
    if (!args.contains(QStringLiteral("--records")))
        options.records = 2000;
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString terrain = dir.filePath(QStringLiteral("terrain"));
    out << "writing synthetic terrain tiles ...\n";
    out.flush();
    const QString file = benchmarkFile(options, dir);
    if (file.isEmpty() || !writeTerrain(terrain))
        return 1;

    const QString one = dir.filePath(QStringLiteral("one.lwrpt"));
    const QString many = dir.filePath(QStringLiteral("many.lwrpt"));
    const Run single = runList(terrain, file, one, 1);
    const Run parallel = runList(terrain, file, many, threads);
    if (single.error || parallel.error) {
        std::fprintf(stderr, "engine error %d / %d\n", single.error, parallel.error);
        return 1;
    }
    const QStringList rowsOne = rowsOf(one);
    const bool same = rowsOne == rowsOf(many);
    const double speedup = single.seconds / parallel.seconds;
    out << "list-to-list " << options.records << " x " << options.records
        << " stations, our library, synthetic terrain, limits 300 MHz / 1000 km / 2 km, threshold 1 dB\n";
    out << "library calls:     " << single.statistics.libraryCalls << "\n";
    out << "rows:              " << rowsOne.size() << "\n";
    out << "1 thread:          " << QString::number(single.seconds, 'f', 2) << " s\n";
    out << threads << " threads:         " << QString::number(parallel.seconds, 'f', 2) << " s\n";
    out << "speed-up:          " << QString::number(speedup, 'f', 2) << " (target with 2 threads: at least 1.7)\n";
    out << "same rows, same order: " << (same ? "yes" : "NO") << "\n";
    return same ? 0 : 2;
}
