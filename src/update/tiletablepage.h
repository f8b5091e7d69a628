#ifndef TILETABLEPAGE_H
#define TILETABLEPAGE_H

#include "tiletablemodel.h"

#include <QWidget>

class QPushButton;
class QRadioButton;
class QTableView;

// One tab of tiles: the table, the Europe/World choice, the legend and the
// button that fills the table from the data folder. What to do with the
// selection is the download centre's business.
class TileTablePage : public QWidget
{
    Q_OBJECT
public:
    struct Names
    {
        const char* table;
        const char* europe;
        const char* world;
        const char* check;
    };

    TileTablePage(const Names& names, QWidget* parent = nullptr);

    TileTableModel* model() const { return m_model; }
    QTableView* table() const { return m_table; }
    QPushButton* checkButton() const { return m_check; }
    QRadioButton* europeButton() const { return m_europe; }
    QRadioButton* worldButton() const { return m_world; }

    // Fills the table for the chosen range and marks what lies in dataFolder,
    // with a busy cursor and the page disabled meanwhile.
    void fill(const QString& dataFolder, bool world);
    QModelIndexList selectedCells() const;

private:
    TileTableModel* m_model;
    QTableView* m_table;
    QRadioButton* m_europe;
    QRadioButton* m_world;
    QPushButton* m_check;
};

#endif
