// Peak memory of `linkwise-cli check` on inputs of many short lines, against
// the aim of at most four times the file's size plus a constant.
//
//   bench_checkmemory [--records N] [--file PATH] [--megabytes M]
//
// Shapes: M megabytes (10 by default) of blank lines (LF), of ";" lines and
// of CR bytes, and the national-size file (generated with N records, or
// --file). Each is checked by a separate linkwise-cli process; its peak
// resident size is printed with the ratio to the file's size.
#include "benchfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

// Peak resident size in KB of one `linkwise-cli check FILE`, or -1.
long peakKb(const QString& cli, const QString& file)
{
#ifdef Q_OS_UNIX
    const QByteArray program = QFile::encodeName(cli);
    const QByteArray path = QFile::encodeName(file);
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>("check"),
                    const_cast<char*>("--codes"), const_cast<char*>(path.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return -1;
    return usage.ru_maxrss;
#else
    Q_UNUSED(cli);
    Q_UNUSED(file);
    return -1;
#endif
}

QString writeShape(const QTemporaryDir& dir, const char* name, const QByteArray& unit, qint64 bytes)
{
    const QString path = dir.filePath(QLatin1String(name));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    const QByteArray block = unit.repeated(int(64 * 1024 / unit.size()));
    for (qint64 written = 0; written < bytes; written += block.size())
        f.write(block);
    return path;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    qint64 megabytes = 10;
    const qsizetype at = args.indexOf(QStringLiteral("--megabytes"));
    if (at > 0 && at + 1 < args.size()) {
        megabytes = args.at(at + 1).toLongLong();
        args.remove(at, 2);
    }
    const BenchOptions options = parseBenchOptions(args, 1);
    QTemporaryDir dir;
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/linkwise-cli");
    struct Shape
    {
        const char* name;
        QString path;
    };
    const qint64 bytes = megabytes * 1024 * 1024;
    const Shape shapes[] = {{"blank lines", writeShape(dir, "blank.txt", "\n", bytes)},
                            {"; lines", writeShape(dir, "semicolons.txt", ";\n", bytes)},
                            {"CR bytes", writeShape(dir, "cr.txt", "\r", bytes)},
                            {"national file", benchmarkFile(options, dir)}};
    std::printf("%-14s %12s %12s %8s\n", "shape", "file KB", "peak KB", "ratio");
    for (const Shape& shape : shapes) {
        if (shape.path.isEmpty())
            return 2;
        const long fileKb = long(QFileInfo(shape.path).size() / 1024);
        const long peak = peakKb(cli, shape.path);
        std::printf("%-14s %12ld %12ld %8.2f\n", shape.name, fileKb, peak, fileKb > 0 ? double(peak) / fileKb : 0.0);
    }
    return 0;
}
