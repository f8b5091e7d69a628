#include "filecheck.h"

#include "checkmessages.h"
#include "headerchecks.h"
#include "hcm/hcmfile.h"
#include "recordcheck.h"

#include <QCoreApplication>

int FileCheckItem::errorCount() const
{
    int n = 0;
    for (int code : codes)
        n += isWarningCode(code) ? 0 : 1;
    return n;
}

int FileCheckItem::warningCount() const { return int(codes.size()) - errorCount(); }

QString FileCheckItem::text() const
{
    QByteArray errors;
    QByteArray warnings;
    for (int code : codes) {
        QByteArray& list = isWarningCode(code) ? warnings : errors;
        list += checkMessage(code);
        list += '\n';
    }
    QString heading = isHeader() ? QCoreApplication::translate("FileCheck", "HEADER: ")
                                 : QCoreApplication::translate("FileCheck", "RECORD NO: ") + QString::number(recordNumber);
    return heading + QLatin1String("\nErrors:\n") + QString::fromLatin1(errors) + QLatin1String("Warnings:\n")
        + QString::fromLatin1(warnings);
}

FileCheck::FileCheck(const HCMFile& file) : m_file(file) {}

void FileCheck::setRecordNumbers(std::vector<int> numbers)
{
    m_numbers = std::move(numbers);
    m_numbersGiven = true;
}

FileCheckItem FileCheck::headerItem(const HCMHeader& header, int recordCount)
{
    FileCheckItem item;
    checkHeader(header, item.codes, recordCount);
    return item;
}

FileCheckItem FileCheck::recordItem(const HCMRecord& record, int recordNumber)
{
    FileCheckItem item;
    item.recordNumber = recordNumber;
    checkRecord(record, item.codes);
    return item;
}

QString FileCheck::statusText() { return QCoreApplication::translate("FileCheck", "Checking syntax..."); }

bool FileCheck::run()
{
    m_cancelRequested = false;
    m_cancelled = false;
    m_items.clear();
    m_errors = 0;
    m_warnings = 0;
    if (!m_numbersGiven) {
        m_numbers.resize(std::size_t(m_file.recordCount()));
        for (int i = 0; i < m_file.recordCount(); ++i)
            m_numbers[std::size_t(i)] = i;
    }
    const int rows = int(m_numbers.size());

    QList<int> codes;
    codes.reserve(64);
    checkHeader(m_file.header(), codes, rows);
    if (!codes.isEmpty())
        addItem(-1, codes);

    for (int row = 0; row < rows; ++row) {
        if (m_progress)
            m_progress(row, rows);
        if (m_cancelRequested) {
            m_cancelRequested = false;
            m_cancelled = true;
            return false;
        }
        // A row without a record cannot come from a table built from the
        // file; should one appear, there is nothing to check for it.
        const HCMRecord* record = m_file.recordAt(m_numbers[std::size_t(row)]);
        if (!record)
            continue;
        checkRecord(*record, codes);
        if (!codes.isEmpty())
            addItem(m_numbers[std::size_t(row)], codes);
    }
    if (m_progress)
        m_progress(rows, rows);
    return true;
}

void FileCheck::addItem(int recordNumber, const QList<int>& codes)
{
    FileCheckItem item;
    item.recordNumber = recordNumber;
    item.codes = codes;
    const int errors = item.errorCount();
    m_errors += errors;
    m_warnings += int(codes.size()) - errors;
    m_items.push_back(std::move(item));
}

QString readerFindingText(int recordNumber, int code)
{
    const QString message = QString::fromLatin1(checkMessage(code));
    if (recordNumber < 0)
        return QCoreApplication::translate("FileCheck", "Reading the header: ") + message;
    return QCoreApplication::translate("FileCheck", "Reading record NO: ") + QString::number(recordNumber)
        + QLatin1String(": ") + message;
}
