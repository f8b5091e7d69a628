#ifndef WINDOWFACTORY_H
#define WINDOWFACTORY_H

#include "checks/checkoptions.h"

#include <functional>

class CalcFilesDialog;
class DownloadCentre;
class EditorWindow;
class QDialog;
class QString;
class QWidget;
class ReportWindow;
struct DownloadCentreSetup;
struct ReportSetup;

// How the main window makes the windows that other parts of the program
// provide. The program uses productionWindowFactory(); tests give the main
// window stand-ins. A missing function means that window is not part of this
// build: the actions that need it do nothing.
struct WindowFactory
{
    // Sub-windows of the MDI area, made on demand.
    std::function<EditorWindow*(const CheckOptions&)> editor;
    std::function<ReportWindow*(const ReportSetup&)> report;
    // Dialogs made once, when the factory is handed to the main window, with
    // the main window as parent.
    std::function<CalcFilesDialog*(QWidget* parent)> calcFilesDialog;
    // The TX/RX mask dialog on the equipment database file.
    std::function<QDialog*(QWidget* parent, const QString& database)> maskDialog;
    std::function<DownloadCentre*(QWidget* parent, const DownloadCentreSetup&)> downloadCentre;
};

WindowFactory productionWindowFactory();

#endif
