#include "apppaths.h"
#include "hcmform.h"
#include "instancelock.h"
#include "resources/linkwiseresources.h"
#include "startup.h"
#include "windowfactory.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    initLinkwiseResources();

    // A second copy leaves at once, before any window exists, without a word.
    InstanceLock lock(AppPaths::lockFilePath());
    if (lock.anotherInstanceRuns())
        return -1;

    QApplication app(argc, argv);
    // Lets the desktop match the windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.linkwise.Linkwise"));
    hcmForm window;
    window.setWindowFactory(productionWindowFactory());
    Startup::useCNumberFormat();
    window.show();
    window.takeCommandLine(QCoreApplication::arguments());
    return app.exec();
}
