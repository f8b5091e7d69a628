#ifndef CALC_H
#define CALC_H

#include "calcmode.h"

#include "hcmfs_api.h"

#include <QByteArray>
#include <QLibrary>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <atomic>

class calcThread;

// A station line picked for a detailed calculation: from the testing list
// (testing true) or the reference list, at a line index; a negative index
// leaves that position out.
struct LinePick
{
    bool testing = true;
    int index = -1;
};

// The calculation engine of one report window: holds the loaded HCM library,
// the station lists of the current run and the run's error code, and starts
// each run on a calcThread of its own.
//
// Error codes: 0 none, 1 testing file unreadable, 2 reference file
// unreadable, 3 requested link not found, 4 library not loaded, 5 report file
// not writable, 6 report file not created, 7 report file failed while rows
// were written, 8 the library failed a detailed calculation. Other library
// error codes never come here; they go into the result rows.
class CALC : public QObject
{
    Q_OBJECT

public:
    // Loads the library at libraryPath; error 4 when it cannot be loaded or
    // lacks an entry point.
    CALC(const QString& terrainPath, const QString& libraryPath, QObject* parent = nullptr);
    ~CALC() override;

    // Each start returns false, and changes nothing, while a run of this
    // engine is still going. An unreadable input file sets error 1 or 2 and
    // the run still takes place (and writes an empty report).
    bool startListCalculation(const QString& testingFile, const QString& referenceFile, const QString& reportFile,
                              double tdThreshold, double frequencyLimit, double distanceLimit,
                              double repeaterDistanceLimit);
    bool startSingleCalculation(const QString& file, const QString& reportFile);
    // Picks in the order Tx, PRx, PTx, Rx, from the lists of the last list or
    // single-entry run (or of loadStationLists); an index past the end of its
    // list sets error 3.
    bool startDetailedCalculation(const std::array<LinePick, 4>& picks, const QString& detailedFile);
    bool startTriggerCalculation(const QString& file, const QString& reportFile);

    // Reads the two lists a detailed calculation picks from, without running
    // anything; returns the error code (0, 1 or 2).
    int loadStationLists(const QString& testingFile, const QString& referenceFile);

    int errorCode() const { return m_error.load(); }
    // The message of the error code, followed by what the report file or the
    // library said about it.
    QString errorText() const;
    static QString errorMessage(int code);

    // Library calls that a list-to-list run may make at once; 0 means one per
    // core. A library that does not declare itself safe for concurrent calls
    // is always called from one thread.
    void setThreads(int threads) { m_threads = threads; }
    int threadsUsed() const;
    // The next list-to-list run computes only the part-th of parts slices of
    // the whole run (from 0) and marks its report as that part; parts 0 runs
    // the whole.
    void setPart(int part, int parts)
    {
        m_part = part;
        m_parts = parts;
    }

    int calcMode() const { return m_calcMode; }
    bool isRunning() const { return m_running; }
    QString libraryVersion() const { return m_libraryVersion; }
    QString libraryPath() const { return m_libraryPath; }
    // Counters of the last finished run.
    CalcStatistics lastStatistics() const { return m_statistics; }

public slots:
    void cancelCalculations();
    void changeProgress(int value, int max);
    void calcStarted();
    void calcFinished();
    void finishedDetCalc();

signals:
    void calcProgressChanged(int value, int max);
    void started();
    void finished(int calcMode);
    void finishedDC();

private:
    void loadLibrary();
    bool beginStart(int mode);
    void readList(const QString& fileName, QList<QByteArray>* list, int errorCode);
    void startThread(const QString& reportFile, double threshold, const QByteArray& detailedFile,
                     double frequencyLimit = 0.0, double distanceLimit = 0.0, double repeaterDistanceLimit = 0.0);
    void endRun();

    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_error{0};
    QLibrary m_library;
    int m_calcMode = ListToListMode;
    int m_runMode = ListToListMode;
    HCMFS_V2_Fn m_hcmfsV2 = nullptr;
    HCMFS_ANNEX11_1_Fn m_hcmfsAnnex11 = nullptr;
    HCMFS_CONCURRENCY_Fn m_hcmfsConcurrency = nullptr;
    int m_threads = 1;
    int m_part = 0;
    int m_parts = 0; // 0: the run is not split
    QString m_terrainPath;
    QString m_libraryVersion;
    QString m_libraryPath;
    QList<QByteArray> m_testing;
    QList<QByteArray> m_reference;
    QList<QByteArray> m_detailed;
    QString m_testingFile;
    QString m_referenceFile;
    QPointer<calcThread> m_thread;
    bool m_running = false;
    CalcStatistics m_statistics;
    QString m_errorDetail;
};

#endif
