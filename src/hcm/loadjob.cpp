#include "loadjob.h"

#include "hcmfile.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>
#include <memory>
#include <system_error>

namespace {

enum class Terminator { CrLf, Cr, Lf };

// One terminator for the whole file: CR LF wherever that pair occurs at all,
// else CR if there is one, else LF.
Terminator chooseTerminator(QByteArrayView text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    bool sawCr = false;
    while ((p = static_cast<const char*>(std::memchr(p, '\r', std::size_t(end - p))))) {
        sawCr = true;
        if (p + 1 < end && p[1] == '\n')
            return Terminator::CrLf;
        ++p;
    }
    return sawCr ? Terminator::Cr : Terminator::Lf;
}

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
    m_status = Started;
    m_headerPresent = false;
    m_lineCodes.clear();
    if (mode != EditorFile && mode != AuxiliaryFile) {
        notifyFinished();
        return;
    }
    if (!reportProgress(0, 100, QCoreApplication::translate("LoadJob", "Loading file...")))
        return;

    QByteArray text;
    if (!target || !readFile(fileName, text)) {
        // The caller learns of the failure through the finished notification
        // with status Unreadable, so a window can say so and hide its progress.
        m_status = Unreadable;
        notifyFinished();
        return;
    }
    runOnText(text);
}

void LoadJob::runOnText(const QByteArray& text)
{
    m_status = Started;
    m_headerPresent = false;
    m_lineCodes.clear();
    m_recordCount = 0;
    // Everything after a NUL byte is not part of the file's text.
    const qsizetype nul = text.indexOf('\0');
    parse(QByteArrayView(text.constData(), nul >= 0 ? nul : text.size()));
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

void LoadJob::parse(QByteArrayView text)
{
    const QString parsing = QCoreApplication::translate("LoadJob", "Parsing file...");
    const Terminator terminator = chooseTerminator(text);
    const qsizetype terminatorLength = terminator == Terminator::CrLf ? 2 : 1;
    const qsizetype length = text.size();

    qsizetype start = 0;
    qsizetype end;
    while ((end = findTerminator(text, start, terminator)) >= 0) {
        QByteArrayView line(text.constData() + start, end - start);
        if (start == 0 && !startsLikeRecord(line)) {
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
        if (!reportProgress(start, length, parsing))
            return;
    }

    const QByteArrayView finalPiece(text.constData() + start, length - start);
    if (!finalPiece.isEmpty() && finalPiece != "\n")
        readRecordLine(finalPiece);
    reportProgress(length, length, parsing);
    notifyFinished();
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
