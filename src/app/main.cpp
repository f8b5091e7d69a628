#include "hcmform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(LINKWISE_VERSION));
    hcmForm window;
    window.show();
    return app.exec();
}
