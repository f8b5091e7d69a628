#include "kmlcommand.h"

#include "cli.h"
#include "cliload.h"

#include "editor/recordlisteditor.h"
#include "editor/recordtablemodel.h"
#include "hcm/hcmfile.h"
#include "hcm/loadjob.h"
#include "kml/stationexport.h"

#include <QCoreApplication>

const char kKmlUsage[] =
    "Usage: linkwise-cli kml FILE --records RANGES [--tower] -o OUT.kml\n"
    "\n"
    "Writes the stations of the HCM file FILE named by RANGES as a KML document, as\n"
    "\"Show Selected on Google Earth\" does for the same selection in the record table.\n"
    "\n"
    "  --records RANGES  selected ranges of record numbers (from 0), e.g. 5-9,0-2,12;\n"
    "                    the range with the highest first number is written first\n"
    "  --tower           place the tower model under each station\n"
    "  -o OUT.kml        the document to write\n"
    "\n"
    "Exit status: 0 written, 1 a bad co-ordinate or a file that cannot be written,\n"
    "2 bad usage or unreadable FILE.\n";

namespace {

struct KmlOptions
{
    QString fileName;
    QString ranges;
    QString output;
    bool tower = false;
};

QString parseArguments(const QStringList& args, KmlOptions& options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--tower")) {
            options.tower = true;
        } else if (arg == QLatin1String("--records") || arg == QLatin1String("-o")) {
            if (i + 1 >= args.size())
                return QStringLiteral("%1 needs a value").arg(arg);
            (arg == QLatin1String("-o") ? options.output : options.ranges) = args.at(++i);
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return QStringLiteral("unknown option %1").arg(arg);
        } else if (!options.fileName.isEmpty()) {
            return QStringLiteral("only one FILE may be given");
        } else {
            options.fileName = arg;
        }
    }
    if (options.fileName.isEmpty())
        return QStringLiteral("no FILE given");
    if (options.ranges.isEmpty())
        return QStringLiteral("no --records given");
    if (options.output.isEmpty())
        return QStringLiteral("no -o OUT.kml given");
    return QString();
}

// "5-9,0-2,12" as row spans of a table in number order; an empty text on
// success, else the problem.
QString parseRanges(const QString& text, int recordCount, std::vector<RowSpan>& spans)
{
    for (const QString& item : text.split(QLatin1Char(','))) {
        const QStringList ends = item.split(QLatin1Char('-'));
        bool ok = ends.size() <= 2;
        RowSpan span{0, 0};
        if (ok)
            span.top = ends.first().trimmed().toInt(&ok);
        if (ok)
            span.bottom = ends.size() == 2 ? ends.last().trimmed().toInt(&ok) : span.top;
        if (!ok || span.top < 0 || span.bottom < span.top)
            return QStringLiteral("'%1' is no range of record numbers").arg(item);
        if (span.bottom >= recordCount)
            return QStringLiteral("the file has no record %1").arg(span.bottom);
        spans.push_back(span);
    }
    return QString();
}

} // namespace

int runKmlCommand(const QStringList& args)
{
    KmlOptions options;
    QString problem = parseArguments(args, options);
    if (!problem.isEmpty()) {
        cliErr(QStringLiteral("linkwise-cli kml: %1 (see 'linkwise-cli kml --help')\n").arg(problem));
        return ExitUsage;
    }

    ProgressLine progress;
    const CheckSettings settings = 0;
    HCMFile file(nullptr, &settings);
    LoadJob job;
    if (!loadForCommand(QStringLiteral("kml"), options.fileName, &settings, file, job, progress))
        return ExitUsage;

    std::vector<RowSpan> spans;
    problem = parseRanges(options.ranges, file.recordCount(), spans);
    if (!problem.isEmpty()) {
        cliErr(QStringLiteral("linkwise-cli kml: %1\n").arg(problem));
        return ExitUsage;
    }
    // The record table of a freshly opened file, in number order, walked the
    // way the desktop export walks its selection.
    RecordTableModel table(&file);
    table.fill();
    const std::vector<int> numbers = RecordListEditor(file, table).numbersOfSpans(spans);

    KmlExportRequest request;
    request.outputPath = options.output;
    request.programFolder = QCoreApplication::applicationDirPath();
    request.showTower = options.tower;
    const KmlExportResult result = exportStationsToKml(file, numbers, request);
    if (result.failed()) {
        cliErr(result.warningText() + QLatin1Char('\n'));
        return ExitFindings;
    }
    return ExitOk;
}
