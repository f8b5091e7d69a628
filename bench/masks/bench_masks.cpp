// Opens the delivered equipment.db in the mask dialog and expands every node,
// printing how long each takes (target: the dialog within 0.2 s, a node at
// once). Usage: bench_masks [--runs R] [--file equipment.db]
#include "masks/maskdialog.h"
#include "masks/treemodel.h"
#include "ui/scriptedprompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>

namespace {

int expandAll(QTreeView* view, const QModelIndex& parent, double* slowest)
{
    int nodes = 0;
    for (int row = 0; row < view->model()->rowCount(parent); ++row) {
        const QModelIndex item = view->model()->index(row, 0, parent);
        if (view->model()->rowCount(item) == 0)
            continue;
        QElapsedTimer timer;
        timer.start();
        view->expand(item);
        QCoreApplication::processEvents();
        *slowest = std::max(*slowest, timer.nsecsElapsed() / 1e6);
        nodes += 1 + expandAll(view, item, slowest);
    }
    return nodes;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runsAt = args.indexOf(QStringLiteral("--runs"));
    const int fileAt = args.indexOf(QStringLiteral("--file"));
    const int runs = runsAt > 0 ? args.value(runsAt + 1).toInt() : 5;
    const QString delivered = fileAt > 0 ? args.value(fileAt + 1)
                                         : QCoreApplication::applicationDirPath()
                                               + QStringLiteral("/equipment.db");
    std::printf("database: %s\n", qPrintable(delivered));
    ScriptedPrompts prompts; // an open failure is printed below, not shown
    for (int run = 1; run <= runs; ++run) {
        QTemporaryDir dir;
        QElapsedTimer timer;
        timer.start();
        {
            TreeModel model;
            model.open(delivered, dir.filePath(QStringLiteral("model.db")));
            std::printf("run %d: tree model alone %.1f ms (first use, copy included)\n", run,
                        timer.nsecsElapsed() / 1e6);
        }
        timer.restart();
        maskDialog dialog(delivered, dir.filePath(QStringLiteral("equipment.db")), {});
        dialog.show();
        QCoreApplication::processEvents();
        const double openMs = timer.nsecsElapsed() / 1e6;
        double slowest = 0;
        timer.restart();
        const int nodes = expandAll(dialog.view(), {}, &slowest);
        const double expandMs = timer.nsecsElapsed() / 1e6;
        std::printf("run %d: dialog open %.1f ms (first use, copy included); %d nodes expanded "
                    "one by one in %.1f ms, mean %.2f ms, slowest %.2f ms\n",
                    run, openMs, nodes, expandMs, expandMs / std::max(nodes, 1), slowest);
    }
    for (const ScriptedPrompts::Prompt& prompt : prompts.messages())
        std::printf("warning: %s\n", qPrintable(prompt.message.text));
    return 0;
}
