#include "closebuttonrow.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* closeButtonRow(QDialog* dialog, QPushButton*& button)
{
    button = new QPushButton(QCoreApplication::translate("QDialog", "Close"));
    button->setObjectName(QStringLiteral("pbClose"));
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::close);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    return row;
}

QPushButton* namedButton(const QString& text, const char* name)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
