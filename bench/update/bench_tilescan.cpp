// Colouring the world tile table from a data folder of 5,000 tiles: fills the
// 360 x 180 table, scans the folder and paints the table once offscreen.
// Prints the times; the target is one second for all of it.
#include "update/tiletablepage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include "update/tilenames.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    int made = 0;
    for (int lon = -180; lon < 180 && made < 5000; lon += 1) {
        const QString column = TileNames::columnName(lon);
        QDir().mkpath(dir.filePath(column));
        for (int lat = -60; lat < 75 && made < 5000; lat += 9) {
            const QString lat2 = QStringLiteral("%1%2").arg(lat < 0 ? 'S' : 'N').arg(qAbs(lat), 2, 10, QLatin1Char('0'));
            QFile(dir.filePath(column + QLatin1Char('/') + column + lat2 + QStringLiteral(".dat"))).open(QIODevice::WriteOnly);
            ++made;
        }
    }
    TileTablePage page({"t", "e", "w", "c"});
    page.resize(1200, 800);
    page.show();
    QElapsedTimer timer;
    timer.start();
    page.fill(dir.path(), true);
    const qint64 fillMs = timer.elapsed();
    page.table()->viewport()->grab();
    const qint64 totalMs = timer.elapsed();
    QTextStream(stdout) << made << " tiles, world table " << page.model()->columnCount() << " x "
                        << page.model()->rowCount() << ": fill and scan " << fillMs
                        << " ms, with one paint " << totalMs << " ms (target 1000 ms)\n";
    return 0;
}
