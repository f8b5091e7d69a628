#include "reporttablemodel.h"

#include "datareport.h"

#include <QAtomicInt>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

const int kPageRows = 128;
const int kKeptPages = 16;

const char* const kResultsSearch[] = {"TxName",      "PRxName",      "PTxName",      "RxName",
                                      "TxCountry",   "PxCountry",    "RxCountry",    "TxReference",
                                      "PRxReference", "PTxReference", "RxReference"};
const char* const kTriggerSearch[] = {"Name", "Reference", "Countries"};

QString likePattern(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('%'), QLatin1String("\\%"));
    text.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + text + QLatin1Char('%');
}

} // namespace

ReportTableModel::ReportTableModel(QObject* parent) : QAbstractTableModel(parent)
{
    static QAtomicInt counter;
    m_connection = QStringLiteral("linkwise-reportview-%1").arg(counter.fetchAndAddRelaxed(1));
}

ReportTableModel::~ReportTableModel()
{
    close();
}

void ReportTableModel::close()
{
    beginResetModel();
    m_pages.clear();
    m_pageAge.clear();
    m_rowCount = 0;
    m_totalRows = 0;
    m_columns.clear();
    m_labels.clear();
    m_table = NoTable;
    m_sortColumn = -1;
    m_filter.clear();
    endResetModel();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool ReportTableModel::open(const QString& reportFile, Table wanted)
{
    close();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(reportFile);
    // Reading never creates a file: a wrong name must not leave an empty
    // database behind, nor may a shown report be changed.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!m_db.open()) {
        close();
        return false;
    }
    const QStringList tables = m_db.tables();
    if (wanted != Trigger && tables.contains(QStringLiteral("results")))
        m_table = Results;
    else if (wanted != Results && tables.contains(QStringLiteral("trigger")))
        m_table = Trigger;
    if (m_table == NoTable) {
        close();
        return false;
    }
    m_fileName = reportFile;
    m_columns.clear();
    const QSqlRecord record = m_db.record(tableName());
    for (int c = 0; c < record.count(); ++c)
        m_columns.append(record.fieldName(c));
    m_labels = m_table == Results ? dataReport::resultLabels() : dataReport::triggerLabels();
    QSqlQuery query(m_db);
    m_version.clear();
    if (query.exec(QStringLiteral("SELECT * FROM version")) && query.next())
        m_version = query.value(0).toString();
    beginResetModel();
    const bool selected = selectRows();
    endResetModel();
    if (!selected) {
        close();
        return false;
    }
    m_totalRows = m_rowCount;
    return true;
}

QString ReportTableModel::tableName() const
{
    return m_table == Trigger ? QStringLiteral("trigger") : QStringLiteral("results");
}

QString ReportTableModel::whereClause() const
{
    if (m_filter.isEmpty())
        return QString();
    QStringList terms;
    auto add = [&](const char* column) {
        if (m_columns.contains(QLatin1String(column)))
            terms.append(QLatin1String(column) + QLatin1String(" LIKE :pattern ESCAPE '\\'"));
    };
    if (m_table == Trigger)
        std::for_each(std::begin(kTriggerSearch), std::end(kTriggerSearch), add);
    else
        std::for_each(std::begin(kResultsSearch), std::end(kResultsSearch), add);
    if (terms.isEmpty())
        return QStringLiteral(" WHERE 0");
    return QStringLiteral(" WHERE ") + terms.join(QLatin1String(" OR "));
}

void ReportTableModel::bindFilter(QSqlQuery& query) const
{
    if (!m_filter.isEmpty())
        query.bindValue(QStringLiteral(":pattern"), likePattern(m_filter));
}

// Decides which rows are shown, in which order. Call between a model reset's
// begin and end.
bool ReportTableModel::selectRows()
{
    m_pages.clear();
    m_pageAge.clear();
    m_rowCount = 0;
    m_direct = false;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.exec(QStringLiteral("DROP TABLE IF EXISTS temp.shown"));
    if (m_filter.isEmpty() && m_sortColumn < 0) {
        if (!query.exec(QStringLiteral("SELECT COUNT(*), MIN(rowid), MAX(rowid) FROM ") + tableName())
            || !query.next())
            return false;
        const qint64 count = query.value(0).toLongLong();
        m_firstId = query.value(1).toLongLong();
        if (count == 0 || query.value(2).toLongLong() - m_firstId + 1 == count) {
            m_direct = true;
            m_rowCount = int(count);
            return true;
        }
        query.finish();
    }
    // The order is kept in a temporary table of the connection (the report
    // itself stays read-only): its row ids are the shown row numbers, so the
    // sort and the filter never pass a million rows through the model.
    QString statement = QStringLiteral("CREATE TEMP TABLE shown AS SELECT rowid AS id FROM ") + tableName()
                        + whereClause();
    if (m_sortColumn >= 0 && m_sortColumn < m_columns.size())
        statement += QStringLiteral(" ORDER BY ") + m_columns.at(m_sortColumn)
                     + (m_sortOrder == Qt::DescendingOrder ? QStringLiteral(" DESC") : QString())
                     + QStringLiteral(", rowid");
    else
        statement += QStringLiteral(" ORDER BY rowid");
    if (!query.prepare(statement))
        return false;
    bindFilter(query);
    if (!query.exec() || !query.exec(QStringLiteral("SELECT COUNT(*) FROM temp.shown")) || !query.next())
        return false;
    m_rowCount = query.value(0).toInt();
    return true;
}

void ReportTableModel::setFilterText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed == m_filter || m_table == NoTable)
        return;
    beginResetModel();
    m_filter = trimmed;
    selectRows();
    endResetModel();
}

void ReportTableModel::sort(int column, Qt::SortOrder order)
{
    // The view may ask twice for the same order (QTableView::sortByColumn
    // does); a million rows are sorted once.
    if (m_table == NoTable || (column < 0 && m_sortColumn < 0)
        || (column == m_sortColumn && order == m_sortOrder))
        return;
    beginResetModel();
    m_sortColumn = column < m_columns.size() ? column : -1;
    m_sortOrder = order;
    selectRows();
    endResetModel();
}

bool ReportTableModel::fetchPage(int page) const
{
    const int first = page * kPageRows;
    const int count = std::min(kPageRows, m_rowCount - first);
    if (count <= 0)
        return false;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    QList<Row> rows(count);
    const int columns = int(m_columns.size());
    auto readRow = [&](int at) {
        Row& row = rows[at];
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(query.value(c + 1));
    };
    if (m_direct) {
        const qint64 from = m_firstId + first;
        if (!query.exec(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid BETWEEN %2 AND %3 ORDER BY rowid")
                            .arg(tableName())
                            .arg(from)
                            .arg(from + count - 1)))
            return false;
        while (query.next()) {
            const qint64 at = query.value(0).toLongLong() - from;
            if (at >= 0 && at < count)
                readRow(int(at));
        }
    } else {
        if (!query.exec(QStringLiteral("SELECT s.rowid, r.* FROM temp.shown s JOIN %1 r ON r.rowid = s.id "
                                       "WHERE s.rowid BETWEEN %2 AND %3 ORDER BY s.rowid")
                            .arg(tableName())
                            .arg(first + 1)
                            .arg(first + count)))
            return false;
        while (query.next()) {
            const qint64 at = query.value(0).toLongLong() - 1 - first;
            if (at >= 0 && at < count)
                readRow(int(at));
        }
    }
    if (m_pages.size() >= kKeptPages && !m_pageAge.isEmpty())
        m_pages.remove(m_pageAge.takeFirst());
    m_pages.insert(page, rows);
    m_pageAge.append(page);
    return true;
}

const ReportTableModel::Row* ReportTableModel::rowAt(int row) const
{
    if (row < 0 || row >= m_rowCount)
        return nullptr;
    const int page = row / kPageRows;
    auto it = m_pages.constFind(page);
    if (it == m_pages.cend()) {
        if (!fetchPage(page))
            return nullptr;
        it = m_pages.constFind(page);
    } else if (m_pageAge.last() != page) {
        m_pageAge.removeOne(page);
        m_pageAge.append(page);
    }
    const Row& r = it.value().at(row % kPageRows);
    return r.isEmpty() ? nullptr : &r;
}

QVariant ReportTableModel::value(int row, const QString& column) const
{
    const int c = int(m_columns.indexOf(column));
    const Row* r = rowAt(row);
    return r && c >= 0 ? r->at(c) : QVariant();
}

int ReportTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int ReportTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ReportTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    const Row* r = rowAt(index.row());
    if (!r || index.column() < 0 || index.column() >= r->size())
        return QVariant();
    return r->at(index.column());
}

QVariant ReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section >= 0 && section < m_labels.size())
        return m_labels.at(section);
    return section >= 0 && section < m_columns.size() ? QVariant(m_columns.at(section)) : QVariant();
}
