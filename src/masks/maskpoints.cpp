#include "maskpoints.h"

#include "maskdatabase.h"
#include "ui/userprompts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

MASKPOINTS::MASKPOINTS(MaskDatabase& db, qint64 maskRowId, QWidget* parent)
    : QDialog(parent), m_db(db), m_mask(maskRowId), input_freq(new QLineEdit),
      input_att(new QLineEdit), box_points(new QListWidget)
{
    setWindowTitle(tr("Mask"));
    input_freq->setObjectName(QStringLiteral("input_freq"));
    input_att->setObjectName(QStringLiteral("input_att"));
    box_points->setObjectName(QStringLiteral("box_points"));
    box_points->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* inputs = new QFormLayout;
    inputs->addRow(tr("Freq."), input_freq);
    inputs->addRow(tr("Att."), input_att);
    auto* deleteSelected = new QPushButton(tr("Delete selected"));
    auto* deleteAll = new QPushButton(tr("Delete all"));
    auto* close = new QPushButton(tr("Close"));
    deleteSelected->setObjectName(QStringLiteral("pbDelete_selected"));
    deleteAll->setObjectName(QStringLiteral("pbDelete_all"));
    // Return belongs to the inputs, never to a button.
    for (QPushButton* button : {deleteSelected, deleteAll, close})
        button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(deleteSelected);
    buttons->addWidget(deleteAll);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(box_points);
    layout->addLayout(buttons);

    connect(input_freq, &QLineEdit::returnPressed, input_att, qOverload<>(&QWidget::setFocus));
    connect(input_att, &QLineEdit::returnPressed, this, &MASKPOINTS::s_add);
    connect(deleteSelected, &QPushButton::clicked, this, &MASKPOINTS::s_delete_selected);
    connect(deleteAll, &QPushButton::clicked, this, &MASKPOINTS::s_delete_all);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    fill();
}

void MASKPOINTS::fill()
{
    box_points->clear();
    for (const MaskDatabase::Point& point : m_db.points(m_mask)) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 MHz\t%2 dB")
                                             .arg(point.frequency)
                                             .arg(point.attenuation),
                                         box_points);
        item->setData(Qt::UserRole, point.rowId);
    }
}

void MASKPOINTS::report()
{
    UserPrompts::warning(this, windowTitle(), m_db.lastError());
}

void MASKPOINTS::s_add()
{
    const std::optional<double> frequency = maskNumber(input_freq->text());
    const std::optional<double> attenuation = maskNumber(input_att->text());
    if (!frequency || !attenuation) {
        UserPrompts::warning(this, tr("Input error"),
                             tr("Please enter the frequency and the attenuation as numbers."));
        (frequency ? input_att : input_freq)->setFocus();
        return;
    }
    if (!m_db.addPoint(m_mask, *frequency, *attenuation))
        return report();
    input_freq->clear();
    input_att->clear();
    input_freq->setFocus();
    fill();
}

void MASKPOINTS::s_delete_selected()
{
    for (const QListWidgetItem* item : box_points->selectedItems()) {
        if (!m_db.removePoint(item->data(Qt::UserRole).toLongLong()))
            report();
    }
    fill();
}

void MASKPOINTS::s_delete_all()
{
    if (!m_db.removeAllPoints(m_mask))
        report();
    fill();
}
