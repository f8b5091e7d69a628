#ifndef HCMCOMPAREDT_H
#define HCMCOMPAREDT_H

#include "filecomparison.h"

#include <QDialog>

class HCMFile;
class QGroupBox;
class QPushButton;
class QTableView;
class QTableWidget;
class DifferenceRowsModel;

// The dialog of the detailed comparison: the matched records that differ
// (type of entry, name, reference) and, for the current one, the fields in
// which it differs with both values.
class CMPRESView : public QDialog
{
    Q_OBJECT
public:
    explicit CMPRESView(QWidget* parent = nullptr);

    QTableView* table;
    QTableWidget* tableP;
    QPushButton* pbClose;
};

// Owns the detailed comparison's dialog and the differences behind its rows.
class HCMCompareDT : public QObject
{
    Q_OBJECT
public:
    explicit HCMCompareDT(QWidget* parentWindow);

    // Empties both tables and the difference lists.
    void reset();
    // Fills the rows from the pairs that differ and shows the dialog modally.
    void showDifferences(const HCMFile& main, const std::vector<PairDifferences>& pairs);
    CMPRESView* view() const { return m_view; }

signals:
    // The main record number of a row that was double-clicked.
    void itemDoubleclicked(int recordNumber);

public slots:
    void selectionChanged();

private:
    CMPRESView* m_view;
    DifferenceRowsModel* m_model;
};

#endif
