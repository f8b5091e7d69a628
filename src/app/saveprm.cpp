#include "saveprm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

SavePrm::SavePrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SavePrm"));
    setWindowTitle(tr("Save parameters dialog box"));

    cbIncludeHeader = new QCheckBox(tr("Include HCM header"));
    cbIncludeHeader->setObjectName(QStringLiteral("cbIncludeHeader"));
    cbIncludeHeader->setChecked(true);
    rbTableOrder = new QRadioButton(tr("Save according to table order"));
    rbTableOrder->setObjectName(QStringLiteral("rbTableOrder"));
    rbNumberOrder = new QRadioButton(tr("Save according to No order"));
    rbNumberOrder->setObjectName(QStringLiteral("rbNumberOrder"));
    rbNumberOrder->setChecked(true);
    pbSave = new QPushButton(tr("Save"));
    pbSave->setObjectName(QStringLiteral("pbSave"));
    pbSave->setDefault(true);
    pbCancel = new QPushButton(tr("Cancel"));
    pbCancel->setObjectName(QStringLiteral("pbCancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(cbIncludeHeader, 0, 0, 1, 2);
    grid->addWidget(rbTableOrder, 1, 0);
    grid->addWidget(rbNumberOrder, 1, 1);
    grid->addWidget(pbSave, 2, 0);
    grid->addWidget(pbCancel, 2, 1);
    pbSave->setFocus();

    connect(pbSave, &QPushButton::clicked, this, &QDialog::hide);
    connect(pbCancel, &QPushButton::clicked, this, &QDialog::hide);
}

bool SavePrm::includeHeader() const
{
    return cbIncludeHeader->isChecked();
}

void SavePrm::setIncludeHeader(bool include)
{
    cbIncludeHeader->setChecked(include);
}

bool SavePrm::tableOrder() const
{
    return rbTableOrder->isChecked();
}
