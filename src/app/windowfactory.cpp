#include "windowfactory.h"

#include "editor/hcmeditmdi.h"
#include "update/downloadcenter.h"

// The windows that the program itself creates. The HCM editor, the report
// window and the dialogs of the calculations, masks and downloads register
// here as they are built.
WindowFactory productionWindowFactory()
{
    WindowFactory factory;
    factory.editor = [](const CheckOptions& options) -> EditorWindow* {
        return new hcmEditMDI(options);
    };
    factory.downloadCentre = [](QWidget* parent,
                                const DownloadCentreSetup& setup) -> DownloadCentre* {
        return new downloadCenter(parent, setup);
    };
    return factory;
}
