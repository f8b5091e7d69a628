#ifndef CALCTHREAD_H
#define CALCTHREAD_H

#include "calcmode.h"
#include "listcalculation.h"

#include "hcmfs_api.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QThread>

#include <atomic>
#include <vector>

class dataReport;

// One calculation run on a worker thread: reads the prepared station lines,
// calls the HCM library for each case and writes the outcome into the report
// file (or, for a detailed run, lets the library write its text report).
//
// The thread shares with its owner only the cancel flag and the error code;
// progress goes out through calcProgressChanged, meant for a queued
// connection.
class calcThread : public QThread, private ListCalculation::Cases
{
    Q_OBJECT

public:
    struct Setup
    {
        int calcMode = ListToListMode;
        HCMFS_V2_Fn hcmfsV2 = nullptr;
        HCMFS_ANNEX11_1_Fn hcmfsAnnex11 = nullptr;
        QByteArray terrainPath;
        QString testingFile;
        QString referenceFile;
        QString reportFile;
        QByteArray detailedFile;
        double threshold = 0.0;
        QString libraryVersion;
        // Filled by the owner before the start and left alone until the end.
        const QList<QByteArray>* testing = nullptr;
        const QList<QByteArray>* reference = nullptr;
        const QList<QByteArray>* detailed = nullptr;
        std::atomic<int>* error = nullptr;
        std::atomic<bool>* cancel = nullptr;
        ListCalculation::Limits limits;
        // List-to-list only: library calls made at once, and the slice of
        // the whole run that this run computes (part from 0 of parts).
        int threads = 1;
        int part = 0;
        int parts = 0; // 0: not split
    };

    explicit calcThread(const Setup& setup, QObject* parent = nullptr);

    // Valid once the thread has finished.
    CalcStatistics statistics() const { return m_statistics; }
    // What went wrong beyond the error code (the report file's or the
    // library's message); valid once the thread has finished.
    QString errorDetail() const { return m_errorDetail; }

signals:
    void calcProgressChanged(int value, int max);

protected:
    void run() override;

private:
    struct Outcome
    {
        double overlappingArea = 0.0;
        float nfd = 0.0f;
        float md = 0.0f;
        float interferenceLevel = 0.0f;
        float aTotal = 0.0f;
        float td = 0.0f;
        int error = 0;
    };

    // A case, or a row that needs no library call, waiting for its turn in
    // the report while the cases before it are calculated.
    struct Pending
    {
        const StationLine* tx = nullptr; // null for a ready row
        const StationLine* prx = nullptr;
        const StationLine* ptx = nullptr;
        const StationLine* rx = nullptr;
        ResultRow row;
        Outcome out;
        bool done = false;
    };

    void runListToList();
    void runSingleEntry();
    void runDetailed();
    void runTrigger();

    Outcome callLibrary(const QByteArray& s1, const QByteArray& s2, const QByteArray& s3, const QByteArray& s4,
                        const QByteArray& detailedFile);
    // The bare call: safe on any thread when the library allows it.
    Outcome libraryCall(const QByteArray& s1, const QByteArray& s2, const QByteArray& s3, const QByteArray& s4,
                        const QByteArray& detailedFile) const;
    Outcome calculateCase(const StationLine& tx, const StationLine* prx, const StationLine* ptx,
                          const StationLine& rx) const;
    void calculateAndStore(const StationLine& tx, const StationLine* prx, const StationLine* ptx,
                           const StationLine& rx, bool alwaysStore);
    void storeOutcome(const StationLine& tx, const StationLine* prx, const StationLine* ptx, const StationLine& rx,
                      const Outcome& out, bool alwaysStore);
    void storeRow(const ResultRow& row);
    bool takeEntry();
    void selectSlice(const QList<StationLine>& testing, const QList<StationLine>& reference);
    void queue(Pending&& entry);
    void flushPending();
    void setError(int code, const QString& detail = QString());
    void checkReport(bool ok);
    void countRow(int error);
    void summariseErrors();

    // ListCalculation::Cases
    bool cancelled() const override;
    void calculate(const StationLine& tx, const StationLine* prx, const StationLine* ptx,
                   const StationLine& rx) override;
    void writeRow(const ResultRow& row) override;
    void progress(double done, double total) override;

    Setup m_setup;
    dataReport* m_report = nullptr;
    // Entries of the walk (cases and ready rows) in walk order, and the ones
    // this run keeps.
    long long m_entry = 0;
    long long m_sliceBegin = 0;
    long long m_sliceEnd = -1; // -1: no end
    std::vector<Pending> m_pending;
    double m_reportedProgress = 0.0;
    CalcStatistics m_statistics;
    QString m_errorDetail;
    bool m_writeFailed = false;
    QHash<int, qint64> m_errorCounts;
};

// 1 when the first line is a file header (it does not start like a station
// line), else 0.
int firstStationLine(const QList<QByteArray>& lines);
// The first four lines from `from` on that are not empty, in order; missing
// ones are empty.
QList<QByteArray> firstFourLines(const QList<QByteArray>& lines, QList<int>* positions = nullptr, int from = 0);

#endif
