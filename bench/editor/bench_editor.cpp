// How the editor window copes with a national-size file: opening it until the
// overview table holds every row, the whole-file check started from the
// window, and saving it in number order and in table order.
//
//   bench_editor [--records N] [--file PATH] [--runs R]
//
// Runs on the offscreen platform unless another one is set. Without --file it
// writes a generated file of N records (100,000 by default). Each figure is
// the median of R runs (3 by default); the targets are for 100,000 records.
#include "benchfile.h"

#include "ui/scriptedprompts.h"
#include "checks/errorlistdlg.h"
#include "editor/hcmeditmdi.h"
#include "editor/recordtablemodel.h"
#include "hcm/hcmfile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const char* what, const std::vector<double>& seconds, double target, int records)
{
    const double m = median(seconds);
    // Scaled to 100,000 records; a small file's fixed costs would mislead.
    const double scaled = m * 100000.0 / std::max(1, records);
    const char* verdict = records < 10000 ? "not judged (small file)" : scaled <= target ? "met" : "NOT met";
    std::printf("%-30s median %.3f s (best %.3f s), target %.1f s for 100000 records: %s\n", what,
                m, *std::min_element(seconds.begin(), seconds.end()), target, verdict);
}

} // namespace

int main(int argc, char* argv[])
{
    useOffscreenQuietly();
    QApplication app(argc, argv);
    const BenchOptions options = parseBenchOptions(app.arguments(), 3);
    const int runs = options.runs;
    QTemporaryDir dir;
    const QString path = benchmarkFile(options, dir);
    if (path.isEmpty())
        return 2;

    // Message boxes are answered without showing them.
    ScriptedPrompts prompts;
    std::vector<double> openTimes;
    std::vector<double> checkTimes;
    std::vector<double> numberOrderTimes;
    std::vector<double> tableOrderTimes;
    int rows = 0;
    int items = 0;
    for (int run = 0; run < runs; ++run) {
        hcmEditMDI editor(CheckOptions{});
        editor.resize(1000, 700);
        editor.show();
        QCoreApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        if (!editor.load(path)) {
            std::fprintf(stderr, "cannot start loading %s\n", qPrintable(path));
            return 2;
        }
        waitWhile([&] { return editor.document().isBusy(); });
        // Until the table is painted with its rows.
        editor.ui().twList->viewport()->repaint();
        QCoreApplication::processEvents();
        openTimes.push_back(timer.nsecsElapsed() / 1e9);
        rows = editor.rowCount();
        if (rows != editor.document().file().recordCount() || rows == 0) {
            std::fprintf(stderr, "table holds %d rows for %d records\n", rows,
                         editor.document().file().recordCount());
            return 2;
        }

        timer.restart();
        editor.checkSyntax();
        waitWhile([&] { return editor.document().isBusy(); });
        QCoreApplication::processEvents();
        checkTimes.push_back(timer.nsecsElapsed() / 1e9);
        items = editor.errorList()->itemCount();
        editor.errorList()->close();

        const QString out = dir.filePath(QStringLiteral("saved.hcm"));
        timer.restart();
        if (!editor.write(out, true, false)) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(out));
            return 2;
        }
        numberOrderTimes.push_back(timer.nsecsElapsed() / 1e9);

        editor.ui().twList->sortByColumn(RecordTableModel::StationNameColumn, Qt::AscendingOrder);
        timer.restart();
        if (!editor.write(out, true, true)) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(out));
            return 2;
        }
        tableOrderTimes.push_back(timer.nsecsElapsed() / 1e9);
    }

    std::printf("%d rows; whole-file check listed %d items; %d runs\n", rows, items, runs);
    report("open until the table is full", openTimes, 3.0, rows);
    report("whole-file check", checkTimes, 2.0, rows);
    report("save in number order", numberOrderTimes, 1.5, rows);
    report("save in table order (by name)", tableOrderTimes, 1.5, rows);
    return 0;
}
