#ifndef FILECHECK_H
#define FILECHECK_H

#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <vector>

class HCMFile;
class HCMHeader;
class HCMRecord;

// The findings of the header or of one record in a whole-file check.
struct FileCheckItem
{
    int recordNumber = -1; // the record's zero-based number; -1 for the header
    QList<int> codes;      // in check order

    bool isHeader() const { return recordNumber < 0; }
    int errorCount() const;
    int warningCount() const;
    // The item as the error list shows it: the heading line ("HEADER: " or
    // "RECORD NO: " and the number), "Errors:", one error message a line,
    // "Warnings:", one warning message a line; every line ends in a line feed.
    QString text() const;
};

// The whole-file check: the header first, then the records in the order of
// the editor's rows, collecting one item for the header and for each record
// with findings, with the error and warning totals.
//
// It runs on the caller's thread. The progress callback is called before each
// record, which is where a window lets its events run; a cancel request made
// there (or from another thread) stops the check before the next record, and
// the items found so far stay.
class FileCheck
{
public:
    using Progress = std::function<void(int value, int maximum)>;

    explicit FileCheck(const HCMFile& file);

    // The record numbers in row order; by default every record in number
    // order. Their count is the record count the header must state.
    void setRecordNumbers(std::vector<int> numbers);
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // False when the check was cancelled.
    bool run();
    void cancel() { m_cancelRequested = true; }
    bool wasCancelled() const { return m_cancelled; }

    const std::vector<FileCheckItem>& items() const { return m_items; }
    int errorCount() const { return m_errors; }
    int warningCount() const { return m_warnings; }

    // The status text while the records are checked: "Checking syntax...".
    static QString statusText();

    // One item at a time, for callers that check records as they are read;
    // an item without codes is no finding.
    static FileCheckItem headerItem(const HCMHeader& header, int recordCount);
    static FileCheckItem recordItem(const HCMRecord& record, int recordNumber);

private:
    void addItem(int recordNumber, const QList<int>& codes);

    const HCMFile& m_file;
    std::vector<int> m_numbers;
    bool m_numbersGiven = false;
    Progress m_progress;
    std::atomic_bool m_cancelRequested{false};
    bool m_cancelled = false;
    std::vector<FileCheckItem> m_items;
    int m_errors = 0;
    int m_warnings = 0;
};

// A code the file reader gave, as a line of the report: "Reading the header: "
// or "Reading record NO: " and the number and ": ", then the message.
QString readerFindingText(int recordNumber, int code);

#endif
