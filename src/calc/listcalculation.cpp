#include "listcalculation.h"

#include <algorithm>
#include <cmath>

ListCalculation::ListCalculation(const QList<StationLine>& testing, const QList<StationLine>& reference,
                                 const Limits& limits, Cases& cases)
    : m_testing(testing), m_reference(reference), m_limits(limits), m_cases(cases)
{
    for (const StationLine& s : reference) {
        if (s.type == StationLine::Tx)
            m_referenceTx.push_back(s.index);
        else if (s.type == StationLine::Rx)
            m_referenceRx.push_back(s.index);
    }
    for (const StationLine& s : testing) {
        if (s.type == StationLine::Tx)
            m_testingTx.push_back(s.index);
        else if (s.type == StationLine::Rx)
            m_testingRx.push_back(s.index);
    }
    for (int j = 0; j < reference.size(); ++j) {
        switch (reference.at(j).type) {
        case StationLine::Tx:
            m_referenceEvents.push_back({Event::Transmitter, j});
            break;
        case StationLine::Rx:
            m_referenceEvents.push_back({Event::Receiver, j});
            break;
        case StationLine::PRx:
            m_referenceEvents.push_back({repeaterAt(reference, j) ? Event::Repeater : Event::BrokenRepeater, j});
            break;
        default:
            break;
        }
    }
    m_total = std::max(1.0, totalWork());
}

bool ListCalculation::repeaterAt(const QList<StationLine>& list, int i) const
{
    return list.at(i).type == StationLine::PRx && i + 1 < list.size() && list.at(i + 1).type == StationLine::PTx;
}

// Units of work as the passes count them: one per line of each pass and one
// per combination or error row, so that progress moves evenly however the
// stations are spread over the two files.
double ListCalculation::totalWork() const
{
    const double n1 = m_testing.size();
    const double txR = double(m_referenceTx.size());
    const double rxR = double(m_referenceRx.size());
    const double txT = double(m_testingTx.size());
    const double rxT = double(m_testingRx.size());
    double repeatersT = 0;
    for (int i = 0; i < m_testing.size(); ++i) {
        if (repeaterAt(m_testing, i))
            ++repeatersT;
    }
    double perTransmitter = 0;
    double perReceiver = 0;
    for (const ReferenceEvent& e : m_referenceEvents) {
        switch (e.event) {
        case Event::Receiver:
            perTransmitter += 1;
            break;
        case Event::Transmitter:
            perReceiver += 1;
            break;
        case Event::Repeater:
            perTransmitter += rxR;
            perReceiver += txR;
            break;
        case Event::BrokenRepeater:
            perTransmitter += 1;
            perReceiver += 1;
            break;
        }
    }
    return 3 * n1 + repeatersT * (txR * (rxR + rxT) + txT * rxR) + txT * perTransmitter + rxT * perReceiver;
}

void ListCalculation::advance(double units)
{
    m_done += units;
    m_cases.progress(m_done, m_total);
}

bool ListCalculation::nextStep(double units)
{
    if (m_stopped || m_cases.cancelled()) {
        m_stopped = true;
        return false;
    }
    advance(units);
    return true;
}

bool ListCalculation::run()
{
    m_stopped = false;
    return repeaterPass() && transmitterPass() && receiverPass();
}

bool ListCalculation::passes(const StationLine& tx, const StationLine* ptx, const StationLine& rx) const
{
    if (!(std::fabs(tx.frequency - rx.frequency) < m_limits.frequency))
        return false;
    // Missing data never excludes a pair: the library reports it instead.
    if (ptx && !ptx->incomplete() && !(stationDistance(*ptx, rx) < m_limits.repeaterDistance))
        return false;
    if (!tx.incomplete() && !rx.incomplete() && !(stationDistance(tx, rx) < m_limits.distance))
        return false;
    return true;
}

void ListCalculation::combine(const StationLine& tx, const StationLine* prx, const StationLine* ptx,
                              const StationLine& rx)
{
    ++m_pairsTested;
    advance(1);
    if (!passes(tx, ptx, rx))
        return;
    if (m_cases.cancelled()) {
        m_stopped = true;
        return;
    }
    m_cases.calculate(tx, prx, ptx, rx);
}

void setTransmitterColumns(ResultRow& row, const StationLine& tx)
{
    row.txIndex = tx.index;
    row.txTesting = tx.testing;
    row.txName = tx.name;
    row.txCountry = tx.country;
    row.txReference = tx.reference;
}

void setReceiverColumns(ResultRow& row, const StationLine& rx)
{
    row.rxIndex = rx.index;
    row.rxTesting = rx.testing;
    row.rxName = rx.name;
    row.rxCountry = rx.country;
    row.rxReference = rx.reference;
}

ResultRow ListCalculation::brokenRepeaterRow(const StationLine& side, bool missingPtx) const
{
    ResultRow row;
    row.txTesting = row.repeaterTesting = row.rxTesting = side.testing;
    row.txName = QLatin1String(errorText());
    row.repeaterCountry = side.country;
    if (missingPtx) {
        row.prxIndex = side.index;
        row.prxName = side.name;
        row.prxReference = side.reference;
        row.ptxName = QLatin1String(missingPtxText());
    } else {
        row.ptxIndex = side.index;
        row.ptxName = side.name;
        row.ptxReference = side.reference;
        row.prxName = QLatin1String(missingPrxText());
    }
    return row;
}

bool ListCalculation::repeaterPass()
{
    for (int i = 0; i < m_testing.size(); ++i) {
        if (!nextStep())
            return false;
        const StationLine& s = m_testing.at(i);
        if (repeaterAt(m_testing, i)) {
            repeaterCase(s, m_testing.at(i + 1));
            if (m_stopped)
                return false;
            ++i;
            advance(1);
        } else if (s.type == StationLine::PRx) {
            m_cases.writeRow(brokenRepeaterRow(s, true));
        } else if (s.type == StationLine::PTx) {
            m_cases.writeRow(brokenRepeaterRow(s, false));
        }
    }
    return true;
}

// Every transmitter of either file towards every receiver through the
// repeater pair of the testing file. Positions run over the longer of the two
// files so that no transmitter of the testing file is left out.
void ListCalculation::repeaterCase(const StationLine& prx, const StationLine& ptx)
{
    const int positions = int(std::max(m_testing.size(), m_reference.size()));
    for (int j = 0; j < positions; ++j) {
        if (j < m_reference.size() && m_reference.at(j).type == StationLine::Tx) {
            const StationLine& tx = m_reference.at(j);
            for (int r : m_referenceRx) {
                combine(tx, &prx, &ptx, m_reference.at(r));
                if (m_stopped)
                    return;
            }
            for (int r : m_testingRx) {
                combine(tx, &prx, &ptx, m_testing.at(r));
                if (m_stopped)
                    return;
            }
        }
        if (j < m_testing.size() && m_testing.at(j).type == StationLine::Tx) {
            const StationLine& tx = m_testing.at(j);
            for (int r : m_referenceRx) {
                combine(tx, &prx, &ptx, m_reference.at(r));
                if (m_stopped)
                    return;
            }
        }
    }
}

bool ListCalculation::transmitterPass()
{
    for (const StationLine& tx : m_testing) {
        if (!nextStep())
            return false;
        if (tx.type != StationLine::Tx)
            continue;
        for (const ReferenceEvent& e : m_referenceEvents) {
            const StationLine& s = m_reference.at(e.index);
            if (e.event == Event::Receiver) {
                combine(tx, nullptr, nullptr, s);
            } else if (e.event == Event::Repeater) {
                const StationLine& ptx = m_reference.at(e.index + 1);
                for (int r : m_referenceRx) {
                    combine(tx, &s, &ptx, m_reference.at(r));
                    if (m_stopped)
                        return false;
                }
            } else if (e.event == Event::BrokenRepeater) {
                ResultRow row = brokenRepeaterRow(s, true);
                setTransmitterColumns(row, tx);
                advance(1);
                m_cases.writeRow(row);
            }
            if (m_stopped)
                return false;
        }
    }
    return true;
}

bool ListCalculation::receiverPass()
{
    for (const StationLine& rx : m_testing) {
        if (!nextStep())
            return false;
        if (rx.type != StationLine::Rx)
            continue;
        for (const ReferenceEvent& e : m_referenceEvents) {
            const StationLine& s = m_reference.at(e.index);
            if (e.event == Event::Transmitter) {
                combine(s, nullptr, nullptr, rx);
            } else if (e.event == Event::Repeater) {
                const StationLine& ptx = m_reference.at(e.index + 1);
                for (int t : m_referenceTx) {
                    combine(m_reference.at(t), &s, &ptx, rx);
                    if (m_stopped)
                        return false;
                }
            } else if (e.event == Event::BrokenRepeater) {
                ResultRow row = brokenRepeaterRow(s, true);
                setReceiverColumns(row, rx);
                advance(1);
                m_cases.writeRow(row);
            }
            if (m_stopped)
                return false;
        }
    }
    return true;
}
