#include "comparecommand.h"

#include "cli.h"

#include "editor/hcmdocument.h"
#include "hcm/fieldindex.h"
#include "hcm/hcmfile.h"

#include <QEventLoop>

const char kCompareUsage[] =
    "Usage: linkwise-cli compare MAIN AUX [--differences] [--action delete|append|replace -o OUT]\n"
    "\n"
    "Matches the records of the auxiliary file AUX with those of MAIN by\n"
    "co-ordination reference (13X) and prints how many matched.\n"
    "\n"
    "  --differences  list the fields in which each matched pair differs\n"
    "  --action A     delete the matched records, append the records that did\n"
    "                 not match, or replace the matched records by their\n"
    "                 partners, and write the result to OUT in number order\n"
    "  -o OUT         the file --action writes\n"
    "\n"
    "Exit status: 0 done, 2 bad usage, an unreadable input or an unwritable OUT.\n";

namespace {

struct CompareArgs
{
    QString main;
    QString aux;
    bool differences = false;
    int action = -1;
    QString out;
};

QString parseArguments(QStringList args, CompareArgs& a)
{
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--differences")) {
            a.differences = true;
        } else if (arg == QLatin1String("--action") || arg == QLatin1String("-o")) {
            if (args.isEmpty())
                return QStringLiteral("%1 needs a value").arg(arg);
            const QString value = args.takeFirst();
            if (arg == QLatin1String("-o")) {
                a.out = value;
                continue;
            }
            const QStringList actions = {QStringLiteral("delete"), QStringLiteral("append"),
                                         QStringLiteral("replace")};
            a.action = int(actions.indexOf(value));
            if (a.action < 0)
                return QStringLiteral("unknown action '%1'").arg(value);
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return QStringLiteral("unknown option '%1'").arg(arg);
        } else if (a.main.isEmpty()) {
            a.main = arg;
        } else if (a.aux.isEmpty()) {
            a.aux = arg;
        } else {
            return QStringLiteral("only MAIN and AUX may be given");
        }
    }
    if (a.aux.isEmpty())
        return QStringLiteral("MAIN and AUX are needed");
    if ((a.action >= 0) != !a.out.isEmpty())
        return QStringLiteral("--action and -o go together");
    return QString();
}

// Runs the event loop until the document sends signal; the document's jobs
// end there, as they do in the desktop program.
template <typename Signal>
void waitFor(HcmDocument& doc, Signal signal)
{
    QEventLoop loop;
    QObject::connect(&doc, signal, &loop, &QEventLoop::quit);
    loop.exec();
}

QString latin1(const QByteArray& text)
{
    return QString::fromLatin1(text);
}

QString differencesReport(const HcmDocument& doc)
{
    QString out;
    for (const PairDifferences& pair : doc.differences()) {
        const HCMRecord& m = *doc.file().recordAt(pair.main);
        out += latin1(m.text(HcmField::TypeOfEntry)) + QLatin1Char(';')
            + latin1(m.text(HcmField::StationName)) + QLatin1Char(';')
            + latin1(m.text(HcmField::CoordinationReference)) + QLatin1Char('\n');
        for (const FieldDifference& d : pair.fields)
            out += QStringLiteral("  ") + fieldIndexName(d.field) + QLatin1Char(';')
                + latin1(d.mainValue) + QLatin1Char(';') + latin1(d.auxValue) + QLatin1Char('\n');
    }
    return out;
}

int fail(const QString& message)
{
    cliErr(QStringLiteral("linkwise-cli compare: %1\n").arg(message));
    return ExitUsage;
}

} // namespace

int runCompareCommand(const QStringList& args)
{
    CompareArgs a;
    const QString problem = parseArguments(args, a);
    if (!problem.isEmpty())
        return fail(problem + QStringLiteral(" (see 'linkwise-cli compare --help')"));

    HcmDocument doc;
    HcmDocument::LoadResult loaded = HcmDocument::Unreadable;
    QObject::connect(&doc, &HcmDocument::loadFinished,
                     [&loaded](HcmDocument::LoadResult r) { loaded = r; });
    if (doc.load(a.main))
        waitFor(doc, &HcmDocument::loadFinished);
    if (loaded != HcmDocument::Loaded)
        return fail(QStringLiteral("cannot read '%1'").arg(a.main));

    bool auxFailed = false;
    QObject::connect(&doc, &HcmDocument::comparisonFailed, [&auxFailed] { auxFailed = true; });
    QEventLoop loop;
    QObject::connect(&doc, &HcmDocument::comparisonFailed, &loop, &QEventLoop::quit);
    QObject::connect(&doc, &HcmDocument::comparisonReady, &loop, &QEventLoop::quit);
    if (doc.compareWith(a.aux))
        loop.exec();
    if (auxFailed)
        return fail(QStringLiteral("cannot read '%1'").arg(a.aux));

    const int total = doc.auxiliaryCount();
    const int matched = int(doc.pairs().size());
    cliOut(QStringLiteral("Records total: %1\nMatched records: %2\nRecords did not match: %3\n")
               .arg(total)
               .arg(matched)
               .arg(total - matched));
    if (a.differences) {
        doc.startCompareAction(HcmDocument::DetailedComparison);
        waitFor(doc, &HcmDocument::actionFinished);
        cliOut(differencesReport(doc));
    }
    if (a.action >= 0) {
        doc.startCompareAction(HcmDocument::CompareAction(a.action));
        waitFor(doc, &HcmDocument::actionFinished);
        // Written through a temporary file: a failure leaves no half-written OUT.
        if (!doc.save(a.out, doc.includeHeader(), false))
            return fail(QStringLiteral("cannot write '%1'").arg(a.out));
    }
    return ExitOk;
}
