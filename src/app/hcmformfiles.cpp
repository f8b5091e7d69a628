// Opening and saving: files chosen in a dialog, dropped or named on the command
// line open in an editor or a report window; editors are written back.
#include "hcmform.h"

#include "app/saveprm.h"
#include "ui/editorwindow.h"
#include "ui/reportwindow.h"
#include "ui/userprompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

void hcmForm::doActionNew()
{
    EditorWindow* editor = createEditorWindow();
    if (!editor)
        return;
    editor->addRecord();
    editor->setModified(false);
    changeActionState();
}

void hcmForm::doActionOpen()
{
    QStringList paths;
    if (!m_pendingOpen.isEmpty()) {
        paths = m_pendingOpen;
        m_pendingOpen.clear();
    } else {
        paths = UserPrompts::openFileNames(this, tr("Choose file"), m_settings.recentDir,
                                           tr("All supported files (*.lwrpt *.txt)"));
    }
    for (const QString& path : paths)
        openPath(path);
    changeActionState();
}

void hcmForm::openPath(const QString& path)
{
    // Case-sensitive on purpose: "x.LWRPT" is taken for an HCM file.
    if (path.endsWith(QLatin1String(".lwrpt"), Qt::CaseSensitive)) {
        ReportWindow* report = createReportWindow();
        if (!report)
            return;
        report->setWindowTitle(path);
        if (report->windowAction())
            report->windowAction()->setText(QFileInfo(path).fileName());
        report->openReport(path);
        return;
    }
    EditorWindow* editor = createEditorWindow();
    if (!editor)
        return;
    m_settings.recentDir = path;
    if (!editor->load(path))
        UserPrompts::warning(this, tr("Linkwise"), tr("Could not load file:\n") + path);
}

void hcmForm::doActionSave()
{
    if (EditorWindow* editor = activeEditor()) {
        m_savePrm->setIncludeHeader(editor->includeHeader());
        if (editor->fileName().isEmpty())
            doActionSaveAs();
        else
            actionSaveHCM(m_ui.mdiArea->currentSubWindow());
    } else if (activeReport()) {
        doActionSaveAs();
    }
}

void hcmForm::doActionSaveAs()
{
    if (EditorWindow* editor = activeEditor())
        runSaveDialogFor(editor);
    else if (ReportWindow* report = activeReport())
        saveReportAs(report);
}

void hcmForm::runSaveDialogFor(EditorWindow* editor)
{
    runSaveDialog(subWindowOf(editor));
}

// Returns false only when a write was tried and failed.
bool hcmForm::runSaveDialog(QMdiSubWindow* window)
{
    EditorWindow* editor = editorIn(window);
    if (!editor)
        return true;
    m_savePrm->setIncludeHeader(editor->includeHeader());
    m_savePrm->setSubWindow(window);
    m_savePrm->setModal(true);
    centreOver(m_savePrm);
    bool saved = true;
    // The Save button runs saveDlgClicked; watch its outcome for our caller.
    QMetaObject::Connection watch = connect(m_savePrm->pbSave, &QPushButton::clicked, this,
                                            [&saved, editor] { saved = !editor->isModified(); });
    m_savePrm->exec();
    disconnect(watch);
    return saved;
}

void hcmForm::saveDlgClicked()
{
    EditorWindow* editor = editorIn(m_savePrm->subWindow());
    if (!editor)
        return;
    const QString name = UserPrompts::saveFileName(this, tr("Choose HCM file"),
                                                   editor->fileName(), tr("All (*.*)"));
    if (name.isEmpty())
        return;
    editor->setFileName(name);
    saveHCM(editor);
}

void hcmForm::actionSaveHCM(QMdiSubWindow* window)
{
    if (EditorWindow* editor = editorIn(window))
        saveHCM(editor);
}

void hcmForm::saveHCM(EditorWindow* window)
{
    saveEditor(window);
}

bool hcmForm::saveEditor(EditorWindow* editor)
{
    if (!editor)
        return false;
    QString name = editor->fileName();
    if (name.isEmpty()) {
        name = UserPrompts::saveFileName(this, tr("Choose HCM file"), m_settings.recentDir,
                                         tr("All (*.*)"));
        if (name.isEmpty()) {
            UserPrompts::warning(this, tr("Saving error"),
                                 tr("Could not save HCM file: \nfile name is missing"));
            return false;
        }
    }
    if (!editor->write(name, m_savePrm->includeHeader(), m_savePrm->tableOrder())) {
        UserPrompts::Message m;
        m.icon = QMessageBox::Warning;
        m.title = tr("Saving error!");
        m.text = tr("Could not save HCM file");
        m.buttons = QMessageBox::Ok;
        UserPrompts::current().ask(this, m);
        return false;
    }
    // The next Save goes to the same file without asking again.
    if (editor->fileName().isEmpty())
        editor->setFileName(name);
    changeActionState();
    return true;
}

void hcmForm::saveReportAs(ReportWindow* report)
{
    const QString name = UserPrompts::saveFileName(
        this, tr("Choose the Report File"), QDir::homePath(),
        tr("Linkwise Calculation Report (*.lwrpt)"));
    if (name.isEmpty())
        return;
    const QString source = report->reportFile();
    if (QFileInfo(name).absoluteFilePath() == QFileInfo(source).absoluteFilePath())
        return; // already there; removing it first would lose the report
    if (QFile::exists(name))
        QFile::remove(name);
    if (!QFile::copy(source, name)) {
        UserPrompts::warning(this, tr("Linkwise"), tr("Could not save the Report file!"));
        return;
    }
    report->setWindowTitle(name);
}
