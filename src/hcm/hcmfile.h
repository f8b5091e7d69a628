#ifndef HCMFILE_H
#define HCMFILE_H

#include "checksettings.h"
#include "hcmheader.h"
#include "hcmrecord.h"

#include <memory>
#include <vector>

class QObject;

// One HCM file in memory: its header and its records in file order. A record's
// number is its position in the list. The file owns everything below it; a
// comparison may hang a second, auxiliary file on it.
class HCMFile
{
public:
    HCMFile(QObject* owner, const CheckSettings* settings);
    ~HCMFile();
    HCMFile(const HCMFile&) = delete;
    HCMFile& operator=(const HCMFile&) = delete;

    HCMHeader& header() { return m_header; }
    const HCMHeader& header() const { return m_header; }

    // Takes ownership; the record is given the file's check settings.
    void append(std::unique_ptr<HCMRecord> record);
    HCMRecord* recordAt(int number) const;
    int recordCount() const { return int(m_records.size()); }

    // Removes the records whose numbers are given (any order); the others keep
    // their order and are renumbered.
    void removeRecords(const std::vector<int>& numbers);
    void reserve(int records) { m_records.reserve(std::size_t(records)); }
    void clear();

    const CheckSettings* checkSettings() const { return m_settings; }
    QObject* owner() const { return m_owner; }

    HCMFile* auxiliary() const { return m_auxiliary.get(); }
    HCMFile& ensureAuxiliary();

private:
    QObject* m_owner;
    const CheckSettings* m_settings;
    HCMHeader m_header;
    std::vector<std::unique_ptr<HCMRecord>> m_records;
    std::unique_ptr<HCMFile> m_auxiliary;
};

#endif
