// Comparing an editor's file with an auxiliary file of the same size, half
// of whose records match: the time to the summary (reading the auxiliary
// file and matching), the detailed comparison, and "Replace matched records"
// and "Delete matched records", each until the editor's table shows the result.
//
//   bench_compare [--records N] [--file PATH] [--runs R]
//
// Runs on the offscreen platform unless another one is set. Without --file it
// writes a generated file of N records (100,000 by default); the auxiliary
// file is made from it: every second record keeps its reference (a match,
// with another station name), the others get a reference of their own.
#include "benchfile.h"

#include "compare/hcmcomparedt.h"
#include "editor/hcmeditmdi.h"
#include "hcm/hcmfile.h"
#include "hcm/hcmwriter.h"
#include "ui/scriptedprompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

namespace {

void waitIdle(hcmEditMDI& editor)
{
    QCoreApplication::processEvents();
    waitWhile([&] { return editor.document().isBusy(); });
    QCoreApplication::processEvents();
}

bool writeAuxiliary(const QString& mainPath, const QString& auxPath)
{
    CheckSettings settings = 0;
    HCMFile file(nullptr, &settings);
    LoadJob job;
    job.fileName = mainPath;
    job.target = &file;
    job.checkSettings = &settings;
    job.run();
    std::vector<const HCMRecord*> records;
    for (int n = 0; n < file.recordCount(); ++n) {
        HCMRecord* r = file.recordAt(n);
        if (n % 2 == 0)
            r->setText(HcmField::StationName, "CHANGED " + QByteArray::number(n));
        else
            r->setText(HcmField::CoordinationReference, "AUX" + QByteArray::number(n));
        records.push_back(r);
    }
    return !records.empty() && HcmWriter::writeFile(auxPath, &file.header(), records);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Wall-clock and processor seconds of one figure: on a machine shared with
// other work the processor time tells what the program itself spent.
struct Figure
{
    std::vector<double> wall;
    std::vector<double> cpu;
};

void report(const char* what, const Figure& f, double target, int pairs)
{
    const double m = median(f.wall);
    std::printf("%-36s median %.3f s wall, %.3f s processor (best %.3f s wall, %.3f s processor), "
                "target %.1f s: %s\n",
                what, m, median(f.cpu), *std::min_element(f.wall.begin(), f.wall.end()),
                *std::min_element(f.cpu.begin(), f.cpu.end()), target,
                pairs < 50000 ? "not judged (small file)" : m <= target ? "met" : "NOT met");
}

} // namespace

int main(int argc, char* argv[])
{
    useOffscreenQuietly();
    QApplication app(argc, argv);
    const BenchOptions options = parseBenchOptions(app.arguments(), 3);
    QTemporaryDir dir;
    const QString mainPath = benchmarkFile(options, dir);
    const QString auxPath = dir.filePath(QStringLiteral("aux.hcm"));
    if (mainPath.isEmpty() || !writeAuxiliary(mainPath, auxPath))
        return 2;

    ScriptedPrompts prompts; // answers "Done!" without showing it
    Figure open, summary, matching, details, replace, remove;
    int pairs = 0;
    for (int run = 0; run < options.runs; ++run) {
        hcmEditMDI editor(CheckOptions{});
        editor.resize(1000, 700);
        editor.show();

        QElapsedTimer timer;
        const auto measure = [&](Figure& into, auto&& start) {
            const std::clock_t cpu = std::clock();
            timer.start();
            start();
            waitIdle(editor);
            editor.ui().twList->viewport()->repaint();
            into.wall.push_back(timer.nsecsElapsed() / 1e9);
            into.cpu.push_back(double(std::clock() - cpu) / CLOCKS_PER_SEC);
        };
        measure(open, [&] { editor.load(mainPath); });
        measure(summary, [&] { editor.compareWith(auxPath); });
        pairs = int(editor.document().pairs().size());
        // The pairing alone, on the two files now in memory.
        measure(matching, [&] {
            const HCMFile& file = editor.document().file();
            std::vector<ComparePair> again = matchRecords(file, *file.auxiliary());
            keepPairsInTable(again, std::vector<bool>(std::size_t(file.recordCount()), true));
        });
        measure(details, [&] {
            editor.document().startCompareAction(HcmDocument::DetailedComparison);
        });
        editor.compareTable()->view()->close();
        measure(replace, [&] { editor.document().startCompareAction(HcmDocument::ReplaceMatched); });
        measure(remove, [&] { editor.document().startCompareAction(HcmDocument::DeleteMatched); });
        if (editor.rowCount() != editor.document().file().recordCount() - pairs) {
            std::fprintf(stderr, "the table holds %d rows after deleting %d pairs\n",
                         editor.rowCount(), pairs);
            return 2;
        }
    }
    std::printf("%d matched pairs; %d runs\n", pairs, options.runs);
    report("(reference) open the main file", open, 3.0, pairs);
    report("read auxiliary file, match, summary", summary, 1.0, pairs);
    report("matching alone (files in memory)", matching, 1.0, pairs);
    report("detailed comparison", details, 2.0, pairs);
    report("replace matched records", replace, 2.0, pairs);
    report("delete matched records", remove, 2.0, pairs);
    return 0;
}
