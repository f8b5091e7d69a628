#include "calcthread.h"

#include "datareport.h"
#include "libraryerrors.h"
#include "reportmerge.h"

#include <thread>

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

const int kCountriesCapacity = 200;

int intLength(const QByteArray& text)
{
    return int(qMin<qsizetype>(text.size(), std::numeric_limits<int>::max()));
}

} // namespace

int firstStationLine(const QList<QByteArray>& lines)
{
    if (lines.isEmpty())
        return 0;
    const char c = lines.at(0).isEmpty() ? '\0' : char(std::toupper(static_cast<unsigned char>(lines.at(0).at(0))));
    return c == 'T' || c == 'R' || c == 'P' ? 0 : 1;
}

QList<QByteArray> firstFourLines(const QList<QByteArray>& lines, QList<int>* positions, int from)
{
    QList<QByteArray> picked;
    for (int i = from; i < lines.size() && picked.size() < 4; ++i) {
        if (lines.at(i).isEmpty())
            continue;
        picked.append(lines.at(i));
        if (positions)
            positions->append(i);
    }
    while (picked.size() < 4) {
        picked.append(QByteArray());
        if (positions)
            positions->append(-1);
    }
    return picked;
}

calcThread::calcThread(const Setup& setup, QObject* parent) : QThread(parent), m_setup(setup)
{
}

void calcThread::setError(int code, const QString& detail)
{
    m_errorDetail = detail;
    if (m_setup.error)
        *m_setup.error = code;
}

bool calcThread::cancelled() const
{
    return m_writeFailed || (m_setup.cancel && m_setup.cancel->load(std::memory_order_relaxed));
}

// Stops the run at the first row the report file did not take: going on
// would claim rows that are not stored.
void calcThread::checkReport(bool ok)
{
    if (ok || m_writeFailed || !m_report)
        return;
    m_writeFailed = true;
    setError(7, m_report->lastError());
}

void calcThread::countRow(int error)
{
    if (error != 0)
        ++m_errorCounts[error];
}

void calcThread::run()
{
    m_statistics = CalcStatistics();
    m_reportedProgress = 0.0;
    m_writeFailed = false;
    m_errorCounts.clear();
    const int mode = m_setup.calcMode;
    if (!m_setup.hcmfsV2 || (mode == TriggerMode && !m_setup.hcmfsAnnex11)) {
        setError(4);
        return;
    }
    if (mode == DetailedMode) {
        runDetailed();
        return;
    }

    dataReport report(m_setup.reportFile);
    const bool created = mode == TriggerMode ? report.createTriggerSchema() : report.createResultsSchema();
    if (!created) {
        // A run whose outcome cannot be stored is not started in any mode:
        // the user would otherwise wait for results that go nowhere.
        setError(6, report.lastError());
        return;
    }
    m_report = &report;
    checkReport(report.storeVersion(m_setup.libraryVersion));
    switch (mode) {
    case ListToListMode:
        runListToList();
        emit calcProgressChanged(100, 100);
        break;
    case SingleEntryMode:
        runSingleEntry();
        break;
    case TriggerMode:
        runTrigger();
        break;
    default:
        break;
    }
    checkReport(report.close());
    m_report = nullptr;
    // The count is what the file holds, not what was handed to it.
    m_statistics.rowsWritten = report.storedRows();
    summariseErrors();
}

void calcThread::summariseErrors()
{
    qint64 most = 0;
    for (auto it = m_errorCounts.cbegin(); it != m_errorCounts.cend(); ++it) {
        m_statistics.errorRows += it.value();
        if (it.value() > most) {
            most = it.value();
            m_statistics.commonError = it.key();
        }
    }
}

calcThread::Outcome calcThread::libraryCall(const QByteArray& s1, const QByteArray& s2, const QByteArray& s3,
                                            const QByteArray& s4, const QByteArray& detailedFile) const
{
    Outcome out;
    // QByteArray::constData() of an empty array is an empty text, never null.
    m_setup.hcmfsV2(&out.overlappingArea, &out.nfd, &out.md, &out.interferenceLevel, &out.aTotal, &out.td,
                    &out.error, s1.constData(), intLength(s1), s2.constData(), intLength(s2), s3.constData(),
                    intLength(s3), s4.constData(), intLength(s4), detailedFile.constData(), intLength(detailedFile),
                    m_setup.terrainPath.constData(), intLength(m_setup.terrainPath));
    return out;
}

calcThread::Outcome calcThread::callLibrary(const QByteArray& s1, const QByteArray& s2, const QByteArray& s3,
                                            const QByteArray& s4, const QByteArray& detailedFile)
{
    if (m_report)
        checkReport(m_report->commitIfDue());
    ++m_statistics.libraryCalls;
    return libraryCall(s1, s2, s3, s4, detailedFile);
}

calcThread::Outcome calcThread::calculateCase(const StationLine& tx, const StationLine* prx,
                                              const StationLine* ptx, const StationLine& rx) const
{
    static const QByteArray none;
    return prx && ptx ? libraryCall(tx.line, prx->line, ptx->line, rx.line, none)
                      : libraryCall(tx.line, rx.line, none, none, none);
}

void calcThread::calculateAndStore(const StationLine& tx, const StationLine* prx, const StationLine* ptx,
                                   const StationLine& rx, bool alwaysStore)
{
    if (m_report)
        checkReport(m_report->commitIfDue());
    ++m_statistics.libraryCalls;
    storeOutcome(tx, prx, ptx, rx, calculateCase(tx, prx, ptx, rx), alwaysStore);
}

void calcThread::storeOutcome(const StationLine& tx, const StationLine* prx, const StationLine* ptx,
                              const StationLine& rx, const Outcome& out, bool alwaysStore)
{
    if (!alwaysStore && out.error == 0 && !(double(out.td) >= m_setup.threshold))
        return;
    ResultRow row;
    setTransmitterColumns(row, tx);
    setReceiverColumns(row, rx);
    row.repeaterTesting = tx.testing;
    if (prx && ptx) {
        row.prxIndex = prx->index;
        row.ptxIndex = ptx->index;
        row.repeaterTesting = prx->testing;
        row.prxName = prx->name;
        row.ptxName = ptx->name;
        row.repeaterCountry = prx->country;
        row.prxReference = prx->reference;
        row.ptxReference = ptx->reference;
    }
    row.td = out.td;
    row.error = out.error;
    row.interferenceLevel = out.interferenceLevel;
    row.overlappingArea = out.overlappingArea;
    row.nfd = out.nfd;
    row.md = out.md;
    row.aTotal = out.aTotal;
    storeRow(row);
}

// Entries are numbered in walk order; a part of a run keeps only those of
// its slice, so that the parts' rows put one after the other are the rows of
// the whole run.
bool calcThread::takeEntry()
{
    const long long entry = m_entry++;
    return entry >= m_sliceBegin && (m_sliceEnd < 0 || entry < m_sliceEnd);
}

void calcThread::calculate(const StationLine& tx, const StationLine* prx, const StationLine* ptx,
                           const StationLine& rx)
{
    if (!takeEntry())
        return;
    if (m_setup.threads <= 1) {
        calculateAndStore(tx, prx, ptx, rx, false);
        return;
    }
    Pending entry;
    entry.tx = &tx;
    entry.prx = prx;
    entry.ptx = ptx;
    entry.rx = &rx;
    queue(std::move(entry));
}

void calcThread::writeRow(const ResultRow& row)
{
    if (!takeEntry())
        return;
    if (m_pending.empty()) {
        storeRow(row);
        return;
    }
    Pending entry;
    entry.row = row;
    entry.done = true;
    queue(std::move(entry));
}

void calcThread::storeRow(const ResultRow& row)
{
    if (!m_report || m_writeFailed)
        return;
    checkReport(m_report->insertResult(row));
    if (!m_writeFailed)
        countRow(row.error);
}

void calcThread::queue(Pending&& entry)
{
    m_pending.push_back(std::move(entry));
    // Large enough that every thread has work for a while, small enough that
    // rows reach the file and cancel is heard soon.
    if (m_pending.size() >= std::size_t(64 * m_setup.threads))
        flushPending();
}

// Calculates the waiting cases on all threads, then writes every entry in
// walk order. After a cancel the entries up to the first case left
// uncalculated are written, so the report keeps a prefix of the run.
void calcThread::flushPending()
{
    std::atomic<std::size_t> next{0};
    auto work = [this, &next] {
        for (std::size_t i = next++; i < m_pending.size(); i = next++) {
            Pending& p = m_pending[i];
            if (p.done)
                continue;
            if (cancelled())
                return;
            p.out = calculateCase(*p.tx, p.prx, p.ptx, *p.rx);
            p.done = true;
        }
    };
    // Plain threads per batch: starting them costs far less than one
    // library call, and joining them is a synchronisation every tool sees.
    std::vector<std::thread> helpers;
    for (int t = 1; t < m_setup.threads; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();

    for (const Pending& p : m_pending) {
        if (!p.done)
            break;
        if (m_report)
            checkReport(m_report->commitIfDue());
        if (!p.tx) {
            storeRow(p.row);
            continue;
        }
        ++m_statistics.libraryCalls;
        storeOutcome(*p.tx, p.prx, p.ptx, *p.rx, p.out, false);
    }
    m_pending.clear();
}

void calcThread::progress(double done, double total)
{
    const double percentage = done * 100.0 / total;
    if (percentage - m_reportedProgress > 1.0) {
        m_reportedProgress = percentage;
        emit calcProgressChanged(int(percentage), 100);
    }
}

// Counts the entries of a walk without calculating anything.
namespace {
class EntryCounter : public ListCalculation::Cases
{
public:
    explicit EntryCounter(const std::atomic<bool>* cancel) : m_cancel(cancel) {}
    bool cancelled() const override { return m_cancel && m_cancel->load(std::memory_order_relaxed); }
    void calculate(const StationLine&, const StationLine*, const StationLine*, const StationLine&) override
    {
        ++entries;
    }
    void writeRow(const ResultRow&) override { ++entries; }
    void progress(double, double) override {}
    long long entries = 0;

private:
    const std::atomic<bool>* m_cancel;
};
} // namespace

void calcThread::selectSlice(const QList<StationLine>& testing, const QList<StationLine>& reference)
{
    m_entry = 0;
    m_sliceBegin = 0;
    m_sliceEnd = -1;
    if (m_setup.parts < 1)
        return;
    EntryCounter counter(m_setup.cancel);
    ListCalculation(testing, reference, m_setup.limits, counter).run();
    const long long total = counter.entries;
    m_sliceBegin = total * m_setup.part / m_setup.parts;
    m_sliceEnd = total * (m_setup.part + 1) / m_setup.parts;
    if (m_report) {
        const QString run = runIdentity(*m_setup.testing, *m_setup.reference, m_setup.limits, m_setup.threshold,
                                        m_setup.libraryVersion, m_setup.parts);
        checkReport(m_report->storePart(run, m_setup.part, m_setup.parts));
    }
}

void calcThread::runListToList()
{
    const QList<StationLine> testing = parseStationLines(*m_setup.testing, true);
    const QList<StationLine> reference = parseStationLines(*m_setup.reference, false);
    selectSlice(testing, reference);
    ListCalculation walk(testing, reference, m_setup.limits, *this);
    walk.run();
    if (!m_pending.empty())
        flushPending();
    m_statistics.pairsTested = walk.pairsTested();
}

void calcThread::runSingleEntry()
{
    QList<int> positions;
    const QList<QByteArray> lines = firstFourLines(*m_setup.testing, &positions, firstStationLine(*m_setup.testing));
    if (cancelled())
        return;
    QList<StationLine> stations;
    for (int i = 0; i < 4; ++i)
        stations.append(parseStationLine(lines.at(i), positions.at(i), true));
    // Every single-entry case gets its row, whatever the library answers.
    if (lines.at(2).isEmpty())
        calculateAndStore(stations.at(0), nullptr, nullptr, stations.at(1), true);
    else
        calculateAndStore(stations.at(0), &stations.at(1), &stations.at(2), stations.at(3), true);
}

void calcThread::runDetailed()
{
    const QList<QByteArray> lines = firstFourLines(*m_setup.detailed);
    if (cancelled())
        return;
    static const QByteArray none;
    const Outcome out = lines.at(2).isEmpty()
                            ? callLibrary(lines.at(0), lines.at(1), none, none, m_setup.detailedFile)
                            : callLibrary(lines.at(0), lines.at(1), lines.at(2), lines.at(3), m_setup.detailedFile);
    // Without a report the library's answer is all the user gets (unless a
    // pick was already missing, which says more).
    if (out.error != 0 && !(m_setup.error && *m_setup.error != 0))
        setError(8, libraryErrorText(out.error));
}

void calcThread::runTrigger()
{
    const QList<QByteArray>& lines = *m_setup.testing;
    const int n = int(lines.size());
    int reported = -1;
    for (int i = firstStationLine(lines); i < n; ++i) {
        if (cancelled())
            return;
        const QByteArray& line = lines.at(i);
        // Blank lines (the end of the last line, most often) hold no station.
        if (!line.isEmpty()) {
            char countries[kCountriesCapacity + 1];
            std::fill(countries, countries + kCountriesCapacity, ' ');
            countries[kCountriesCapacity] = '\0';
            int error = 0;
            ++m_statistics.libraryCalls;
            m_setup.hcmfsAnnex11(&error, line.constData(), intLength(line), countries, kCountriesCapacity,
                                 m_setup.terrainPath.constData(), intLength(m_setup.terrainPath));
            const char* end = std::find_if(countries, countries + kCountriesCapacity,
                                           [](char c) { return c == ' ' || c == '\0'; });
            checkReport(m_report->insertTrigger(QString::fromLatin1(stationField(line, 8)),
                                                QString::fromLatin1(stationField(line, 43)),
                                                QString::fromLatin1(countries, end - countries), error));
            if (!m_writeFailed)
                countRow(error);
        }
        const int percent = int((qint64(i) + 1) * 100 / n);
        if (percent != reported) {
            reported = percent;
            emit calcProgressChanged(percent, 100);
        }
    }
}
