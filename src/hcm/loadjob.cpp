#include "loadjob.h"

#include "hcmfile.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>
#include <memory>
#include <system_error>
#include <vector>

namespace {

enum class Terminator { CrLf, Cr, Lf };

// Position of the next terminator at or after from, or -1.
qsizetype findTerminator(QByteArrayView text, qsizetype from, Terminator t)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* p = begin + from;
    if (t == Terminator::Lf) {
        p = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        return p ? p - begin : -1;
    }
    while ((p = static_cast<const char*>(std::memchr(p, '\r', std::size_t(end - p))))) {
        if (t == Terminator::Cr || (p + 1 < end && p[1] == '\n'))
            return p - begin;
        ++p;
    }
    return -1;
}

// One terminator for the whole file: CR LF wherever that pair occurs at all,
// else CR if there is one, else LF. Also finds where the text ends (its first
// NUL byte). Fed in pieces, so a file need not be held whole to know either.
struct TextScan
{
    bool sawCr = false;
    bool sawCrLf = false;
    bool pendingCr = false; // the last piece ended in CR
    bool sawNul = false;
    qint64 length = 0;      // bytes before the first NUL

    void feed(const char* p, qsizetype n)
    {
        if (sawNul)
            return;
        if (const void* nul = std::memchr(p, '\0', std::size_t(n))) {
            n = static_cast<const char*>(nul) - p;
            sawNul = true;
        }
        length += n;
        if (pendingCr && n > 0 && p[0] == '\n')
            sawCrLf = true;
        pendingCr = false;
        const char* end = p + n;
        while (!sawCrLf && (p = static_cast<const char*>(std::memchr(p, '\r', std::size_t(end - p))))) {
            sawCr = true;
            if (p + 1 == end)
                pendingCr = !sawNul;
            else if (p[1] == '\n')
                sawCrLf = true;
            ++p;
        }
    }
    Terminator terminator() const
    {
        return sawCrLf ? Terminator::CrLf : sawCr ? Terminator::Cr : Terminator::Lf;
    }
};

bool startsLikeRecord(QByteArrayView line)
{
    if (line.isEmpty())
        return false;
    switch (line[0]) {
    case 'T': case 't': case 'R': case 'r': case 'P': case 'p': return true;
    default: return false;
    }
}

} // namespace

LoadJob::~LoadJob()
{
    cancel();
    wait();
}

bool LoadJob::start()
{
    if (m_running)
        return false;
    wait(); // join a finished earlier run
    m_cancel = false;
    m_running = true;
    try {
        m_thread = std::thread([this] {
            run();
            m_running = false;
        });
    } catch (const std::system_error&) {
        m_running = false;
        return false;
    }
    return true;
}

void LoadJob::wait()
{
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

void LoadJob::run()
{
    startOver();
    if (mode != EditorFile && mode != AuxiliaryFile) {
        notifyFinished();
        return;
    }
    if (!reportProgress(0, 100, QCoreApplication::translate("LoadJob", "Loading file...")))
        return;
    // A target file is filled as the pieces come; records handed to a sink
    // could not be taken back if the read failed half-way.
    if (target && !recordSink && readInPieces())
        return;

    QByteArray text;
    if (!target || !readFile(fileName, text)) {
        // The caller learns of the failure through the finished notification
        // with status Unreadable, so a window can say so and hide its progress.
        failUnreadable();
        return;
    }
    runOnText(text);
}

void LoadJob::runOnText(const QByteArray& text)
{
    startOver();
    // Everything after a NUL byte is not part of the file's text.
    TextScan scan;
    scan.feed(text.constData(), text.size());
    m_terminator = int(scan.terminator());
    qsizetype consumed = 0;
    parseLines(QByteArrayView(text.constData(), qsizetype(scan.length)), 0, scan.length, true, consumed);
}

bool LoadJob::readFile(const QString& fileName, QByteArray& text)
{
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    // Read to the end, once: pipes, process substitutions and /proc files
    // have no size to go by, and a pipe cannot be opened a second time.
    const qint64 size = file.isSequential() ? 0 : file.size();
    text = file.readAll();
    if (file.error() != QFileDevice::NoError || text.isEmpty())
        return false;
    return text.size() >= size;
}

bool LoadJob::readInPieces()
{
    QFile file(fileName);
    // Pipes cannot be read twice, and /proc files tell no size and may read
    // differently the second time.
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly) || file.isSequential() || file.size() <= 0)
        return false;
    // First pass: the terminator of the whole text and where it ends, with
    // the same verdicts on a file that cannot be read whole as readFile.
    const qint64 size = file.size();
    const qint64 piece = qMax<qint64>(pieceSize, 1);
    std::vector<char> buffer(static_cast<std::size_t>(piece));
    TextScan scan;
    qint64 total = 0;
    qint64 n;
    while ((n = file.read(buffer.data(), piece)) > 0) {
        total += n;
        scan.feed(buffer.data(), qsizetype(n));
    }
    if (n < 0 || file.error() != QFileDevice::NoError || total == 0 || total < size || !file.seek(0)) {
        failUnreadable();
        return true;
    }

    // Second pass: whole lines parsed as each piece comes, the rest of a line
    // kept for the next piece.
    m_terminator = int(scan.terminator());
    const qint64 length = scan.length;
    qint64 remaining = length;
    qint64 base = 0;
    qsizetype held = 0;
    for (;;) {
        const qint64 want = qMin(piece, remaining);
        if (std::size_t(held + want) > buffer.size())
            buffer.resize(qMax(std::size_t(held + want), 2 * buffer.size()));
        n = want > 0 ? file.read(buffer.data() + held, want) : 0;
        if (n < 0 || (n == 0 && want > 0)) {
            // The file shrank or failed between the passes: nothing of it stays.
            target->clear();
            failUnreadable();
            return true;
        }
        held += qsizetype(n);
        remaining -= n;
        qsizetype consumed = 0;
        if (!parseLines(QByteArrayView(buffer.data(), held), base, length, remaining == 0, consumed)
            || remaining == 0)
            return true;
        std::memmove(buffer.data(), buffer.data() + consumed, std::size_t(held - consumed));
        held -= consumed;
        base += consumed;
    }
}

void LoadJob::startOver()
{
    m_status = Started;
    m_headerPresent = false;
    m_lineCodes.clear();
    m_recordCount = 0;
}

void LoadJob::failUnreadable()
{
    startOver();
    m_status = Unreadable;
    notifyFinished();
}

// The lines of buffer, which starts at byte base of a text of length bytes:
// every terminated line, and at the end the final piece. consumed tells how
// much of buffer was used; false when the job was cancelled.
bool LoadJob::parseLines(QByteArrayView buffer, qint64 base, qint64 length, bool atEnd, qsizetype& consumed)
{
    const QString parsing = QCoreApplication::translate("LoadJob", "Parsing file...");
    const Terminator terminator = Terminator(m_terminator);
    const qsizetype terminatorLength = terminator == Terminator::CrLf ? 2 : 1;

    qsizetype start = 0;
    qsizetype end;
    while ((end = findTerminator(buffer, start, terminator)) >= 0) {
        QByteArrayView line(buffer.data() + start, end - start);
        if (base + start == 0 && !startsLikeRecord(line)) {
            m_headerPresent = true;
            if (line.endsWith('\n'))
                line.chop(1);
            const int code = target->header().parseLine(line);
            if (code != 0)
                m_status = code;
        } else {
            readRecordLine(line);
        }
        start = end + terminatorLength;
        if (!reportProgress(base + start, length, parsing))
            return false;
    }
    consumed = start;
    if (!atEnd)
        return true;

    const QByteArrayView finalPiece(buffer.data() + start, buffer.size() - start);
    if (!finalPiece.isEmpty() && finalPiece != "\n")
        readRecordLine(finalPiece);
    reportProgress(length, length, parsing);
    notifyFinished();
    return true;
}

void LoadJob::readRecordLine(QByteArrayView line)
{
    auto record = std::make_unique<HCMRecord>(checkSettings);
    const int code = record->parseLine(line);
    if (recordSink) {
        recordSink(std::move(record), m_recordCount++, code);
        return;
    }
    target->append(std::move(record));
    if (code != 0)
        m_lineCodes.push_back(LineCode{target->recordCount() - 1, code});
}

// Sends a progress notification; false when the job is to stop.
bool LoadJob::reportProgress(qint64 value, qint64 maximum, const QString& message)
{
    if (progress)
        progress(value, maximum, message, m_cancel);
    return !m_cancel;
}

void LoadJob::notifyFinished()
{
    if (finished)
        finished(mode);
}
