#include "hcmfilecompare.h"

#include "ui/closebuttonrow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* valueLabel(const char* name)
{
    auto* label = new QLabel(QStringLiteral("____"));
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}


} // namespace

HCMFileCompare::HCMFileCompare(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HCMFileCompare"));
    setWindowTitle(tr("Compare with auxiliary file"));
    setModal(true);
    lblFileName = valueLabel("lblFileName");
    lblTotal = valueLabel("lblTotal");
    lblMatched = valueLabel("lblMatched");
    lblNotMatched = valueLabel("lblNotMatched");
    pbViewTotal = namedButton(tr("View"), "pbViewTotal");
    pbViewMatched = namedButton(tr("View"), "pbViewMatched");
    pbViewNotMatched = namedButton(tr("View"), "pbViewNotMatched");
    cbAction = new QComboBox;
    cbAction->setObjectName(QStringLiteral("cbAction"));
    cbAction->addItems({tr("Delete matched records"), tr("Append not matched records"),
                        tr("Replace matched records by ones from the file"),
                        tr("Detailed comparison of the matched records")});
    pbDo = namedButton(tr("Do"), "pbDo");
    pbClose = namedButton(tr("Close"), "pbClose");

    auto* grid = new QGridLayout;
    const auto row = [grid](int r, const QString& label, QWidget* value, QWidget* action) {
        grid->addWidget(new QLabel(label), r, 0);
        grid->addWidget(value, r, 1);
        if (action)
            grid->addWidget(action, r, 2);
    };
    row(0, tr("File name:   "), lblFileName, nullptr);
    row(1, tr("Records total: "), lblTotal, pbViewTotal);
    row(2, tr("Matched records: "), lblMatched, pbViewMatched);
    row(3, tr("Records did not match: "), lblNotMatched, pbViewNotMatched);
    row(4, tr("Action: "), cbAction, pbDo);
    grid->setColumnStretch(1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(pbClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);

    connect(pbViewTotal, &QPushButton::clicked, this, &HCMFileCompare::viewTotal);
    connect(pbViewMatched, &QPushButton::clicked, this, &HCMFileCompare::viewFound);
    connect(pbViewNotMatched, &QPushButton::clicked, this, &HCMFileCompare::viewNotFound);
    connect(pbDo, &QPushButton::clicked, this, &HCMFileCompare::doAction);
    connect(pbClose, &QPushButton::clicked, this, &QDialog::close);
}

void HCMFileCompare::setFileName(const QString& path)
{
    lblFileName->setText(path);
}

void HCMFileCompare::setCounts(int total, int matched)
{
    lblTotal->setText(QString::number(total));
    lblMatched->setText(QString::number(matched));
    lblNotMatched->setText(QString::number(total - matched));
}

int HCMFileCompare::action() const
{
    return cbAction->currentIndex();
}
