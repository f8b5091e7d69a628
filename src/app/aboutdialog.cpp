#include "aboutdialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(tr("About Linkwise"));

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("picture"));
    picture->setPixmap(QPixmap(QStringLiteral(":/main/pics/hcmfs1.png")));
    auto* product = new QLabel(QStringLiteral("<b>Linkwise</b>"));
    product->setObjectName(QStringLiteral("productName"));
    versionLabel = new QLabel(tr("Version %1").arg(QCoreApplication::applicationVersion()));
    versionLabel->setObjectName(QStringLiteral("versionLabel"));
    auto* description = new QLabel(
        tr("Editing, checking and interference calculations\nfor HCM fixed-service station files."));
    auto* ok = new QPushButton(tr("OK"));
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(versionLabel);
    texts->addWidget(description);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}
