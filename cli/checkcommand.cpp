#include "checkcommand.h"

#include "cli.h"
#include "cliload.h"

#include "checks/checkclasses.h"
#include "checks/filecheck.h"
#include "hcm/hcmfile.h"
#include "hcm/hcmrecord.h"
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

// Writes the report as it is made, in pieces of some 64 KB: a file of
// millions of short lines has millions of findings, and holding them all
// would cost many times the file's size.
class ReportOut
{
public:
    ~ReportOut() { flush(); }
    void add(const QString& text)
    {
        m_buffer += text;
        if (m_buffer.size() > 32 * 1024)
            flush();
    }
    void flush()
    {
        if (!m_buffer.isEmpty())
            cliOut(m_buffer);
        m_buffer.clear();
    }

private:
    QString m_buffer;
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

// The findings in the order of the error list: the reader's codes, the
// header's item, then the records' items. Records are read and checked one
// at a time, twice over the text (once for the reader's codes and the record
// count the header check needs, once for the checks), so memory stays near
// the size of the file.
class StreamingCheck
{
public:
    StreamingCheck(const CheckOptions& options, ProgressLine& progress)
        : m_options(options), m_progress(progress), m_file(nullptr, &m_options.settings)
    {
    }

    void run(const QByteArray& text)
    {
        LoadJob reading;
        prepare(reading);
        reading.recordSink = [this, &reading](std::unique_ptr<HCMRecord>, int number, int code) {
            readerFinding(reading.status());
            m_records = number + 1;
            if (code != 0)
                addReaderFinding(number, code);
        };
        reading.runOnText(text);
        readerFinding(reading.status());
        m_progress.finish();

        addItem(FileCheck::headerItem(m_file.header(), m_records));
        LoadJob checking;
        prepare(checking);
        const QString status = FileCheck::statusText();
        checking.progress = nullptr;
        checking.recordSink = [this, &status](std::unique_ptr<HCMRecord> record, int number, int) {
            m_progress.show(status, number, m_records);
            addItem(FileCheck::recordItem(*record, number));
        };
        checking.runOnText(text);
        m_progress.finish();

        if (m_options.codes)
            return;
        if (!m_found)
            m_out.add(QStringLiteral("No syntax errors found in the file\n") + QFileInfo(m_options.fileName).fileName()
                      + QLatin1Char('\n'));
        else
            m_out.add(QStringLiteral("Found errors: %1\nFound warnings: %2\n").arg(m_errors).arg(m_warnings));
    }

    bool foundErrors() const { return m_errors > 0; }

private:
    void prepare(LoadJob& job)
    {
        job.fileName = m_options.fileName;
        job.target = &m_file;
        job.checkSettings = &m_options.settings;
        job.progress = [this](qint64 value, qint64 maximum, const QString& message, std::atomic_bool&) {
            m_progress.show(message, value, maximum);
        };
    }

    // The header's parse code, once, before any record's.
    void readerFinding(int status)
    {
        if (m_headerDone)
            return;
        m_headerDone = true;
        if (status != LoadJob::Started)
            addReaderFinding(-1, status);
    }

    void addReaderFinding(int recordNumber, int code)
    {
        m_found = true;
        ++m_errors;
        if (!m_options.codes)
            m_out.add(readerFindingText(recordNumber, code) + QLatin1Char('\n'));
        else if (recordNumber < 0)
            m_out.add(QStringLiteral("READ HEADER: %1\n").arg(code));
        else
            m_out.add(QStringLiteral("READ %1: %2\n").arg(recordNumber).arg(code));
    }

    void addItem(const FileCheckItem& item)
    {
        if (item.codes.isEmpty())
            return;
        m_found = true;
        const int errors = item.errorCount();
        m_errors += errors;
        m_warnings += item.codes.size() - errors;
        if (!m_options.codes)
            m_out.add(item.text() + QLatin1Char('\n'));
        else
            m_out.add((item.isHeader() ? QStringLiteral("HEADER: ") : QString::number(item.recordNumber) + QLatin1String(": "))
                      + joinCodes(item.codes) + QLatin1Char('\n'));
    }

    const CheckOptions& m_options;
    ProgressLine& m_progress;
    HCMFile m_file; // holds the header only
    ReportOut m_out;
    int m_records = 0;
    qint64 m_errors = 0;
    qint64 m_warnings = 0;
    bool m_found = false;
    bool m_headerDone = false;
};

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
    QByteArray text;
    if (!LoadJob::readFile(options.fileName, text)) {
        cliErr(QStringLiteral("linkwise-cli check: cannot read '%1': %2\n")
                   .arg(options.fileName, unreadableReason(options.fileName)));
        return ExitUsage;
    }
    StreamingCheck check(options, progress);
    check.run(text);
    return check.foundErrors() ? ExitFindings : ExitOk;
}
