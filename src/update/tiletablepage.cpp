#include "tiletablepage.h"

#include <QApplication>
#include <QColor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QColor kOnDisk(Qt::green);
const QColor kOnInternet(Qt::red);
const QColor kForDownload(Qt::yellow);

class ColouredTileModel : public TileTableModel
{
public:
    using TileTableModel::TileTableModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::BackgroundRole)
            return TileTableModel::data(index, role);
        switch (TileTableModel::data(index, StateRole).toInt()) {
        case ForDownload:
            return kForDownload;
        case OnDisk:
            return kOnDisk;
        default:
            return kOnInternet;
        }
    }
};

QLabel* swatch(const QColor& colour, const QString& text)
{
    auto* label = new QLabel(text);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, colour);
    label->setPalette(p);
    label->setMargin(3);
    return label;
}

void fixSections(QHeaderView* header)
{
    header->setMinimumSectionSize(1);
    header->setDefaultSectionSize(10);
    header->setSectionResizeMode(QHeaderView::Fixed);
    QFont small = header->font();
    small.setPointSize(6);
    header->setFont(small);
}

} // namespace

TileTablePage::TileTablePage(const Names& names, QWidget* parent)
    : QWidget(parent), m_model(new ColouredTileModel(this)), m_table(new QTableView)
{
    m_table->setObjectName(QLatin1String(names.table));
    m_table->setModel(m_model);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fixSections(m_table->horizontalHeader());
    fixSections(m_table->verticalHeader());

    m_europe = new QRadioButton(tr("Europe"));
    m_europe->setObjectName(QLatin1String(names.europe));
    m_europe->setChecked(true);
    m_world = new QRadioButton(tr("World"));
    m_world->setObjectName(QLatin1String(names.world));
    auto* range = new QGroupBox(tr("Constrains:"));
    auto* rangeLayout = new QHBoxLayout(range);
    rangeLayout->addWidget(m_europe);
    rangeLayout->addWidget(m_world);

    auto* legend = new QGroupBox(tr("Availability:"));
    auto* legendLayout = new QHBoxLayout(legend);
    legendLayout->addWidget(swatch(kOnDisk, tr("on disk")));
    legendLayout->addWidget(swatch(kOnInternet, tr("on Internet")));
    legendLayout->addWidget(swatch(kForDownload, tr("for download")));

    m_check = new QPushButton(tr("Check availability"));
    m_check->setObjectName(QLatin1String(names.check));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(range);
    bottom->addWidget(legend);
    bottom->addStretch();
    bottom->addWidget(m_check);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(bottom);
}

void TileTablePage::fill(const QString& dataFolder, bool world)
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    setEnabled(false);
    if (world)
        m_model->setRange(-180, 179, 89, -90);
    else
        m_model->setRange(-11, 41, 72, 19);
    m_model->scan(dataFolder);
    setEnabled(true);
    QApplication::restoreOverrideCursor();
}

QModelIndexList TileTablePage::selectedCells() const
{
    return m_table->selectionModel() ? m_table->selectionModel()->selectedIndexes()
                                     : QModelIndexList();
}
