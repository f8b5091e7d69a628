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

// log: the fake library's call log; fileSizeLimit stands in for a disk that
// fills: writes beyond it fail as they would on a full disk.
inline Run cli(const QStringList& args, const QString& log = QString(), qint64 fileSizeLimit = 0)
{
    QProcess p;
#ifdef Q_OS_UNIX
    if (fileSizeLimit > 0)
        p.setChildProcessModifier([fileSizeLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
#else
    Q_UNUSED(fileSizeLimit);
#endif
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FAKEHCMFS_LOG"), log);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(LINKWISE_BINDIR "/linkwise-cli"), args);
    Run run;
    if (!p.waitForFinished(120000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}
