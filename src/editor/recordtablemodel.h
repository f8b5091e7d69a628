#ifndef RECORDTABLEMODEL_H
#define RECORDTABLEMODEL_H

#include <QAbstractTableModel>

#include <vector>

class HCMFile;

// The overview table of an editor window: one row per record that is still
// part of the file as the user sees it. A row holds only the record's number;
// the cells are read from the record when shown, so an edited field shows at
// once and a national file of a hundred thousand stations costs a few hundred
// kilobytes here.
//
// Records are never renumbered. Removing a row leaves its record in the
// HCMFile; only the records that have a row are written.
class RecordTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        StationNameColumn,
        EntryColumn,
        FrequencyColumn,
        UnitColumn,
        ReferenceColumn,
        NumberColumn,
        ColumnCount
    };

    explicit RecordTableModel(const HCMFile* file, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stable: rows with equal keys keep their order. Selection and current
    // row follow their records.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // One row per record of the file, in number order, in one pass.
    void fill();
    void clear();

    // The record number of a row, -1 outside the table.
    int numberAt(int row) const;
    // The first row showing record number, -1 when it has none.
    int rowOf(int number) const;
    // Inserts a row for record number before row (clamped to the table) and
    // returns the row it got.
    int insertNumber(int row, int number);
    // Removes the rows top to bottom, both included.
    void removeRowSpan(int top, int bottom);
    // Tells the views that the texts of the record in row changed.
    void refreshRow(int row);
    // Batch changes of long jobs, each told to the views once.
    void appendNumbers(const std::vector<int>& numbers);
    void removeNumbers(const std::vector<int>& numbers);
    void refreshAll();

    // Record numbers in table order, and sorted by number.
    const std::vector<int>& numbers() const { return m_numbers; }
    std::vector<int> numbersInNumberOrder() const;

    // "No" as shown: zero-filled on the left to 8 digits, so that text order
    // is number order; longer numbers are kept as they are.
    static QString numberText(int number);

private:
    bool lessThan(int column, int a, int b) const;

    const HCMFile* m_file;
    std::vector<int> m_numbers;
};

#endif
