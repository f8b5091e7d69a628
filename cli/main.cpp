// linkwise-cli: the Linkwise core without windows, for batch work and scripts.
#include "calccommand.h"
#include "checkcommand.h"
#include "cli.h"
#include "comparecommand.h"
#include "kmlcommand.h"
#include "reportcommand.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

#include <clocale>
#include <iterator>

namespace {

// Commands are listed here as they become available.
const CliCommand kCommands[] = {
    {"check", "check the syntax of an HCM file", kCheckUsage, runCheckCommand},
    {"calc", "run an interference calculation and write a report file", kCalcUsage, runCalcCommand},
    {"report", "print a report file", kReportUsage, runReportCommand},
    {"kml", "export stations to a KML file", kKmlUsage, runKmlCommand},
    {"compare", "compare an HCM file with an auxiliary file", kCompareUsage, runCompareCommand},
};

QString usage()
{
    QString text = QStringLiteral("Usage: linkwise-cli [--help] [--version] COMMAND [ARGS]\n\nCommands:\n");
    for (const CliCommand& c : kCommands)
        text += QStringLiteral("  %1 %2\n").arg(QLatin1String(c.name), -9).arg(QLatin1String(c.summary));
    text += QStringLiteral("\nRun 'linkwise-cli COMMAND --help' for a command's usage.\n");
    return text;
}

const CliCommand* findCommand(const QString& name)
{
    for (const CliCommand& c : kCommands) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

} // namespace

void cliOut(const QString& text)
{
    static QTextStream out(stdout);
    out << text;
    out.flush();
}

void cliErr(const QString& text)
{
    static QTextStream err(stderr);
    err << text;
    err.flush();
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("linkwise-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LINKWISE_VERSION));
    // HCM numbers use a decimal point whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        cliErr(usage());
        return ExitUsage;
    }
    const QString first = args.takeFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        cliOut(usage());
        return ExitOk;
    }
    if (first == QLatin1String("--version")) {
        cliOut(QStringLiteral(LINKWISE_VERSION "\n"));
        return ExitOk;
    }
    const CliCommand* command = findCommand(first);
    if (!command) {
        cliErr(QStringLiteral("linkwise-cli: unknown command '%1'\n\n").arg(first) + usage());
        return ExitUsage;
    }
    if (!command->run) {
        cliErr(QStringLiteral("linkwise-cli: the command '%1' is not available in this version\n").arg(first));
        return ExitUsage;
    }
    if (args.contains(QLatin1String("--help"))) {
        cliOut(QLatin1String(command->usage));
        return ExitOk;
    }
    return command->run(args);
}
