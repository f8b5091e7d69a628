#include "errorlistdlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const int kRecordRole = Qt::UserRole + 1;
}

ErrorListDlg::ErrorListDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ErrorListDlg"));
    setWindowTitle(tr("Error List Dialog"));
    resize(520, 420);

    lwErrors = new QListWidget;
    lwErrors->setObjectName(QStringLiteral("lwErrors"));
    lwErrors->setAlternatingRowColors(true);
    // Items have different heights; laying them out in batches keeps a list
    // of thousands of findings from stalling the window.
    lwErrors->setLayoutMode(QListView::Batched);
    lwErrors->setWordWrap(true);
    lblErrors = new QLabel;
    lblErrors->setObjectName(QStringLiteral("lblErrors"));
    lblWarnings = new QLabel;
    lblWarnings->setObjectName(QStringLiteral("lblWarnings"));
    pbClose = new QPushButton(tr("Close"));
    pbClose->setObjectName(QStringLiteral("pbClose"));

    auto* counts = new QHBoxLayout;
    counts->addWidget(lblErrors);
    counts->addWidget(lblWarnings);
    counts->addStretch();
    counts->addWidget(pbClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lwErrors);
    layout->addLayout(counts);

    connect(pbClose, &QPushButton::clicked, this, &QDialog::close);
    connect(lwErrors, &QListWidget::itemDoubleClicked, this, &ErrorListDlg::itemActivated);
    clear();
}

void ErrorListDlg::clear()
{
    lwErrors->clear();
    lblErrors->setText(tr("Found errors: 0"));
    lblWarnings->setText(tr("Found warnings: 0"));
}

void ErrorListDlg::setResult(int errors, int warnings, const QString& title)
{
    lblErrors->setText(tr("Found errors: ") + QString::number(errors));
    lblWarnings->setText(tr("Found warnings: ") + QString::number(warnings));
    setWindowTitle(title);
}

void ErrorListDlg::addItem(const QString& text, int recordNumber)
{
    auto* item = new QListWidgetItem(text);
    item->setData(kRecordRole, recordNumber);
    lwErrors->addItem(item);
}

int ErrorListDlg::itemCount() const
{
    return lwErrors->count();
}

void ErrorListDlg::itemActivated(QListWidgetItem* item)
{
    if (!item)
        return;
    // The number stands between the first colon and the first line feed
    // ("RECORD NO: 7\n..."); the header's item has none there.
    const QString text = item->text();
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return;
    const qsizetype end = text.indexOf(QLatin1Char('\n'), colon);
    bool ok = false;
    const int number = text.mid(colon + 1, end < 0 ? -1 : end - colon - 1).toInt(&ok);
    if (ok) {
        emit itemDoubleclicked(number);
        return;
    }
    const int stored = item->data(kRecordRole).toInt();
    if (stored >= 0)
        emit itemDoubleclicked(stored);
}
