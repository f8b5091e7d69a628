#include "checkcommand.h"

#include "cli.h"
#include "cliload.h"

#include "checks/checkclasses.h"
#include "checks/filecheck.h"
#include "checks/findings.h"
#include "hcm/hcmfile.h"
#include "hcm/loadjob.h"

#include <QFileInfo>


const char kCheckUsage[] =
    "Usage: linkwise-cli check [--codes] [--calc-only] [--no-format] [--no-values] [--no-characters] FILE\n"
    "\n"
    "Checks the syntax of the HCM file FILE and prints every finding as the error\n"
    "list of the desktop program shows it, or with --codes as bare check codes.\n"
    "\n"
    "  --codes          one line of codes per header or record with findings\n"
    "  --calc-only      check only the entries the calculations need\n"
    "  --no-format      do not check the format of numbers\n"
    "  --no-values      no warnings on suspicious values\n"
    "  --no-characters  no warnings on illegal characters\n"
    "\n"
    "Exit status: 0 no error found, 1 errors found, 2 bad usage or unreadable file.\n";

namespace {

struct CheckOptions
{
    CheckSettings settings = kDefaultCheckSettings;
    bool codes = false;
    QString fileName;
};

// Fills options from the arguments; an empty text on success, else the problem.
QString parseArguments(const QStringList& args, CheckOptions& options)
{
    for (const QString& arg : args) {
        if (arg == QLatin1String("--codes"))
            options.codes = true;
        else if (arg == QLatin1String("--calc-only"))
            options.settings |= CheckCalcOnly;
        else if (arg == QLatin1String("--no-format"))
            options.settings &= ~CheckNumberFormat;
        else if (arg == QLatin1String("--no-values"))
            options.settings &= ~CheckSuspiciousValues;
        else if (arg == QLatin1String("--no-characters"))
            options.settings &= ~CheckIllegalCharacters;
        else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            return QStringLiteral("unknown option '%1'").arg(arg);
        else if (!options.fileName.isEmpty())
            return QStringLiteral("only one FILE may be given");
        else
            options.fileName = arg;
    }
    if (options.fileName.isEmpty())
        return QStringLiteral("no FILE given");
    return QString();
}


QString joinCodes(const QList<int>& codes)
{
    QString line;
    for (int code : codes) {
        if (!line.isEmpty())
            line += QLatin1Char(' ');
        line += QString::number(code);
    }
    return line;
}

QString codesReport(const FindingList& findings)
{
    QString out;
    for (const ReaderFinding& f : findings.reader) {
        out += f.recordNumber < 0 ? QStringLiteral("READ HEADER: %1\n").arg(f.code)
                                  : QStringLiteral("READ %1: %2\n").arg(f.recordNumber).arg(f.code);
    }
    for (const FileCheckItem& item : findings.items) {
        out += item.isHeader() ? QStringLiteral("HEADER: ") : QString::number(item.recordNumber) + QLatin1String(": ");
        out += joinCodes(item.codes) + QLatin1Char('\n');
    }
    return out;
}

QString listReport(const FindingList& findings, const QString& fileName)
{
    if (findings.isEmpty())
        return QStringLiteral("No syntax errors found in the file\n") + QFileInfo(fileName).fileName()
            + QLatin1Char('\n');
    QString out;
    for (const FindingList::Entry& entry : findings.entries())
        out += entry.text + QLatin1Char('\n');
    out += QStringLiteral("Found errors: %1\nFound warnings: %2\n").arg(findings.errors).arg(findings.warnings);
    return out;
}

} // namespace

int runCheckCommand(const QStringList& args)
{
    CheckOptions options;
    const QString problem = parseArguments(args, options);
    if (!problem.isEmpty()) {
        cliErr(QStringLiteral("linkwise-cli check: %1 (see 'linkwise-cli check --help')\n").arg(problem));
        return ExitUsage;
    }

    ProgressLine progress;
    HCMFile file(nullptr, &options.settings);
    LoadJob job;
    if (!loadForCommand(QStringLiteral("check"), options.fileName, &options.settings, file, job, progress))
        return ExitUsage;

    std::vector<int> rows(std::size_t(file.recordCount()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = int(i);
    const QString status = FileCheck::statusText();
    const FindingList findings = collectFindings(
        file, rows, job.status() == LoadJob::Started ? 0 : job.status(), job.lineCodes(),
        [&progress, &status](int value, int maximum) { progress.show(status, value, maximum); });
    progress.finish();

    cliOut(options.codes ? codesReport(findings) : listReport(findings, options.fileName));
    return findings.errors > 0 ? ExitFindings : ExitOk;
}
