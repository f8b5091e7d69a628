#ifndef RECORDLISTEDITOR_H
#define RECORDLISTEDITOR_H

#include "hcm/hcmrecord.h"

#include <QByteArrayView>

#include <memory>
#include <vector>

class HCMFile;
class RecordTableModel;

// A block of adjacent table rows, both ends included.
struct RowSpan
{
    int top;
    int bottom;
};

// The operations that change an editor's record list as a whole: adding,
// appending, duplicating and removing records, and setting one field in many
// records. They keep the file and the overview table in step; the window
// around them handles selection, sorting and the modified flag.
class RecordListEditor
{
public:
    RecordListEditor(HCMFile& file, RecordTableModel& model);

    // Appends a new empty record to the file and gives it a row right after
    // afterRow (at the top when afterRow is -1); returns that row.
    int addEmptyRecord(int afterRow);
    // Appends record to the file and gives it the last row; returns that row.
    int appendRecord(std::unique_ptr<HCMRecord> record);
    // A new record bound to the file's check settings, with every field of
    // the record numbered source copied.
    std::unique_ptr<HCMRecord> copyOf(int source) const;

    // The record numbers behind the rows of the spans: the span with the
    // highest top first, each from its top row to its bottom row.
    std::vector<int> numbersOfSpans(std::vector<RowSpan> spans) const;
    // Removes the rows of the spans, the span with the highest top first, so
    // rows still to be removed keep their indices. The
    // records stay in the file; they are no longer written.
    void removeSpans(std::vector<RowSpan> spans);
    // Sets field to value in the records of the rows; returns how many.
    int setField(const std::vector<int>& rows, HcmField field, QByteArrayView value);

    // The spans sorted by top row, highest first.
    static std::vector<RowSpan> highestFirst(std::vector<RowSpan> spans);
    // "13Y" or "2Z" as the field Set Value writes; false for anything else.
    static bool setValueField(const QString& code, HcmField& field);

private:
    HCMFile& m_file;
    RecordTableModel& m_model;
};

// What an input holds, as the 8-bit text of a field. Semicolons and line
// breaks would split the field or the line when the file is written, so each
// becomes a blank.
QByteArray fieldTextFromInput(const QString& text);
QString inputTextFromField(QByteArrayView text);

#endif
