#include "reportcommand.h"

#include "cli.h"

#include "calc/datareport.h"
#include "calc/reportmerge.h"
#include "calc/reporttext.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

const char kReportUsage[] =
    "Usage: linkwise-cli report [--csv] FILE.lwrpt\n"
    "       linkwise-cli report merge OUT.lwrpt PART.lwrpt...\n"
    "\n"
    "Prints a report file written by a calculation: the line \"HCM Library version:\" with the\n"
    "library's version, then the results (or trigger) table with its column labels, as aligned\n"
    "text or, with --csv, as comma-separated values.\n"
    "merge joins the partial reports of a run split with 'calc list --part K/N' into the report\n"
    "the whole run writes on one machine; every part must be given, in any order.\n";

namespace {

using Table = QList<QStringList>;

QString asAlignedText(const Table& table)
{
    QList<qsizetype> widths;
    for (const QStringList& row : table) {
        for (int c = 0; c < row.size(); ++c) {
            if (c >= widths.size())
                widths.append(0);
            widths[c] = std::max(widths.at(c), row.at(c).size());
        }
    }
    QString out;
    for (const QStringList& row : table) {
        QString line;
        for (int c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += QLatin1String("  ");
            line += row.at(c).leftJustified(widths.at(c));
        }
        // Line breaks inside a value would break the alignment of the row.
        line.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out += line + QLatin1Char('\n');
    }
    return out;
}

int runMerge(const QStringList& args)
{
    if (args.size() < 2 || std::any_of(args.begin(), args.end(), [](const QString& a) { return a.startsWith(QLatin1String("--")); })) {
        cliErr(QStringLiteral("linkwise-cli report merge: give OUT and the part files (see 'linkwise-cli report --help')\n"));
        return ExitUsage;
    }
    long long rows = 0;
    const QString why = mergeReportParts(args.first(), args.mid(1), &rows);
    if (!why.isEmpty()) {
        cliErr(QStringLiteral("linkwise-cli report merge: %1\n").arg(why));
        return ExitUsage;
    }
    cliOut(QStringLiteral("Rows written: %1\n").arg(rows));
    return ExitOk;
}

QString problemText(const dataReport& report)
{
    switch (report.readProblem()) {
    case dataReport::Busy:
        return QStringLiteral("is busy: another program is writing it (%1)").arg(report.lastError());
    case dataReport::Damaged:
        return QStringLiteral("is damaged: %1").arg(report.lastError());
    default:
        return QStringLiteral("is not a Linkwise report file");
    }
}

} // namespace

int runReportCommand(const QStringList& args)
{
    if (!args.isEmpty() && args.first() == QLatin1String("merge"))
        return runMerge(args.mid(1));
    bool csv = false;
    QStringList files;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--csv"))
            csv = true;
        else if (arg.startsWith(QLatin1String("--"))) {
            cliErr(QStringLiteral("linkwise-cli report: unknown option %1 (see 'linkwise-cli report --help')\n").arg(arg));
            return ExitUsage;
        } else
            files.append(arg);
    }
    if (files.size() != 1) {
        cliErr(QStringLiteral("linkwise-cli report: give one report file (see 'linkwise-cli report --help')\n"));
        return ExitUsage;
    }
    const QString file = files.first();
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) {
        cliErr(QStringLiteral("linkwise-cli: cannot read %1: %2\n")
                   .arg(file, info.exists() ? QStringLiteral("not a readable file") : QStringLiteral("no such file")));
        return ExitUsage;
    }
    // Read whole once first: a damaged page, a busy writer or a foreign table
    // must be said, not printed as a shorter report.
    {
        dataReport report(file);
        const bool read = report.readResults()
            || (report.readProblem() == dataReport::NotReport && report.readTrigger());
        if (!read || !report.fetchAll()) {
            cliErr(QStringLiteral("linkwise-cli: %1 %2\n").arg(file, problemText(report)));
            return ExitUsage;
        }
    }
    if (csv) {
        // Streamed: a national-size report does not fit comfortably in one string.
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || !ReportText::writeCsv(file, &out)) {
            cliErr(QStringLiteral("linkwise-cli: %1 is not a report file\n").arg(file));
            return ExitUsage;
        }
        return ExitOk;
    }
    Table table;
    QString version;
    if (!ReportText::forEachRow(file, [&table](const QStringList& row) { table.append(row); }, &version)) {
        cliErr(QStringLiteral("linkwise-cli: %1 is not a report file\n").arg(file));
        return ExitUsage;
    }
    cliOut(QStringLiteral("HCM Library version:") + version + QLatin1Char('\n') + asAlignedText(table));
    return ExitOk;
}
