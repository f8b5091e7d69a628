#ifndef LOADJOB_H
#define LOADJOB_H

#include "checksettings.h"

#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class HCMFile;
class HCMRecord;

// The code one record line gave when it was read (0 lines are not kept).
struct LineCode
{
    int recordNumber;
    int code;
};

// Reads one HCM file into an HCMFile on a worker thread.
//
// The caller fills in the parameters, calls start() and leaves the target
// alone until the finished notification. The notifications are called on the
// worker thread; a window passes them on to its own thread. The owner of a job
// must cancel() and wait() (or simply destroy the job, which does both) before
// it destroys the target, so a closing window never leaves a thread writing
// into freed memory.
class LoadJob
{
public:
    enum Mode { EditorFile = 1, AuxiliaryFile = 2 };
    enum Status { Started = 0, Unreadable = 1 }; // any other value: the header's parse code

    // value, maximum, message ("Loading file..." / "Parsing file...") and the
    // cancel flag, which a window may set from inside the notification.
    using Progress = std::function<void(qint64 value, qint64 maximum, const QString& message,
                                        std::atomic_bool& cancel)>;
    using Finished = std::function<void(int mode)>;
    // Takes each record as it is read, with its number and its parse code,
    // instead of the target: a caller that needs one record at a time keeps
    // memory to the size of the text, whatever the file holds.
    using RecordSink = std::function<void(std::unique_ptr<HCMRecord> record, int recordNumber, int code)>;

    LoadJob() = default;
    ~LoadJob();
    LoadJob(const LoadJob&) = delete;
    LoadJob& operator=(const LoadJob&) = delete;

    int mode = EditorFile;
    QString fileName;
    HCMFile* target = nullptr;
    const CheckSettings* checkSettings = nullptr;
    Progress progress;
    Finished finished;
    RecordSink recordSink; // optional; the target still takes the header
    // A regular file is read this many bytes at a time (a longer line is
    // gathered whole), so no copy of the whole file is held.
    qint64 pieceSize = qint64(4) << 20;

    // Starts the worker thread; false when it could not be started or a
    // previous run of this job is still going.
    bool start();
    // Reads on the calling thread (command-line tools, tests).
    void run();
    // Parses a text already read (with readFile) on the calling thread.
    void runOnText(const QByteArray& text);
    // The whole file or stream, read to its end once; false when nothing
    // could be read.
    static bool readFile(const QString& fileName, QByteArray& text);
    void cancel() { m_cancel = true; }
    void wait();
    bool isRunning() const { return m_running; }

    // Results, to be read once the job has ended.
    int status() const { return m_status; }
    bool headerPresent() const { return m_headerPresent; }
    const std::vector<LineCode>& lineCodes() const { return m_lineCodes; }

private:
    // Regular files: the text read and parsed a piece at a time, so no copy of
    // the whole file is held. False when the file is not one (a pipe, say).
    bool readInPieces();
    bool parseLines(QByteArrayView buffer, qint64 base, qint64 length, bool atEnd, qsizetype& consumed);
    void startOver();
    void failUnreadable();
    void readRecordLine(QByteArrayView line);
    bool reportProgress(qint64 value, qint64 maximum, const QString& message);
    void notifyFinished();

    std::thread m_thread;
    std::atomic_bool m_cancel{false};
    std::atomic_bool m_running{false};
    std::atomic_int m_status{Started};
    bool m_headerPresent = false;
    std::vector<LineCode> m_lineCodes;
    int m_recordCount = 0;
    int m_terminator = 0;
};

#endif
