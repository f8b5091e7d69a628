// The record inputs of the editor window: showing the current record,
// writing what is typed through the document, and marking the inputs with
// their checks.
#include "hcmeditmdi.h"

#include "checks/antennachecks.h"
#include "checks/headerchecks.h"
#include "checks/recordcheck.h"
#include "editorfields.h"
#include "fieldmarker.h"
#include "hcm/hcmfile.h"
#include "recordtablemodel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

namespace {

QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

// Every cell of the row gets an item, so it can be coloured and read back.
void ensureItems(QTableWidget* table, int row)
{
    for (int column = 0; column < table->columnCount(); ++column) {
        if (!table->item(row, column))
            table->setItem(row, column, new QTableWidgetItem);
    }
}

QString inputText(const QWidget* input)
{
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(input))
        return plain->toPlainText();
    return static_cast<const QLineEdit*>(input)->text();
}

} // namespace

void setInputText(QWidget* input, const QString& text)
{
    if (auto* plain = qobject_cast<QPlainTextEdit*>(input))
        plain->setPlainText(text);
    else
        static_cast<QLineEdit*>(input)->setText(text);
}

// ---- The current record -----------------------------------------------------

void hcmEditMDI::showItemDetails(int row, int col, int prow, int pcol)
{
    Q_UNUSED(col);
    Q_UNUSED(prow);
    Q_UNUSED(pcol);
    if (m_filling || row < 0 || m_doc->isBusy())
        return;
    const HCMRecord* record = m_doc->recordOfRow(row);
    if (!record)
        return;
    showRecord(*record);
    if (options().checkOnEditing)
        markRecord(*record);
    emit signalSelectionChanged(selectedRowCount());
}

void hcmEditMDI::showRecord(const HCMRecord& record)
{
    m_showing = true;
    const std::vector<EditorField>& fields = editorFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const EditorField& f = fields[i];
        if (f.target == InputTarget::Record)
            setInputText(m_ui.inputs[i], inputTextFromField(record.view(HcmField(f.field))));
        else if (f.target == InputTarget::Antenna)
            setInputText(m_ui.inputs[i], inputTextFromField(
                                             record.antenna().view(HCMAntenna::Field(f.field))));
    }
    showPattern(m_ui.tw9xco, m_ui.leRadPatCo, record.antenna().coPolar());
    showPattern(m_ui.tw9xcr, m_ui.leRadPatCr, record.antenna().crossPolar());
    m_showing = false;
    changeWidgetsState();
}

void hcmEditMDI::showPattern(QTableWidget* table, QComboBox* codeBox, const HCMPattern& pattern)
{
    const QSignalBlocker blockTable(table);
    table->clearContents();
    table->setRowCount(0);
    table->setHorizontalHeaderLabels({tr("Angle"), tr("Attenuation")});
    codeBox->setEditText(inputTextFromField(pattern.codeView()));
    const int count = pattern.count();
    table->setRowCount(count);
    for (int i = 0; i < count; ++i) {
        table->setItem(i, 0, new QTableWidgetItem(inputTextFromField(pattern.angleView(i))));
        table->setItem(i, 1, new QTableWidgetItem(inputTextFromField(pattern.attenuationView(i))));
    }
}

void hcmEditMDI::clearRecordUi()
{
    const bool showing = m_showing;
    m_showing = true;
    const std::vector<EditorField>& fields = editorFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].target != InputTarget::Header)
            setInputText(m_ui.inputs[i], QString());
    }
    for (QTableWidget* table : {m_ui.tw9xco, m_ui.tw9xcr}) {
        const QSignalBlocker block(table);
        table->setRowCount(0);
    }
    m_ui.leRadPatCo->setEditText(QString());
    m_ui.leRadPatCr->setEditText(QString());
    m_showing = showing;
    changeWidgetsState();
}

// ---- Marking ----------------------------------------------------------------

void hcmEditMDI::markRecord(const HCMRecord& record)
{
    const std::vector<EditorField>& fields = editorFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const EditorField& f = fields[i];
        if (f.target == InputTarget::Header || f.check == InputCheck::OnlyWhenTyped)
            continue;
        m_marker->mark(m_ui.inputs[i],
                       f.target == InputTarget::Record
                           ? checkRecordField(record, HcmField(f.field))
                           : checkAntennaField(record.antenna(), HCMAntenna::Field(f.field)));
    }
    const HCMAntenna& antenna = record.antenna();
    m_marker->mark(m_ui.leRadPatCo, checkPattern(antenna.coPolar()));
    m_marker->mark(m_ui.leRadPatCr, checkPattern(antenna.crossPolar()));
    markPatternCells(m_ui.tw9xco, antenna.coPolar());
    markPatternCells(m_ui.tw9xcr, antenna.crossPolar());
}

void hcmEditMDI::markPatternCells(QTableWidget* table, const HCMPattern& pattern)
{
    const QSignalBlocker block(table);
    const int rows = std::min(table->rowCount(), pattern.count());
    for (int row = 0; row < rows; ++row) {
        ensureItems(table, row);
        m_marker->markCell(table->item(row, 0), checkPointAngle(pattern, row));
        m_marker->markCell(table->item(row, 1), checkPointAttenuation(pattern, row));
    }
}

void hcmEditMDI::clearAllMarks()
{
    for (QWidget* input : m_ui.inputs)
        m_marker->mark(input, 0);
    m_marker->mark(m_ui.leRadPatCo, 0);
    m_marker->mark(m_ui.leRadPatCr, 0);
    for (QTableWidget* table : {m_ui.tw9xco, m_ui.tw9xcr}) {
        const QSignalBlocker block(table);
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column)
                m_marker->markCell(table->item(row, column), 0);
        }
    }
}

void hcmEditMDI::testHeader()
{
    const HCMHeader& header = m_doc->file().header();
    const std::vector<EditorField>& fields = editorFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].target == InputTarget::Header)
            m_marker->mark(m_ui.inputs[i], checkHeaderField(header, HCMHeader::Field(fields[i].field),
                                                            rowCount()));
    }
}

// ---- Typing into the inputs ------------------------------------------------------

void hcmEditMDI::inputEdited(std::size_t index)
{
    if (m_showing || m_filling)
        return;
    const EditorField& f = editorFields()[index];
    QWidget* input = m_ui.inputs[index];
    const QString text = inputText(input);
    if (f.target == InputTarget::Header) {
        if (m_doc->setHeaderText(HCMHeader::Field(f.field), text) && options().checkOnEditing)
            m_marker->mark(input, checkHeaderField(m_doc->file().header(),
                                                   HCMHeader::Field(f.field), rowCount()));
        return;
    }
    const int number = currentNumber();
    const bool written = f.target == InputTarget::Record
        ? m_doc->setRecordText(number, HcmField(f.field), text)
        : m_doc->setAntennaText(number, HCMAntenna::Field(f.field), text);
    if (written && options().checkOnEditing)
        markAfterEdit(f, input, *m_doc->file().recordAt(number));
}

void hcmEditMDI::markAfterEdit(const EditorField& f, QWidget* input, const HCMRecord& record)
{
    switch (f.check) {
    case InputCheck::WholeRecord:
        markRecord(record);
        return;
    case InputCheck::WithFrequency:
        m_marker->mark(input, checkRecordField(record, HcmField(f.field)));
        m_marker->mark(m_ui.input("le1a"), checkRecordField(record, HcmField::Frequency));
        return;
    case InputCheck::MaskPoints: {
        const std::vector<EditorField>& fields = editorFields();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].maskPoint > 0)
                m_marker->mark(m_ui.inputs[i], checkRecordField(record, HcmField(fields[i].field)));
        }
        return;
    }
    case InputCheck::Field:
    case InputCheck::OnlyWhenTyped:
        break;
    }
    m_marker->mark(input, f.target == InputTarget::Record
                              ? checkRecordField(record, HcmField(f.field))
                              : checkAntennaField(record.antenna(), HCMAntenna::Field(f.field)));
}

// ---- Radiation patterns -------------------------------------------------------

void hcmEditMDI::patternTableChanged(bool coPolar)
{
    QTableWidget* table = coPolar ? m_ui.tw9xco : m_ui.tw9xcr;
    if (m_showing || m_filling)
        return;
    std::vector<std::pair<QString, QString>> points;
    for (int row = 0; row < table->rowCount(); ++row)
        points.emplace_back(cellText(table, row, 0), cellText(table, row, 1));
    const int number = currentNumber();
    if (!m_doc->setPatternPoints(number, coPolar, points) || !options().checkOnEditing)
        return;
    const HCMAntenna& antenna = m_doc->file().recordAt(number)->antenna();
    const HCMPattern& pattern = coPolar ? antenna.coPolar() : antenna.crossPolar();
    markPatternCells(table, pattern);
    m_marker->mark(coPolar ? m_ui.leRadPatCo : m_ui.leRadPatCr, checkPattern(pattern));
}

void hcmEditMDI::patternCodeChanged(bool coPolar)
{
    QComboBox* codeBox = coPolar ? m_ui.leRadPatCo : m_ui.leRadPatCr;
    const int number = currentNumber();
    if (m_showing || m_filling || !m_doc->setPatternCode(number, coPolar, codeBox->currentText()))
        return;
    const HCMAntenna& antenna = m_doc->file().recordAt(number)->antenna();
    if (options().checkOnEditing)
        m_marker->mark(codeBox, checkPattern(coPolar ? antenna.coPolar() : antenna.crossPolar()));
}

void hcmEditMDI::addPatternLine(QTableWidget* table)
{
    if (m_doc->isBusy() || !m_doc->recordOfRow(currentRow()))
        return;
    const QSignalBlocker block(table);
    const int row = table->currentRow() + 1;
    table->insertRow(row);
    ensureItems(table, row);
    changeWidgetsState();
}

void hcmEditMDI::deletePatternLines(bool coPolar)
{
    QTableWidget* table = coPolar ? m_ui.tw9xco : m_ui.tw9xcr;
    if (m_doc->isBusy() || !m_doc->recordOfRow(currentRow()))
        return;
    std::vector<int> rows;
    for (const QTableWidgetSelectionRange& range : table->selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    {
        const QSignalBlocker block(table);
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            table->removeRow(*it);
    }
    patternTableChanged(coPolar);
    changeWidgetsState();
}

void hcmEditMDI::addAntennaCPLine() { addPatternLine(m_ui.tw9xco); }
void hcmEditMDI::addAntennaXPLine() { addPatternLine(m_ui.tw9xcr); }
void hcmEditMDI::deleteAntennaCPLines() { deletePatternLines(true); }
void hcmEditMDI::deleteAntennaXPLines() { deletePatternLines(false); }

void hcmEditMDI::changeWidgetsState()
{
    m_ui.tbDelCp->setEnabled(m_ui.tw9xco->rowCount() > 0);
    m_ui.tbDelXp->setEnabled(m_ui.tw9xcr->rowCount() > 0);
}

