#ifndef SUBWINDOWFACTORY_H
#define SUBWINDOWFACTORY_H

#include "checkoptions.h"

#include <functional>

class EditorWindow;
class ReportWindow;
struct ReportSetup;

// How the main window makes its sub-windows. The program uses
// productionWindowFactory(); tests give the main window stand-ins. A missing
// function means that kind of window cannot be made in this build: the actions
// that need it do nothing.
struct SubWindowFactory
{
    std::function<EditorWindow*(const CheckOptions&)> editor;
    std::function<ReportWindow*(const ReportSetup&)> report;
};

SubWindowFactory productionWindowFactory();

#endif
