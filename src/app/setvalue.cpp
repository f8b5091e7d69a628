#include "setvalue.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>

SetValue::SetValue(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetValue"));
    setWindowTitle(tr("Set value"));

    cbParameters = new QComboBox;
    cbParameters->setObjectName(QStringLiteral("cbParameters"));
    cbParameters->setFixedWidth(500);
    cbValue = new QComboBox;
    cbValue->setObjectName(QStringLiteral("cbValue"));
    cbValue->setFixedWidth(500);
    cbValue->setEditable(true);
    cbValue->setCompleter(nullptr);
    cbValue->setInsertPolicy(QComboBox::NoInsert);
    pbOk = new QPushButton(tr("OK"));
    pbOk->setObjectName(QStringLiteral("pbOk"));
    pbOk->setDefault(true);
    pbCancel = new QPushButton(tr("Cancel"));
    pbCancel->setObjectName(QStringLiteral("pbCancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Parameter:")), 0, 0);
    grid->addWidget(cbParameters, 0, 1);
    grid->addWidget(new QLabel(tr("Value:")), 1, 0);
    grid->addWidget(cbValue, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding, QSizePolicy::Minimum));
    buttons->addWidget(pbOk);
    buttons->addWidget(pbCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);

    connect(pbOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(pbCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cbParameters, &QComboBox::currentIndexChanged, this,
            [this](int index) { cbParametersChanged(cbParameters->itemText(index)); });
    connect(cbValue, &QComboBox::currentIndexChanged, this,
            [this](int index) { cbValueChanged(cbValue->itemText(index)); });

    // Filled after the connections so that the dialog starts in the 13Y state.
    cbParameters->addItem(tr("13Y: Status of co-ordination"));
    cbParameters->addItem(tr("2Z: Final date of achieving co-ordination"));
}

QString SetValue::parameterText() const
{
    return cbParameters->currentText();
}

QString SetValue::valueText() const
{
    return cbValue->currentText();
}

QStringList SetValue::statusEntries()
{
    return {
        tr("A: For information..."),
        tr("B: Request for agreement"),
        tr("C: Agreed without reservation"),
        tr("D: Agreed subject to operational tests..."),
        tr("E: Agreement on a non-interference basis (NIB)..."),
        tr("F: Agreed, subject to a requirement identical or analogous to the requirement of RR "
           "4.4"),
        tr("G: Agreed, without any reservation as to interference which may be caused by the "
           "assignment described..."),
        tr("H: E+G"),
        tr("M: Request for agreement following a modified co-ordination after an answer coded E, "
           "G, H, Y or Z"),
        tr("P: Assignment according to preferential frequency agreements..."),
        tr("R: Deletion of co-ordination"),
        tr("W: Withdrawal of the co-ordination request"),
        tr("Y: Request for agreement refused, but an alternative suggestion is formulated in "
           "column 13Z"),
        tr("Z: Request for agreement refused"),
    };
}

void SetValue::cbParametersChanged(const QString& text)
{
    // Clearing the list fires cbValueChanged; the flag must not cut that text.
    m_statusList = false;
    cbValue->lineEdit()->setInputMask(QString());
    cbValue->clear();
    if (text.contains(QLatin1String("13Y:"))) {
        cbValue->setToolTip(tr("Input one letter"));
        cbValue->addItems(statusEntries());
        m_statusList = true;
        cbValueChanged(cbValue->currentText());
    } else if (text.contains(QLatin1String("2Z:"))) {
        cbValue->lineEdit()->setInputMask(QStringLiteral("99999999;_"));
        cbValue->setToolTip(tr("Input format: DDMMYYYY"));
    }
    cbValue->setFocus();
}

void SetValue::cbValueChanged(const QString& text)
{
    if (!m_statusList)
        return;
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    cbValue->setEditText(colon < 0 ? text : text.left(colon));
}
