#include "hcmcomparedt.h"

#include "hcm/fieldindex.h"
#include "hcm/hcmfile.h"
#include "ui/closebuttonrow.h"

#include <QAbstractTableModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString latin1(QByteArrayView v)
{
    return QString::fromLatin1(v.data(), v.size());
}

} // namespace

// The rows of the records that differ. Tens of thousands of pairs may
// differ, so the texts are read only when a row is shown.
class DifferenceRowsModel : public QAbstractTableModel
{
public:
    struct Row
    {
        QByteArray entry;
        QByteArray name;
        QByteArray reference;
        PairDifferences pair;
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : 3;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        const Row& row = m_rows[std::size_t(index.row())];
        switch (index.column()) {
        case 0: return latin1(row.entry);
        case 1: return latin1(row.name);
        default: return latin1(row.reference);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return QAbstractTableModel::headerData(section, orientation, role);
        static const char* const kHeaders[3] = {QT_TR_NOOP("Tx/Rx"), QT_TR_NOOP("Name of station"),
                                                QT_TR_NOOP("Reference")};
        return CMPRESView::tr(kHeaders[section]);
    }

    void setRows(std::vector<Row> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const Row* row(int r) const
    {
        return r >= 0 && r < int(m_rows.size()) ? &m_rows[std::size_t(r)] : nullptr;
    }

private:
    std::vector<Row> m_rows;
};

CMPRESView::CMPRESView(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("compare_results"));
    setWindowTitle(tr("Detailed comparison"));
    auto* records = new QGroupBox(tr("Records"));
    table = new QTableView;
    table->setObjectName(QStringLiteral("table"));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setResizeContentsPrecision(200);
    (new QVBoxLayout(records))->addWidget(table);

    auto* parameters = new QGroupBox(tr("Parameters did not matched"));
    tableP = new QTableWidget(0, 3);
    tableP->setObjectName(QStringLiteral("tableP"));
    tableP->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableP->horizontalHeader()->setStretchLastSection(true);
    (new QVBoxLayout(parameters))->addWidget(tableP);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(records, 1);
    layout->addWidget(parameters, 1);
    layout->addLayout(closeButtonRow(this, pbClose));
    resize(720, 560);
}

HCMCompareDT::HCMCompareDT(QWidget* parentWindow)
    : QObject(parentWindow), m_view(new CMPRESView(parentWindow)),
      m_model(new DifferenceRowsModel(this))
{
    m_view->table->setModel(m_model);
    connect(m_view->table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &HCMCompareDT::selectionChanged);
    connect(m_view->table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const DifferenceRowsModel::Row* row = m_model->row(index.row()))
            emit itemDoubleclicked(row->pair.main);
    });
    reset();
}

void HCMCompareDT::reset()
{
    m_model->setRows({});
    m_view->tableP->clearContents();
    m_view->tableP->setRowCount(0);
    m_view->tableP->setHorizontalHeaderLabels(
        {CMPRESView::tr("Field type"), CMPRESView::tr("Orig. value"), CMPRESView::tr("Aux. value")});
}

void HCMCompareDT::showDifferences(const HCMFile& main, const std::vector<PairDifferences>& pairs)
{
    reset();
    std::vector<DifferenceRowsModel::Row> rows;
    rows.reserve(pairs.size());
    for (const PairDifferences& pair : pairs) {
        const HCMRecord* record = main.recordAt(pair.main);
        if (!record)
            continue;
        rows.push_back({record->text(HcmField::TypeOfEntry), record->text(HcmField::StationName),
                        record->text(HcmField::CoordinationReference), pair});
    }
    m_model->setRows(std::move(rows));
    m_view->table->resizeColumnsToContents();
    m_view->setWindowModality(Qt::ApplicationModal);
    m_view->show();
    m_view->raise();
}

void HCMCompareDT::selectionChanged()
{
    QTableWidget* t = m_view->tableP;
    t->clearContents();
    t->setHorizontalHeaderLabels(
        {CMPRESView::tr("Field type"), CMPRESView::tr("Orig. value"), CMPRESView::tr("Aux. value")});
    const DifferenceRowsModel::Row* row = m_model->row(m_view->table->currentIndex().row());
    const int count = row ? int(row->pair.fields.size()) : 0;
    t->setRowCount(count);
    for (int i = 0; i < count; ++i) {
        const FieldDifference& d = row->pair.fields[std::size_t(i)];
        t->setItem(i, 0, new QTableWidgetItem(fieldIndexName(d.field)));
        t->setItem(i, 1, new QTableWidgetItem(latin1(d.mainValue)));
        t->setItem(i, 2, new QTableWidgetItem(latin1(d.auxValue)));
    }
    t->resizeColumnsToContents();
}
