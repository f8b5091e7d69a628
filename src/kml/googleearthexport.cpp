#include "googleearthexport.h"

#include "stationexport.h"
#include "ui/userprompts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

void showStationsOnGoogleEarth(QWidget* parent, const HCMFile& file, const std::vector<int>& recordNumbers,
                               bool showTower, const QString& dataFolder)
{
    KmlExportRequest request;
    request.outputPath = dataFolder + QLatin1Char('/') + kmlExportFileName();
    request.programFolder = QCoreApplication::applicationDirPath();
    request.showTower = showTower;
    const KmlExportResult result = exportStationsToKml(file, recordNumbers, request);
    if (result.failed())
        UserPrompts::warning(parent, result.warningTitle(), result.warningText());
    else if (result.status == KmlExportResult::Written)
        // A plain local-file URL: a host part would turn it into a network path.
        QDesktopServices::openUrl(QUrl::fromLocalFile(result.path));
}
