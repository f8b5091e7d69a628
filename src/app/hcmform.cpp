#include "hcmform.h"

#include <QMdiArea>

hcmForm::hcmForm(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(tr("Linkwise"));
    auto* area = new QMdiArea(this);
    area->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(area);
    resize(1024, 700);
}
