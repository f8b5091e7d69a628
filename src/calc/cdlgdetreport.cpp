#include "cdlgdetreport.h"

#include "ui/closebuttonrow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CdlgDetReport::CdlgDetReport(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CdlgDetReport"));
    teReport = new QPlainTextEdit;
    teReport->setObjectName(QStringLiteral("teReport"));
    teReport->setReadOnly(true);
    teReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    teReport->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(teReport);
    layout->addLayout(closeButtonRow(this, pbClose));
    resize(760, 520);
}

void CdlgDetReport::showText(const QString& title, const QString& text)
{
    setWindowTitle(title);
    teReport->setPlainText(text);
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
}

QString CdlgDetReport::text() const
{
    return teReport->toPlainText();
}
