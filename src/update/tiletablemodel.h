#ifndef TILETABLEMODEL_H
#define TILETABLEMODEL_H

#include "updatefiles.h"

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <QStringList>

#include <vector>

// One cell per one-degree tile: longitudes as columns from west to east,
// latitudes as rows from north to south. A cell knows whether its tile is on
// disk and whether it is marked for download; StateRole gives that as a
// TileState, for the view to colour.
class TileTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum TileState { OnInternet = 0, OnDisk = 1, ForDownload = 2 };
    static constexpr int StateRole = Qt::UserRole + 1;

    explicit TileTableModel(QObject* parent = nullptr);

    // Shows longitudes west..east and latitudes north..south; clears all marks.
    void setRange(int west, int east, int north, int south);
    // Marks the tiles whose files lie in the column folders of dataFolder.
    void scan(const QString& dataFolder);
    bool isFilled() const { return m_filled; }

    int longitudeAt(int column) const { return m_west + column; }
    int latitudeAt(int row) const { return m_north - row; }
    bool isOnDisk(const QModelIndex& index) const;
    bool isForDownload(const QModelIndex& index) const;

    void setForDownload(const QModelIndexList& cells, bool marked);
    QList<UpdateFiles::Tile> tilesForDownload() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The files of one tile in a data folder.
    static QStringList tileFiles(const QString& dataFolder, int longitude, int latitude);

private:
    size_t cell(int row, int column) const { return size_t(row) * size_t(columnCount()) + column; }
    QString columnHeader(int column) const;
    QString rowHeader(int row) const;

    int m_west = 0;
    int m_east = -1;
    int m_north = 0;
    int m_south = 1;
    bool m_filled = false;
    std::vector<bool> m_onDisk;
    std::vector<bool> m_forDownload;
};

#endif
