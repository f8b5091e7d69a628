#include "windowfactory.h"

#include "apppaths.h"
#include "calc/cdlgopenfiles.h"
#include "calc/hcmreport.h"
#include "editor/hcmeditmdi.h"
#include "hcmform.h"
#include "masks/maskdialog.h"
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
    // Edits go to a per-user copy: the delivered file may sit where the user
    // cannot write.
    factory.maskDialog = [](QWidget* parent, const QString& database) -> QDialog* {
        auto* form = qobject_cast<hcmForm*>(parent);
        return new maskDialog(database, AppPaths::dataFolder() + QStringLiteral("/equipment.db"),
                              [form] { return form ? form->activeEditor() : nullptr; }, parent);
    };
    factory.downloadCentre = [](QWidget* parent,
                                const DownloadCentreSetup& setup) -> DownloadCentre* {
        return new downloadCenter(parent, setup);
    };
    factory.report = [](const ReportSetup& setup) -> ReportWindow* { return new hcmReport(setup); };
    factory.calcFilesDialog = [](QWidget* parent) -> CalcFilesDialog* { return new CdlgOpenFiles(parent); };
    return factory;
}
