#ifndef BENCHFILE_H
#define BENCHFILE_H

#include <QString>
#include <QStringList>

#include <functional>

class QTemporaryDir;

// Command-line options shared by the benchmarks: [--records N] [--file PATH] [--runs R].
struct BenchOptions
{
    int records = 100000;
    int runs = 1;
    QString file;
};

BenchOptions parseBenchOptions(const QStringList& args, int defaultRuns);

// The file to measure: --file as given, otherwise a generated national-size
// file of options.records records written into dir. Prints what it uses;
// returns an empty path (with the reason on standard error) when the file
// cannot be written.
QString benchmarkFile(const BenchOptions& options, const QTemporaryDir& dir);

// For the window benchmarks: the offscreen platform unless another one is
// set, without its notices that a shown window cannot do everything.
void useOffscreenQuietly();

// Runs the event loop until busy() turns false, sleeping between events: a
// loop of processEvents(flags, ms) drops WaitForMoreEvents and would spin,
// adding a busy core to every processor-time figure.
void waitWhile(const std::function<bool()>& busy);

#endif
