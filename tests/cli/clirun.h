// Runs the built linkwise-cli as a user would and keeps what it printed.
#pragma once

#include <QProcess>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

struct Run
{
    int exitCode = -1; // -1: it crashed or did not end
    QString out;
    QString err;
};

// How to run it: log is the fake library's call log; fileSizeLimit stands in
// for a disk that fills (writes beyond it fail as they would on a full disk);
// input goes to standard input, which is then closed.
struct Cli
{
    QString program = QStringLiteral(LINKWISE_BINDIR "/linkwise-cli");
    QString log;
    qint64 fileSizeLimit = 0;
    QStringList environment; // NAME=value
    QByteArray input;
    QString workDir;

    Run operator()(const QStringList& args) const
    {
        QProcess p;
#ifdef Q_OS_UNIX
        if (const qint64 limit = fileSizeLimit; limit > 0)
            p.setChildProcessModifier([limit] {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit l{rlim_t(limit), rlim_t(limit)};
                setrlimit(RLIMIT_FSIZE, &l);
            });
#endif
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FAKEHCMFS_LOG"), log);
        for (const QString& kv : environment)
            env.insert(kv.section(QLatin1Char('='), 0, 0), kv.section(QLatin1Char('='), 1));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(workDir);
        p.start(program, args);
        p.write(input);
        p.closeWriteChannel();
        Run run;
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            return run;
        }
        run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        run.out = QString::fromUtf8(p.readAllStandardOutput());
        run.err = QString::fromUtf8(p.readAllStandardError());
        return run;
    }
};

inline Run cli(const QStringList& args, const QString& log = QString(), qint64 fileSizeLimit = 0)
{
    Cli run;
    run.log = log;
    run.fileSizeLimit = fileSizeLimit;
    return run(args);
}
