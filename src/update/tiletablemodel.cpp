#include "tiletablemodel.h"

#include "tilenames.h"

#include <QDir>

TileTableModel::TileTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TileTableModel::setRange(int west, int east, int north, int south)
{
    beginResetModel();
    m_west = west;
    m_east = east;
    m_north = north;
    m_south = south;
    const size_t cells = size_t(rowCount()) * size_t(columnCount());
    m_onDisk.assign(cells, false);
    m_forDownload.assign(cells, false);
    m_filled = false;
    endResetModel();
}

void TileTableModel::scan(const QString& dataFolder)
{
    std::fill(m_onDisk.begin(), m_onDisk.end(), false);
    const QDir data(dataFolder);
    const QStringList columns = data.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& column : columns) {
        int lon = 0;
        int lat = 0;
        // Only column folders ("E016"); the download folders sit beside them.
        if (!TileNames::parseTileName(column + QStringLiteral("N00"), &lon, &lat)
            || column.size() != 4 || lon < m_west || lon > m_east)
            continue;
        const QStringList files = QDir(data.filePath(column)).entryList(QDir::Files);
        for (const QString& file : files) {
            if (!TileNames::parseTileName(file, &lon, &lat) || lon < m_west || lon > m_east
                || lat > m_north || lat < m_south)
                continue;
            m_onDisk[cell(m_north - lat, lon - m_west)] = true;
        }
    }
    m_filled = true;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

bool TileTableModel::isOnDisk(const QModelIndex& index) const
{
    return index.isValid() && m_onDisk[cell(index.row(), index.column())];
}

bool TileTableModel::isForDownload(const QModelIndex& index) const
{
    return index.isValid() && m_forDownload[cell(index.row(), index.column())];
}

void TileTableModel::setForDownload(const QModelIndexList& cells, bool marked)
{
    for (const QModelIndex& i : cells) {
        if (i.isValid() && i.model() == this) {
            m_forDownload[cell(i.row(), i.column())] = marked;
            emit dataChanged(i, i);
        }
    }
}

QList<UpdateFiles::Tile> TileTableModel::tilesForDownload() const
{
    QList<UpdateFiles::Tile> tiles;
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            if (m_forDownload[cell(row, column)])
                tiles.append({longitudeAt(column), latitudeAt(row)});
        }
    }
    return tiles;
}

int TileTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : qMax(0, m_north - m_south + 1);
}

int TileTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : qMax(0, m_east - m_west + 1);
}

QString TileTableModel::columnHeader(int column) const
{
    const int lon = longitudeAt(column);
    return (lon >= 0 ? QStringLiteral("E") : QStringLiteral("W")) + QString::number(qAbs(lon));
}

QString TileTableModel::rowHeader(int row) const
{
    const int lat = latitudeAt(row);
    return (lat >= 0 ? QStringLiteral("N") : QStringLiteral("S")) + QString::number(qAbs(lat));
}

QVariant TileTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == StateRole) {
        if (isForDownload(index))
            return ForDownload;
        return isOnDisk(index) ? OnDisk : OnInternet;
    }
    if (role == Qt::ToolTipRole)
        return columnHeader(index.column()) + QLatin1Char(' ') + rowHeader(index.row());
    return QVariant();
}

QVariant TileTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    return orientation == Qt::Horizontal ? columnHeader(section) : rowHeader(section);
}

QStringList TileTableModel::tileFiles(const QString& dataFolder, int longitude, int latitude)
{
    const QDir column(QDir(dataFolder).filePath(TileNames::columnName(longitude)));
    QStringList files;
    for (const QString& file : column.entryList(QDir::Files)) {
        int lon = 0;
        int lat = 0;
        if (TileNames::parseTileName(file, &lon, &lat) && lon == longitude && lat == latitude)
            files.append(column.filePath(file));
    }
    return files;
}
