#include "windowfactory.h"

#include "calc/cdlgopenfiles.h"
#include "calc/hcmreport.h"
#include "editor/hcmeditmdi.h"

// The windows that the program itself creates. The HCM editor, the report
// window and the dialogs of the calculations, masks and downloads register
// here as they are built.
WindowFactory productionWindowFactory()
{
    WindowFactory factory;
    factory.editor = [](const CheckOptions& options) -> EditorWindow* {
        return new hcmEditMDI(options);
    };
    factory.report = [](const ReportSetup& setup) -> ReportWindow* { return new hcmReport(setup); };
    factory.calcFilesDialog = [](QWidget* parent) -> CalcFilesDialog* { return new CdlgOpenFiles(parent); };
    return factory;
}
