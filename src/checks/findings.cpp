#include "findings.h"

#include "checkmessages.h"
#include "hcm/hcmfile.h"
#include "hcm/loadjob.h"

#include <algorithm>

std::vector<FindingList::Entry> FindingList::entries() const
{
    std::vector<Entry> out;
    out.reserve(reader.size() + items.size());
    for (const ReaderFinding& f : reader)
        out.push_back({readerFindingText(f.recordNumber, f.code), f.recordNumber});
    for (const FileCheckItem& item : items)
        out.push_back({item.text(), item.recordNumber});
    return out;
}

FindingList collectFindings(const HCMFile& file, const std::vector<int>& rows, int headerReadCode,
                            const std::vector<LineCode>& lineCodes,
                            const FileCheck::Progress& progress, const std::atomic_bool* cancel)
{
    FindingList list;
    FileCheck check(file);
    check.setRecordNumbers(rows);
    check.setProgress([&](int value, int maximum) {
        if (progress)
            progress(value, maximum);
        if (cancel && *cancel)
            check.cancel();
    });
    list.cancelled = !check.run();
    list.errors = check.errorCount();
    list.warnings = check.warningCount();
    list.items = check.items();

    // A line of a record that is no longer in the table is not reported.
    std::vector<bool> inRows(std::size_t(std::max(file.recordCount(), 0)), false);
    for (int n : rows) {
        if (n >= 0 && n < int(inRows.size()))
            inRows[std::size_t(n)] = true;
    }
    const auto add = [&list](int number, int code) {
        list.reader.push_back({number, code});
        (isWarningCode(code) ? list.warnings : list.errors) += 1;
    };
    if (headerReadCode != 0)
        add(-1, headerReadCode);
    for (const LineCode& line : lineCodes) {
        if (line.recordNumber >= 0 && line.recordNumber < int(inRows.size())
            && inRows[std::size_t(line.recordNumber)])
            add(line.recordNumber, line.code);
    }
    return list;
}
