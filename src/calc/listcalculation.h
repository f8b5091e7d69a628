#ifndef LISTCALCULATION_H
#define LISTCALCULATION_H

#include "resultrow.h"
#include "stationline.h"

#include <QList>

#include <vector>

// The transmitter's or receiver's own columns of a result row.
void setTransmitterColumns(ResultRow& row, const StationLine& tx);
void setReceiverColumns(ResultRow& row, const StationLine& rx);

// The list-to-list walk: which station combinations of a testing list and a
// reference list are calculated, in which order, and which pairs the
// frequency and distance limits leave out.
//
// Three passes go over the testing list: its passive repeaters (each PRX line
// directly followed by its PTX line), its transmitters and its receivers.
// Each combination that passes the pair test goes to Cases::calculate; lines
// that break a repeater pair produce an error row instead.
class ListCalculation
{
public:
    struct Limits
    {
        double frequency = 300.0;       // MHz, Tx against Rx
        double distance = 1000.0;       // km, Tx to Rx
        double repeaterDistance = 2.0;  // km, PTx to Rx
    };

    // Where the walk hands its work. prx and ptx are null for a case
    // without a passive repeater.
    class Cases
    {
    public:
        virtual ~Cases() = default;
        virtual bool cancelled() const = 0;
        virtual void calculate(const StationLine& tx, const StationLine* prx, const StationLine* ptx,
                               const StationLine& rx) = 0;
        virtual void writeRow(const ResultRow& row) = 0;
        // done of total units of work.
        virtual void progress(double done, double total) = 0;
    };

    ListCalculation(const QList<StationLine>& testing, const QList<StationLine>& reference, const Limits& limits,
                    Cases& cases);

    // False when the run was cancelled.
    bool run();

    long long pairsTested() const { return m_pairsTested; }

    // The texts of an error row for a repeater side whose partner is missing.
    static const char* missingPtxText() { return "PTX is missing!"; }
    static const char* missingPrxText() { return "PRx is missing!"; }
    static const char* errorText() { return "Error!"; }

private:
    enum class Event { Receiver, Transmitter, Repeater, BrokenRepeater };
    struct ReferenceEvent
    {
        Event event;
        int index;
    };

    bool repeaterPass();
    bool transmitterPass();
    bool receiverPass();
    void repeaterCase(const StationLine& prx, const StationLine& ptx);
    void combine(const StationLine& tx, const StationLine* prx, const StationLine* ptx, const StationLine& rx);
    bool passes(const StationLine& tx, const StationLine* ptx, const StationLine& rx) const;
    bool nextStep(double units = 1.0);
    void advance(double units);
    double totalWork() const;
    bool repeaterAt(const QList<StationLine>& list, int i) const;
    ResultRow brokenRepeaterRow(const StationLine& side, bool missingPtx) const;

    const QList<StationLine>& m_testing;
    const QList<StationLine>& m_reference;
    Limits m_limits;
    Cases& m_cases;

    std::vector<int> m_referenceTx;
    std::vector<int> m_referenceRx;
    std::vector<int> m_testingTx;
    std::vector<int> m_testingRx;
    std::vector<ReferenceEvent> m_referenceEvents;

    double m_done = 0.0;
    double m_total = 1.0;
    long long m_pairsTested = 0;
    bool m_stopped = false;
};

#endif
