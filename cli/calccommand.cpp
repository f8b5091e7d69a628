#include "calccommand.h"

#include "cli.h"

#include "calc/calc.h"
#include "calc/fileversion.h"
#include "calc/libraryerrors.h"
#include "calc/reportmerge.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

const char kCalcUsage[] =
    "Usage:\n"
    "  linkwise-cli calc single FILE --report OUT [--library PATH] [--terrain PATH]\n"
    "  linkwise-cli calc list TESTING REFERENCE --report OUT [--td T] [--freq F] [--dist D] [--pdist P]\n"
    "                         [--threads N] [--part K/N] [--library PATH] [--terrain PATH]\n"
    "  linkwise-cli calc trigger FILE --report OUT [--library PATH] [--terrain PATH]\n"
    "  linkwise-cli calc detail TESTING REFERENCE --tx PICK --rx PICK [--prx PICK --ptx PICK] --out TEXTFILE\n"
    "                         [--library PATH] [--terrain PATH]\n"
    "\n"
    "Runs an interference calculation with the HCM calculation library (by default the one\n"
    "installed beside linkwise-cli) and writes a report file, then prints the number of rows\n"
    "written. list: every testing station against the reference stations, keeping cases with\n"
    "TD >= T dB (default 1) within F MHz (default 300), D km Tx-Rx (default 1000) and P km\n"
    "PTx-Rx (default 2), calling the library from N threads at once (default: one per core) where\n"
    "the library allows it; --part K/N computes only the K-th (from 0) of N slices of the run and\n"
    "writes a partial report for 'linkwise-cli report merge'. single: the first four stations of FILE as one case. trigger: the\n"
    "countries to co-ordinate with for each station. detail: the library's detailed report of\n"
    "one case, PICK being t:N (line N, from 0, of TESTING) or r:N (of REFERENCE); it is\n"
    "written to TEXTFILE and printed.\n";

namespace {

struct CalcOptions
{
    QString mode;
    QStringList files;
    QHash<QString, QString> values;
};

const QStringList kValueOptions{"report", "library", "terrain", "td",  "freq", "dist",
                                "pdist",  "tx",      "rx",      "prx", "ptx",  "out", "threads", "part"};

int usageError(const QString& message)
{
    cliErr(QStringLiteral("linkwise-cli calc: %1 (see 'linkwise-cli calc --help')\n").arg(message));
    return ExitUsage;
}

// Options may be given as "--name value" or "--name=value".
std::optional<CalcOptions> parseOptions(const QStringList& args, QString* error)
{
    CalcOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--"))) {
            if (options.mode.isEmpty())
                options.mode = arg;
            else
                options.files.append(arg);
            continue;
        }
        QString name = arg.mid(2);
        QString value;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        } else if (i + 1 < args.size()) {
            value = args.at(++i);
        } else {
            *error = QStringLiteral("option --%1 needs a value").arg(name);
            return std::nullopt;
        }
        if (!kValueOptions.contains(name)) {
            *error = QStringLiteral("unknown option --%1").arg(name);
            return std::nullopt;
        }
        options.values.insert(name, value);
    }
    return options;
}

bool readNumber(const CalcOptions& options, const QString& name, double fallback, double* value, QString* error)
{
    if (!options.values.contains(name)) {
        *value = fallback;
        return true;
    }
    bool ok = false;
    *value = options.values.value(name).toDouble(&ok); // always the C locale
    if (!ok)
        *error = QStringLiteral("--%1 needs a number, not '%2'").arg(name, options.values.value(name));
    return ok;
}

bool readPick(const QString& text, LinePick* pick)
{
    if (text.size() < 3 || text.at(1) != QLatin1Char(':'))
        return false;
    const QChar file = text.at(0);
    if (file != QLatin1Char('t') && file != QLatin1Char('r'))
        return false;
    bool ok = false;
    const int index = text.mid(2).toInt(&ok);
    if (!ok || index < 0 || text.at(2) == QLatin1Char('+'))
        return false;
    *pick = LinePick{file == QLatin1Char('t'), index};
    return true;
}

// An input file that cannot be read is the caller's mistake, not the
// engine's: say which file and why. Only regular files are opened here: a
// pipe gives its text once, and that is for the engine.
bool checkReadable(const QString& fileName)
{
    const QFileInfo info(fileName);
    QString why;
    if (!info.exists())
        why = QStringLiteral("No such file or directory");
    else if (info.isDir())
        why = QStringLiteral("it is a directory");
    else if (info.isFile()) {
        QFile file(fileName);
        if (file.open(QIODevice::ReadOnly))
            return true;
        why = file.errorString();
    } else if (info.isReadable())
        return true;
    else
        why = QStringLiteral("Permission denied");
    cliErr(QStringLiteral("linkwise-cli: cannot read %1: %2\n").arg(fileName, why));
    return false;
}

class ProgressBar
{
public:
    ProgressBar() : m_enabled(isatty(fileno(stderr)) != 0) {}
    ~ProgressBar() { finish(); }

    void show(int value, int max)
    {
        if (!m_enabled || max <= 0)
            return;
        const int percent = qBound(0, value * 100 / max, 100);
        if (percent == m_last)
            return;
        m_last = percent;
        const int filled = percent * kWidth / 100;
        cliErr(QStringLiteral("\r[%1%2] %3%").arg(QString(filled, QLatin1Char('#')),
                                                  QString(kWidth - filled, QLatin1Char('.')))
                   .arg(percent, 3));
    }

    void finish()
    {
        if (m_enabled && m_last >= 0)
            cliErr(QStringLiteral("\n"));
        m_last = -1;
    }

private:
    static const int kWidth = 40;
    bool m_enabled;
    int m_last = -1;
};

int engineError(const CALC& calc)
{
    cliErr(calc.errorText() + QLatin1Char('\n'));
    return ExitEngineError;
}

// The engine on the library named by --library, or on the one installed
// beside linkwise-cli; null (with the message given) when it cannot be loaded.
std::unique_ptr<CALC> loadEngine(const CalcOptions& options)
{
    QString library = options.values.value(QStringLiteral("library"));
    if (library.isEmpty())
        library = QCoreApplication::applicationDirPath() + QLatin1Char('/') + hcmLibraryFileName();
    auto calc = std::make_unique<CALC>(options.values.value(QStringLiteral("terrain")), library);
    if (calc->errorCode() != 0) {
        engineError(*calc);
        return nullptr;
    }
    return calc;
}

// Starts a run through `start` and waits for its end, showing progress.
bool runAndWait(CALC& calc, bool detailed, const std::function<bool()>& start)
{
    QEventLoop loop;
    ProgressBar bar;
    QObject::connect(&calc, &CALC::calcProgressChanged, &loop, [&bar](int value, int max) { bar.show(value, max); });
    if (detailed)
        QObject::connect(&calc, &CALC::finishedDC, &loop, &QEventLoop::quit);
    else
        QObject::connect(&calc, &CALC::finished, &loop, &QEventLoop::quit);
    if (!start())
        return false;
    loop.exec();
    bar.finish();
    return true;
}

int runDetail(const CalcOptions& options)
{
    if (options.files.size() != 2)
        return usageError(QStringLiteral("detail needs a testing and a reference file"));
    const QString out = options.values.value(QStringLiteral("out"));
    if (out.isEmpty())
        return usageError(QStringLiteral("detail needs --out TEXTFILE"));
    const bool repeater = options.values.contains(QStringLiteral("prx"));
    if (repeater != options.values.contains(QStringLiteral("ptx")))
        return usageError(QStringLiteral("--prx and --ptx go together"));
    std::array<LinePick, 4> picks;
    const char* names[] = {"tx", "prx", "ptx", "rx"};
    for (int i = 0; i < 4; ++i) {
        const QString name = QLatin1String(names[i]);
        if (!options.values.contains(name)) {
            if (name == QLatin1String("tx") || name == QLatin1String("rx"))
                return usageError(QStringLiteral("detail needs --tx and --rx"));
            continue;
        }
        if (!readPick(options.values.value(name), &picks[size_t(i)]))
            return usageError(QStringLiteral("--%1 takes t:N or r:N, not '%2'").arg(name, options.values.value(name)));
    }
    if (!checkReadable(options.files.at(0)) || !checkReadable(options.files.at(1)))
        return ExitUsage;
    const std::unique_ptr<CALC> engine = loadEngine(options);
    if (!engine)
        return ExitEngineError;
    CALC& calc = *engine;
    if (calc.loadStationLists(options.files.at(0), options.files.at(1)) != 0)
        return engineError(calc);
    // Whatever is in the file afterwards comes from this run.
    QFile::remove(out);
    runAndWait(calc, true, [&] { return calc.startDetailedCalculation(picks, out); });
    if (calc.errorCode() != 0)
        return engineError(calc);
    QFile text(out);
    if (!text.open(QIODevice::ReadOnly)) {
        cliErr(QStringLiteral("linkwise-cli: the library wrote no detailed report to %1\n").arg(out));
        return ExitFindings;
    }
    cliOut(QString::fromLocal8Bit(text.readAll()));
    return ExitOk;
}

int runReportingMode(const CalcOptions& options)
{
    const QString& mode = options.mode;
    const int needed = mode == QLatin1String("list") ? 2 : 1;
    if (options.files.size() != needed)
        return usageError(needed == 2 ? QStringLiteral("list needs a testing and a reference file")
                                      : QStringLiteral("%1 needs one file").arg(mode));
    const QString report = options.values.value(QStringLiteral("report"));
    if (report.isEmpty())
        return usageError(QStringLiteral("--report OUT is required"));
    double td = 0, freq = 0, dist = 0, pdist = 0;
    QString error;
    if (!readNumber(options, QStringLiteral("td"), 1.0, &td, &error)
        || !readNumber(options, QStringLiteral("freq"), 300.0, &freq, &error)
        || !readNumber(options, QStringLiteral("dist"), 1000.0, &dist, &error)
        || !readNumber(options, QStringLiteral("pdist"), 2.0, &pdist, &error))
        return usageError(error);
    double threads = 0;
    if (!readNumber(options, QStringLiteral("threads"), 0.0, &threads, &error))
        return usageError(error);
    if (threads < 0 || threads != int(threads))
        return usageError(QStringLiteral("--threads needs a whole number of threads"));
    int part = 0, parts = 0;
    if (options.values.contains(QStringLiteral("part"))
        && (mode != QLatin1String("list") || !parsePartText(options.values.value(QStringLiteral("part")), &part, &parts)))
        return usageError(QStringLiteral("--part takes K/N with 0 <= K < N, for a list calculation"));
    for (const QString& file : options.files) {
        if (!checkReadable(file))
            return ExitUsage;
    }
    const std::unique_ptr<CALC> engine = loadEngine(options);
    if (!engine)
        return ExitEngineError;
    CALC& calc = *engine;
    calc.setThreads(int(threads));
    calc.setPart(part, parts);
    runAndWait(calc, false, [&] {
        if (mode == QLatin1String("list"))
            return calc.startListCalculation(options.files.at(0), options.files.at(1), report, td, freq, dist,
                                             pdist);
        if (mode == QLatin1String("single"))
            return calc.startSingleCalculation(options.files.at(0), report);
        return calc.startTriggerCalculation(options.files.at(0), report);
    });
    const CalcStatistics statistics = calc.lastStatistics();
    // A run cut short by its report file still tells how many rows it kept.
    if (calc.errorCode() == 7)
        cliOut(QStringLiteral("Rows written: %1\n").arg(statistics.rowsWritten));
    if (calc.errorCode() != 0)
        return engineError(calc);
    cliOut(QStringLiteral("Rows written: %1\n").arg(statistics.rowsWritten));
    // A run in which the library failed every case has no result to show.
    if (statistics.rowsWritten > 0 && statistics.errorRows == statistics.rowsWritten) {
        cliErr(QStringLiteral("linkwise-cli: every row carries a library error, most often %1\n")
                   .arg(libraryErrorText(statistics.commonError)));
        return ExitFindings;
    }
    return ExitOk;
}

} // namespace

int runCalcCommand(const QStringList& args)
{
    QString error;
    const std::optional<CalcOptions> options = parseOptions(args, &error);
    if (!options)
        return usageError(error);
    const QString& mode = options->mode;
    if (mode != QLatin1String("single") && mode != QLatin1String("list") && mode != QLatin1String("trigger")
        && mode != QLatin1String("detail"))
        return usageError(mode.isEmpty() ? QStringLiteral("which calculation? single, list, trigger or detail")
                                         : QStringLiteral("unknown calculation '%1'").arg(mode));
    if (mode == QLatin1String("detail"))
        return runDetail(*options);
    return runReportingMode(*options);
}
