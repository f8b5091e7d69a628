// The record operations of the editor window and its table selection.
#include "hcmeditmdi.h"

#include "hcm/hcmfile.h"
#include "recordtablemodel.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>

#include <algorithm>

// ---- Record operations ------------------------------------------------------

void hcmEditMDI::addRecord()
{
    if (m_doc->isBusy())
        return;
    m_filling = true;
    m_ui.twList->setSortingEnabled(false);
    const int row = m_doc->records().addEmptyRecord(currentRow());
    const int number = m_doc->model()->numberAt(row);
    m_ui.twList->resizeColumnsToContents();
    showTotal();
    applySorting();
    m_filling = false;
    // The new record stays current wherever sorting put it.
    makeRowCurrent(m_doc->model()->rowOf(number));
    setModified(true);
    markCurrentOrClear();
    writeRowCountToHeader();
    selectionChanged();
}

void hcmEditMDI::appendNewLine(HCMRecord* rec)
{
    std::unique_ptr<HCMRecord> record(rec);
    if (!record || m_doc->isBusy())
        return;
    m_filling = true;
    m_ui.twList->setSortingEnabled(false);
    const int row = m_doc->records().appendRecord(std::move(record));
    m_filling = false;
    if (!m_batchAppend) {
        m_ui.twList->resizeColumnsToContents();
        makeRowCurrent(row);
    }
    writeRowCountToHeader();
    showTotal();
    setModified(true);
    if (!m_batchAppend)
        applySorting();
}

void hcmEditMDI::duplicateRecords()
{
    if (m_doc->isBusy())
        return;
    // The sources are taken before anything is appended: a re-sort after an
    // append must not change which records get copied.
    const std::vector<int> sources = m_doc->records().numbersOfSpans(selectedSpans());
    if (sources.empty())
        return;
    m_ui.twList->setUpdatesEnabled(false);
    m_batchAppend = true;
    for (int source : sources)
        appendNewLine(m_doc->records().copyOf(source).release());
    m_batchAppend = false;
    const int lastCopy = m_doc->file().recordCount() - 1;
    m_ui.twList->resizeColumnsToContents();
    applySorting();
    makeRowCurrent(m_doc->model()->rowOf(lastCopy));
    m_ui.twList->setUpdatesEnabled(true);
    selectionChanged();
}

void hcmEditMDI::removeRecords()
{
    if (m_doc->isBusy())
        return;
    const std::vector<RowSpan> spans = selectedSpans();
    if (spans.empty())
        return;
    setModified(true);
    m_filling = true;
    m_ui.twList->setUpdatesEnabled(false);
    m_doc->records().removeSpans(spans);
    m_ui.twList->setUpdatesEnabled(true);
    m_filling = false;
    writeRowCountToHeader();
    if (rowCount() > 0) {
        makeRowCurrent(0);
        showCurrentDetails();
    } else {
        m_ui.twList->selectionModel()->clear();
        clearRecordUi();
        clearAllMarks();
    }
    showTotal();
    selectionChanged();
}

void hcmEditMDI::setValue(const QString& fieldCode, const QString& value)
{
    HcmField field;
    if (m_doc->isBusy() || !RecordListEditor::setValueField(fieldCode, field))
        return;
    std::vector<int> rows;
    for (const RowSpan& span : selectedSpans()) {
        for (int row = span.top; row <= span.bottom; ++row)
            rows.push_back(row);
    }
    if (m_doc->records().setField(rows, field, fieldTextFromInput(value)) == 0)
        return;
    setModified(true);
    showCurrentDetails();
}

// ---- Table and selection ----------------------------------------------------

std::vector<RowSpan> hcmEditMDI::selectedSpans() const
{
    // A selection may hold overlapping ranges; each row must count once.
    std::vector<RowSpan> spans;
    for (const QItemSelectionRange& range : m_ui.twList->selectionModel()->selection())
        spans.push_back({range.top(), range.bottom()});
    std::sort(spans.begin(), spans.end(),
              [](const RowSpan& a, const RowSpan& b) { return a.top < b.top; });
    std::vector<RowSpan> disjoint;
    for (const RowSpan& span : spans) {
        if (!disjoint.empty() && span.top <= disjoint.back().bottom)
            disjoint.back().bottom = std::max(disjoint.back().bottom, span.bottom);
        else
            disjoint.push_back(span);
    }
    return disjoint;
}

int hcmEditMDI::selectedRowCount() const
{
    int count = 0;
    for (const RowSpan& span : selectedSpans())
        count += span.bottom - span.top + 1;
    return count;
}

std::vector<int> hcmEditMDI::selectedRecordNumbers() const
{
    return m_doc->recordNumbersOfRows(selectedSpans());
}

void hcmEditMDI::selectionChanged()
{
    if (m_filling)
        return;
    const int count = selectedRowCount();
    m_ui.selectedCount->setText(tr("Selected: ") + QString::number(count));
    emit signalSelectionChanged(count);
}

void hcmEditMDI::makeRowCurrent(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex index = m_doc->model()->index(row, 0);
    m_ui.twList->setCurrentIndex(index);
    m_ui.twList->scrollTo(index);
}

void hcmEditMDI::showCurrentDetails()
{
    const int row = currentRow();
    if (row >= 0)
        showItemDetails(row, 0, -1, -1);
}

void hcmEditMDI::setCurrentRecord(int index)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        if (QMdiArea* area = sub->mdiArea()) {
            if (area->activeSubWindow() != sub)
                area->setActiveSubWindow(sub);
        }
    }
    makeRowCurrent(m_doc->model()->rowOf(index));
}


// ---- Mask copy ----------------------------------------------------------------

void hcmEditMDI::assignMaskPoints(const QStringList& frequencies, const QStringList& attenuations)
{
    std::vector<std::pair<HcmField, QString>> texts;
    for (int n = 1; n <= 6; ++n) {
        texts.emplace_back(HCMRecord::maskFrequencyField(n), frequencies.value(n - 1));
        texts.emplace_back(HCMRecord::maskAttenuationField(n), attenuations.value(n - 1));
    }
    m_doc->setRecordTexts(currentNumber(), texts);
}
