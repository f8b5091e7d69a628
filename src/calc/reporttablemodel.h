#ifndef REPORTTABLEMODEL_H
#define REPORTTABLEMODEL_H

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>


// The results or trigger table of a report file, for a view. A list-to-list
// run over national files writes a million rows, so rows are read from the
// file only as they come into view, a page at a time, and only a few pages
// are kept. Sorting and the filter run in the database, which keeps the
// order of the shown rows in a temporary table of the model's own connection.
class ReportTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Table { NoTable, Results, Trigger };

    explicit ReportTableModel(QObject* parent = nullptr);
    ~ReportTableModel() override;

    // Opens the file read-only and shows its results table, its trigger
    // table, or (AnyTable) whichever it has, results first. False, with
    // nothing shown, when the file has no such table.
    static constexpr Table AnyTable = NoTable;
    bool open(const QString& reportFile, Table wanted = AnyTable);
    void close();

    Table table() const { return m_table; }
    QString fileName() const { return m_fileName; }
    // The library version stored in the file.
    QString version() const { return m_version; }
    // Rows in the table, whatever the filter shows.
    int totalRows() const { return m_totalRows; }

    // A stored value of a shown row by column name (TxIndex, RxFileNo, ...).
    QVariant value(int row, const QString& column) const;

    // Shows only rows whose station names, references or countries contain
    // the text (any case); an empty text shows every row.
    void setFilterText(const QString& text);
    QString filterText() const { return m_filter; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // A column below 0 goes back to file order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    using Row = QVariantList;

    QString tableName() const;
    QString whereClause() const;
    void bindFilter(class QSqlQuery& query) const;
    bool selectRows();
    const Row* rowAt(int row) const;
    bool fetchPage(int page) const;

    QString m_connection;
    QSqlDatabase m_db;
    QString m_fileName;
    QString m_version;
    Table m_table = NoTable;
    QStringList m_columns;
    QStringList m_labels;
    int m_totalRows = 0;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QString m_filter;

    // Shown row r is the table row with id m_firstId + r while the whole
    // table is shown in file order over consecutive ids (the usual case, and
    // the one that must open a million rows at once); otherwise the one that
    // row r + 1 of the temporary table "shown" names.
    bool m_direct = true;
    qint64 m_firstId = 0;
    int m_rowCount = 0;

    mutable QHash<int, QList<Row>> m_pages;
    mutable QList<int> m_pageAge; // least recently used first
};

#endif
