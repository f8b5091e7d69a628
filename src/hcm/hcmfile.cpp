#include "hcmfile.h"

HCMFile::HCMFile(QObject* owner, const CheckSettings* settings)
    : m_owner(owner), m_settings(settings), m_header(settings)
{
}

HCMFile::~HCMFile()
{
    clear();
}

void HCMFile::append(std::unique_ptr<HCMRecord> record)
{
    record->setCheckSettings(m_settings);
    m_records.push_back(std::move(record));
    m_header.setActualRecordCount(recordCount());
}

HCMRecord* HCMFile::recordAt(int number) const
{
    if (number < 0 || number >= recordCount())
        return nullptr;
    return m_records[std::size_t(number)].get();
}

void HCMFile::removeRecords(const std::vector<int>& numbers)
{
    // One pass over the list, so removing many rows of a large file stays linear.
    std::vector<bool> doomed(m_records.size(), false);
    for (int n : numbers) {
        if (n >= 0 && n < recordCount())
            doomed[std::size_t(n)] = true;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (!doomed[i])
            m_records[kept++] = std::move(m_records[i]);
    }
    m_records.resize(kept);
    m_header.setActualRecordCount(recordCount());
}

void HCMFile::clear()
{
    m_records.clear();
    m_header.clear();
    // The actual count follows the list; the "number of records" text was
    // cleared with the other header texts.
    m_header.setActualRecordCount(0);
}

HCMFile& HCMFile::ensureAuxiliary()
{
    if (!m_auxiliary)
        m_auxiliary = std::make_unique<HCMFile>(m_owner, m_settings);
    return *m_auxiliary;
}
