// Times a list-to-list run of 2,000 testing against 2,000 reference stations
// with a library that answers at once, so that what is measured is the
// engine itself: reading and parsing the files, the pair tests and writing
// the report file. Threshold -100 dB: every calculated case writes a row.
#include "calc/calc.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <random>

namespace {

const int kStations = 2000;
const int kRepeaterPairs = 3;
const double kBandsMHz[] = {6175, 7500, 8000, 11200, 13000, 15000, 18000, 23000, 38000};

QByteArray angle(double value, int degreeDigits, char positive, char negative)
{
    const char hemisphere = value < 0 ? negative : positive;
    value = std::abs(value);
    const int degrees = int(value);
    const int minutes = int((value - degrees) * 60);
    const int seconds = int(((value - degrees) * 60 - minutes) * 60);
    return QByteArray::number(degrees).rightJustified(degreeDigits, '0') + hemisphere
           + QByteArray::number(minutes).rightJustified(2, '0') + QByteArray::number(seconds).rightJustified(2, '0');
}

// Stations spread over a region of about 700 by 550 km, in the usual fixed
// service bands; a few repeater pairs among them.
QByteArrayList makeFile(const QByteArray& prefix, std::mt19937& random)
{
    std::uniform_real_distribution<double> lon(10.0, 19.0);
    std::uniform_real_distribution<double> lat(45.0, 50.0);
    std::uniform_real_distribution<double> offset(-400.0, 400.0);
    std::uniform_int_distribution<int> band(0, int(std::size(kBandsMHz)) - 1);
    QByteArrayList lines;
    for (int i = 0; i < kStations; ++i) {
        const bool repeater = i % (kStations / kRepeaterPairs) == 10 || i % (kStations / kRepeaterPairs) == 11;
        QByteArray type = i % 2 ? "RX" : "TX";
        if (repeater)
            type = i % (kStations / kRepeaterPairs) == 10 ? "PRX" : "PTX";
        QByteArrayList f(49);
        f[0] = type;
        f[1] = QByteArray::number(kBandsMHz[band(random)] + offset(random), 'f', 3);
        f[2] = "M";
        f[8] = prefix + QByteArray::number(i);
        f[9] = "AUT";
        f[10] = angle(lon(random), 3, 'E', 'W') + angle(lat(random), 2, 'N', 'S');
        f[43] = prefix + "REF" + QByteArray::number(i);
        lines.append(f.join(';'));
    }
    return lines;
}

bool writeFile(const QString& path, const QByteArrayList& lines)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(lines.join("\r\n")) >= 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    std::mt19937 random(452);
    const QString testing = dir.filePath(QStringLiteral("testing.txt"));
    const QString reference = dir.filePath(QStringLiteral("reference.txt"));
    const QString report = dir.filePath(QStringLiteral("report.lwrpt"));
    if (!dir.isValid() || !writeFile(testing, makeFile("T", random)) || !writeFile(reference, makeFile("R", random))) {
        std::fprintf(stderr, "cannot write the benchmark files\n");
        return 1;
    }

    CALC calc(QString(), QStringLiteral(TRIVIAL_HCMFS_PATH));
    if (calc.errorCode() != 0) {
        std::fprintf(stderr, "%s\n", qPrintable(calc.errorText()));
        return 1;
    }
    QEventLoop loop;
    QObject::connect(&calc, &CALC::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    calc.startListCalculation(testing, reference, report, -100.0, 300.0, 1000.0, 2.0);
    loop.exec();
    const double seconds = timer.nsecsElapsed() / 1e9;
    const CalcStatistics s = calc.lastStatistics();

    out << "list-to-list " << kStations << " x " << kStations << " stations, " << kRepeaterPairs
        << " repeater pairs per file, limits 300 MHz / 1000 km / 2 km, threshold -100 dB\n";
    out << "engine error:      " << calc.errorCode() << "\n";
    out << "pairs tested:      " << s.pairsTested << "\n";
    out << "library calls:     " << s.libraryCalls << "\n";
    out << "rows written:      " << s.rowsWritten << "\n";
    out << "report file:       " << QFile(report).size() / 1024 << " KiB\n";
    out << "time:              " << QString::number(seconds, 'f', 3) << " s (target: at most 3 s)\n";
    out << "pairs tested/s:    " << qint64(s.pairsTested / seconds) << "\n";
    out << "library calls/s:   " << qint64(s.libraryCalls / seconds) << "\n";
    out << "rows/s:            " << qint64(s.rowsWritten / seconds) << "\n";
    return calc.errorCode() == 0 && seconds <= 3.0 ? 0 : 2;
}
