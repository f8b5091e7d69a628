#include "recordtablemodel.h"

#include "hcm/hcmfile.h"

#include <algorithm>
#include <numeric>

namespace {

// The record text behind each text column.
HcmField fieldOf(int column)
{
    switch (column) {
    case RecordTableModel::StationNameColumn: return HcmField::StationName;
    case RecordTableModel::EntryColumn: return HcmField::TypeOfEntry;
    case RecordTableModel::FrequencyColumn: return HcmField::Frequency;
    case RecordTableModel::UnitColumn: return HcmField::FrequencyUnit;
    default: return HcmField::CoordinationReference;
    }
}

} // namespace

RecordTableModel::RecordTableModel(const HCMFile* file, QObject* parent)
    : QAbstractTableModel(parent), m_file(file)
{
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_numbers.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    const int number = numberAt(index.row());
    if (index.column() == NumberColumn)
        return numberText(number);
    const HCMRecord* record = m_file->recordAt(number);
    if (!record)
        return QVariant();
    const QByteArrayView text = record->view(fieldOf(index.column()));
    return QString::fromLatin1(text.data(), text.size());
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case StationNameColumn: return tr("           Station name           ");
    case EntryColumn: return tr("Entry");
    case FrequencyColumn: return tr("Frequency");
    case UnitColumn: return tr("F. Unit");
    case ReferenceColumn: return tr("Coord. reference");
    case NumberColumn: return tr("No");
    default: return QVariant();
    }
}

Qt::ItemFlags RecordTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool RecordTableModel::lessThan(int column, int a, int b) const
{
    if (column == NumberColumn)
        return a < b;
    const HcmField field = fieldOf(column);
    return m_file->recordAt(a)->view(field) < m_file->recordAt(b)->view(field);
}

void RecordTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount || m_numbers.empty())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> numbersBefore;
    numbersBefore.reserve(std::size_t(before.size()));
    for (const QModelIndex& index : before)
        numbersBefore.push_back(numberAt(index.row()));

    if (column == NumberColumn) {
        if (order == Qt::AscendingOrder)
            std::stable_sort(m_numbers.begin(), m_numbers.end());
        else
            std::stable_sort(m_numbers.begin(), m_numbers.end(), std::greater<int>());
    } else {
        // Keys fetched once: a comparison then costs one byte compare.
        const HcmField field = fieldOf(column);
        std::vector<std::pair<QByteArrayView, int>> keyed;
        keyed.reserve(m_numbers.size());
        for (int n : m_numbers)
            keyed.emplace_back(m_file->recordAt(n)->view(field), n);
        const bool ascending = order == Qt::AscendingOrder;
        std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto& x, const auto& y) {
            return ascending ? x.first < y.first : y.first < x.first;
        });
        for (std::size_t i = 0; i < keyed.size(); ++i)
            m_numbers[i] = keyed[i].second;
    }

    std::vector<int> rowByNumber(std::size_t(m_file->recordCount()), -1);
    for (std::size_t row = 0; row < m_numbers.size(); ++row) {
        const int n = m_numbers[row];
        if (n >= 0 && n < int(rowByNumber.size()))
            rowByNumber[std::size_t(n)] = int(row);
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < before.size(); ++i) {
        const int n = numbersBefore[std::size_t(i)];
        const int row = n >= 0 && n < int(rowByNumber.size()) ? rowByNumber[std::size_t(n)] : -1;
        after.append(row < 0 ? QModelIndex() : index(row, before.at(i).column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void RecordTableModel::fill()
{
    beginResetModel();
    m_numbers.resize(std::size_t(m_file->recordCount()));
    std::iota(m_numbers.begin(), m_numbers.end(), 0);
    endResetModel();
}

void RecordTableModel::clear()
{
    beginResetModel();
    m_numbers.clear();
    m_numbers.shrink_to_fit();
    endResetModel();
}

int RecordTableModel::numberAt(int row) const
{
    if (row < 0 || row >= int(m_numbers.size()))
        return -1;
    return m_numbers[std::size_t(row)];
}

int RecordTableModel::rowOf(int number) const
{
    const auto it = std::find(m_numbers.begin(), m_numbers.end(), number);
    return it == m_numbers.end() ? -1 : int(it - m_numbers.begin());
}

int RecordTableModel::insertNumber(int row, int number)
{
    row = std::clamp(row, 0, int(m_numbers.size()));
    beginInsertRows(QModelIndex(), row, row);
    m_numbers.insert(m_numbers.begin() + row, number);
    endInsertRows();
    return row;
}

void RecordTableModel::removeRowSpan(int top, int bottom)
{
    top = std::max(top, 0);
    bottom = std::min(bottom, int(m_numbers.size()) - 1);
    if (top > bottom)
        return;
    beginRemoveRows(QModelIndex(), top, bottom);
    m_numbers.erase(m_numbers.begin() + top, m_numbers.begin() + bottom + 1);
    endRemoveRows();
}

void RecordTableModel::refreshRow(int row)
{
    if (row >= 0 && row < int(m_numbers.size()))
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1), {Qt::DisplayRole});
}

std::vector<int> RecordTableModel::numbersInNumberOrder() const
{
    std::vector<int> sorted = m_numbers;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

QString RecordTableModel::numberText(int number)
{
    return QStringLiteral("%1").arg(number, 8, 10, QLatin1Char('0'));
}

void RecordTableModel::appendNumbers(const std::vector<int>& numbers)
{
    if (numbers.empty())
        return;
    const int first = int(m_numbers.size());
    beginInsertRows(QModelIndex(), first, first + int(numbers.size()) - 1);
    m_numbers.insert(m_numbers.end(), numbers.begin(), numbers.end());
    endInsertRows();
}

void RecordTableModel::removeNumbers(const std::vector<int>& numbers)
{
    if (numbers.empty())
        return;
    // One pass over the rows: removing them one by one would move the rest
    // of a large table once per row.
    int top = 0;
    for (int n : m_numbers)
        top = std::max(top, n + 1);
    for (int n : numbers)
        top = std::max(top, n + 1);
    std::vector<bool> gone(std::size_t(top), false);
    for (int n : numbers) {
        if (n >= 0)
            gone[std::size_t(n)] = true;
    }
    beginResetModel();
    m_numbers.erase(std::remove_if(m_numbers.begin(), m_numbers.end(),
                                   [&gone](int n) { return n >= 0 && gone[std::size_t(n)]; }),
                    m_numbers.end());
    endResetModel();
}

void RecordTableModel::refreshAll()
{
    if (!m_numbers.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}
