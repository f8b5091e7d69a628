#include "checkcommand.h"

#include "cli.h"
#include "cliload.h"

#include "checks/checkclasses.h"
#include "checks/filecheck.h"
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


struct ReaderFinding
{
    int recordNumber; // -1 for the header
    int code;
};

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

QString codesReport(const std::vector<ReaderFinding>& reader, const FileCheck& check)
{
    QString out;
    for (const ReaderFinding& f : reader) {
        out += f.recordNumber < 0 ? QStringLiteral("READ HEADER: %1\n").arg(f.code)
                                  : QStringLiteral("READ %1: %2\n").arg(f.recordNumber).arg(f.code);
    }
    for (const FileCheckItem& item : check.items()) {
        out += item.isHeader() ? QStringLiteral("HEADER: ") : QString::number(item.recordNumber) + QLatin1String(": ");
        out += joinCodes(item.codes) + QLatin1Char('\n');
    }
    return out;
}

QString listReport(const std::vector<ReaderFinding>& reader, const FileCheck& check, const QString& fileName)
{
    if (reader.empty() && check.items().empty())
        return QStringLiteral("No syntax errors found in the file\n") + QFileInfo(fileName).fileName()
            + QLatin1Char('\n');
    QString out;
    for (const ReaderFinding& f : reader)
        out += readerFindingText(f.recordNumber, f.code) + QLatin1Char('\n');
    for (const FileCheckItem& item : check.items())
        out += item.text() + QLatin1Char('\n');
    out += QStringLiteral("Found errors: %1\nFound warnings: %2\n")
               .arg(check.errorCount() + int(reader.size()))
               .arg(check.warningCount());
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

    std::vector<ReaderFinding> reader;
    if (job.status() != LoadJob::Started)
        reader.push_back(ReaderFinding{-1, job.status()});
    for (const LineCode& line : job.lineCodes())
        reader.push_back(ReaderFinding{line.recordNumber, line.code});

    FileCheck check(file);
    const QString status = FileCheck::statusText();
    check.setProgress([&progress, &status](int value, int maximum) { progress.show(status, value, maximum); });
    check.run();
    progress.finish();

    cliOut(options.codes ? codesReport(reader, check) : listReport(reader, check, options.fileName));
    const bool errors = !reader.empty() || check.errorCount() > 0;
    return errors ? ExitFindings : ExitOk;
}
