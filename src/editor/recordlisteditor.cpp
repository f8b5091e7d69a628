#include "recordlisteditor.h"

#include "hcm/hcmfile.h"
#include "recordtablemodel.h"

#include <QString>

#include <algorithm>

RecordListEditor::RecordListEditor(HCMFile& file, RecordTableModel& model)
    : m_file(file), m_model(model)
{
}

int RecordListEditor::addEmptyRecord(int afterRow)
{
    m_file.append(std::make_unique<HCMRecord>(m_file.checkSettings()));
    const int row = afterRow < 0 ? 0 : afterRow + 1;
    return m_model.insertNumber(row, m_file.recordCount() - 1);
}

int RecordListEditor::appendRecord(std::unique_ptr<HCMRecord> record)
{
    m_file.append(std::move(record));
    return m_model.insertNumber(m_model.rowCount(), m_file.recordCount() - 1);
}

std::unique_ptr<HCMRecord> RecordListEditor::copyOf(int source) const
{
    auto copy = std::make_unique<HCMRecord>(m_file.checkSettings());
    if (const HCMRecord* original = m_file.recordAt(source)) {
        copy->assignFrom(*original);
        copy->setCheckSettings(m_file.checkSettings());
    }
    return copy;
}

std::vector<RowSpan> RecordListEditor::highestFirst(std::vector<RowSpan> spans)
{
    std::stable_sort(spans.begin(), spans.end(),
                     [](const RowSpan& a, const RowSpan& b) { return a.top > b.top; });
    return spans;
}

std::vector<int> RecordListEditor::numbersOfSpans(std::vector<RowSpan> spans) const
{
    std::vector<int> numbers;
    for (const RowSpan& span : highestFirst(std::move(spans))) {
        for (int row = span.top; row <= span.bottom; ++row) {
            const int n = m_model.numberAt(row);
            if (n >= 0)
                numbers.push_back(n);
        }
    }
    return numbers;
}

void RecordListEditor::removeSpans(std::vector<RowSpan> spans)
{
    // Highest first: removing a lower block never moves a higher one.
    for (const RowSpan& span : highestFirst(std::move(spans)))
        m_model.removeRowSpan(span.top, span.bottom);
}

int RecordListEditor::setField(const std::vector<int>& rows, HcmField field, QByteArrayView value)
{
    int changed = 0;
    for (int row : rows) {
        if (HCMRecord* record = m_file.recordAt(m_model.numberAt(row))) {
            record->setText(field, value);
            ++changed;
        }
    }
    return changed;
}

bool RecordListEditor::setValueField(const QString& code, HcmField& field)
{
    if (code == QLatin1String("13Y")) {
        field = HcmField::CoordinationStatus;
        return true;
    }
    if (code == QLatin1String("2Z")) {
        field = HcmField::CoordinationFinalDate;
        return true;
    }
    return false;
}

QByteArray fieldTextFromInput(const QString& text)
{
    QByteArray bytes = text.toLatin1();
    for (char& c : bytes) {
        if (c == ';' || c == '\r' || c == '\n')
            c = ' ';
    }
    return bytes;
}

QString inputTextFromField(QByteArrayView text)
{
    return QString::fromLatin1(text.data(), text.size());
}
