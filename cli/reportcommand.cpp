#include "reportcommand.h"

#include "cli.h"

#include "calc/datareport.h"

#include <QFileInfo>
#include <QSqlQueryModel>

#include <algorithm>

const char kReportUsage[] =
    "Usage: linkwise-cli report [--csv] FILE.lwrpt\n"
    "\n"
    "Prints a report file written by a calculation: the line \"HCM Library version:\" with the\n"
    "library's version, then the results (or trigger) table with its column labels, as aligned\n"
    "text or, with --csv, as comma-separated values.\n";

namespace {

using Table = QList<QStringList>;

QString cellText(const QVariant& value)
{
    // QVariant writes numbers in the C locale, whatever the environment says.
    return value.isNull() ? QString() : value.toString();
}

Table tableOf(QSqlQueryModel* model)
{
    Table table;
    QStringList labels;
    for (int c = 0; c < model->columnCount(); ++c)
        labels.append(model->headerData(c, Qt::Horizontal).toString());
    table.append(labels);
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c)
            row.append(cellText(model->index(r, c).data()));
        table.append(row);
    }
    return table;
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString asCsv(const Table& table)
{
    QString out;
    for (const QStringList& row : table) {
        QStringList fields;
        for (const QString& cell : row)
            fields.append(csvField(cell));
        out += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out;
}

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
    dataReport report(file);
    const bool read = report.readResults() || (report.readProblem() == dataReport::NotReport && report.readTrigger());
    if (!read || !report.fetchAll()) {
        cliErr(QStringLiteral("linkwise-cli: %1 %2\n").arg(file, problemText(report)));
        return ExitUsage;
    }
    const Table table = tableOf(report.model());
    const QString version = report.readVersion();
    QString out = QStringLiteral("HCM Library version:") + version + QLatin1Char('\n');
    out += csv ? asCsv(table) : asAlignedText(table);
    cliOut(out);
    return ExitOk;
}
