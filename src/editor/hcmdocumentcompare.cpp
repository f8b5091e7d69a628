// The comparison of a document's file with an auxiliary file: loading it,
// pairing the records, and the four actions and three lists on the pairs.
#include "hcmdocument.h"

#include "hcm/hcmfile.h"
#include "recordtablemodel.h"

const HCMFile* HcmDocument::auxiliary() const
{
    return m_file->auxiliary();
}

int HcmDocument::auxiliaryCount() const
{
    return m_file->auxiliary() ? m_file->auxiliary()->recordCount() : 0;
}

// The header states the record count, as the editor keeps it after every
// change of the rows.
void HcmDocument::rowsChanged()
{
    m_file->header().setText(HCMHeader::NumberOfRecords, QByteArray::number(m_model->rowCount()));
    setModified(true);
}

bool HcmDocument::compareWith(const QString& path)
{
    if (isBusy())
        return false;
    m_auxPath = path;
    m_pairs.clear();
    m_differences.clear();
    HCMFile& aux = m_file->ensureAuxiliary();
    aux.clear();
    if (startLoadJob(LoadJob::AuxiliaryFile, path, &aux))
        return true;
    emit comparisonFailed(path);
    return false;
}

void HcmDocument::finishAuxiliaryLoad()
{
    const bool cancelled = m_cancel;
    const bool unreadable = m_job->status() == LoadJob::Unreadable;
    m_task = NoTask;
    m_cancel = false;
    emit taskEnded(LoadingAuxiliary);
    if (cancelled || unreadable) {
        m_file->auxiliary()->clear();
        // A cancelled read is no failure to report, only the end of it.
        emit comparisonFailed(unreadable && !cancelled ? m_auxPath : QString());
        return;
    }
    runMatching();
}

void HcmDocument::runMatching()
{
    // Pairs whose main record lost its row do not count.
    std::vector<bool> inTable(std::size_t(m_file->recordCount()), false);
    for (int n : m_model->numbers())
        inTable[std::size_t(n)] = true;
    runTask(
        Matching, 0,
        [this, inTable] {
            m_pairs = matchRecords(*m_file, *m_file->auxiliary());
            keepPairsInTable(m_pairs, inTable);
        },
        {});
}

bool HcmDocument::startCompareAction(CompareAction action)
{
    if (isBusy() || !m_file->auxiliary())
        return false;
    switch (action) {
    case DeleteMatched: runDelete(); break;
    case AppendUnmatched: runAppend(); break;
    case ReplaceMatched: runReplace(); break;
    case DetailedComparison: runDetails(); break;
    }
    return true;
}

void HcmDocument::runDelete()
{
    m_doneNumbers.clear();
    m_pairsDone = 0;
    runTask(
        DeletingMatched, int(m_pairs.size()),
        [this] {
            for (const ComparePair& pair : m_pairs) {
                if (!step(int(m_pairsDone)))
                    return;
                m_doneNumbers.push_back(pair.main);
                ++m_pairsDone;
            }
        },
        [this] {
            // The records stay in the file; without a row they are neither
            // shown nor written.
            m_model->removeNumbers(m_doneNumbers);
            m_pairs.erase(m_pairs.begin(), m_pairs.begin() + std::ptrdiff_t(m_pairsDone));
            if (!m_doneNumbers.empty())
                rowsChanged();
            m_doneNumbers.clear();
        });
}

void HcmDocument::runAppend()
{
    m_newRecords.clear();
    const std::vector<int> numbers = unmatchedAuxNumbers(auxiliaryCount(), m_pairs);
    runTask(
        AppendingUnmatched, int(numbers.size()),
        [this, numbers] {
            const HCMFile& aux = *m_file->auxiliary();
            m_newRecords.reserve(numbers.size());
            for (std::size_t i = 0; i < numbers.size(); ++i) {
                step(int(i));
                auto record = std::make_unique<HCMRecord>(&m_checkSettings);
                record->assignFrom(*aux.recordAt(numbers[i]));
                m_newRecords.push_back(std::move(record));
            }
        },
        [this] {
            // The file grows here, on the GUI thread, where the view reads it.
            std::vector<int> added;
            added.reserve(m_newRecords.size());
            for (auto& record : m_newRecords) {
                m_file->append(std::move(record));
                added.push_back(m_file->recordCount() - 1);
            }
            m_newRecords.clear();
            m_model->appendNumbers(added);
            if (!added.empty())
                rowsChanged();
        });
}

void HcmDocument::runReplace()
{
    m_pairsDone = 0;
    runTask(
        ReplacingMatched, int(m_pairs.size()),
        [this] {
            const HCMFile& aux = *m_file->auxiliary();
            for (const ComparePair& pair : m_pairs) {
                if (!step(int(m_pairsDone)))
                    return;
                m_file->recordAt(pair.main)->assignFrom(*aux.recordAt(pair.aux));
                ++m_pairsDone;
            }
        },
        [this] {
            if (m_pairsDone > 0) {
                setModified(true);
                m_model->refreshAll();
                emit recordsChanged();
            }
        });
}

void HcmDocument::runDetails()
{
    m_differences.clear();
    runTask(
        ComparingDetails, int(m_pairs.size()),
        [this] {
            m_differences = compareAllPairs(*m_file, *m_file->auxiliary(), m_pairs,
                                            [this](int i) { return step(i); });
        },
        {});
}

bool HcmDocument::startStationList(StationList list)
{
    if (isBusy() || !m_file->auxiliary())
        return false;
    m_list = list;
    const std::vector<int> numbers = stationListNumbers(list, auxiliaryCount(), m_pairs);
    runTask(
        ListingStations, int(numbers.size()),
        [this, numbers] {
            m_listText = stationListText(*m_file->auxiliary(), numbers,
                                         [this](int i) { return step(i); });
        },
        {});
    return true;
}
