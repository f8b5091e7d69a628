#include "unsavedfilesprompt.h"

#include "ui/changedfiletext.h"
#include "ui/editorwindow.h"
#include "ui/userprompts.h"

UnsavedFilesPrompt::UnsavedFilesPrompt(QWidget* parent, Actions actions)
    : m_parent(parent), m_actions(std::move(actions))
{
}

bool UnsavedFilesPrompt::run(const QList<EditorWindow*>& modified)
{
    if (modified.isEmpty())
        return true;
    if (modified.size() == 1)
        return askAboutOne(modified.first());
    return askAboutEach(modified);
}

QString UnsavedFilesPrompt::text(EditorWindow* editor) const
{
    return changedFileText(editor->fileName());
}

bool UnsavedFilesPrompt::askAboutOne(EditorWindow* editor)
{
    const auto answer = UserPrompts::question(m_parent, tr("Save file?"), text(editor),
                                              QMessageBox::Yes | QMessageBox::No,
                                              QMessageBox::Yes, QMessageBox::No);
    bool saved = true;
    if (answer == QMessageBox::Yes) {
        saved = editor->fileName().isEmpty() ? m_actions.saveWithDialog(editor)
                                             : m_actions.save(editor);
    }
    if (saved)
        editor->setModified(false);
    return saved;
}

bool UnsavedFilesPrompt::saveAndMark(EditorWindow* editor)
{
    const bool saved = m_actions.save(editor);
    if (saved)
        editor->setModified(false);
    return saved;
}

bool UnsavedFilesPrompt::askAboutEach(const QList<EditorWindow*>& editors)
{
    bool allSaved = true;
    for (int i = 0; i < editors.size(); ++i) {
        EditorWindow* editor = editors.at(i);
        const auto answer = UserPrompts::question(
            m_parent, tr("Save file?"), text(editor),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::SaveAll | QMessageBox::NoToAll,
            QMessageBox::Yes, QMessageBox::No);
        if (answer == QMessageBox::Yes) {
            m_actions.activate(editor);
            allSaved = saveAndMark(editor) && allSaved;
        } else if (answer == QMessageBox::SaveAll) {
            for (int j = i; j < editors.size(); ++j) {
                if (editors.at(j)->isModified())
                    allSaved = saveAndMark(editors.at(j)) && allSaved;
            }
            return allSaved;
        } else if (answer == QMessageBox::NoToAll) {
            return allSaved;
        } else {
            editor->setModified(false);
        }
    }
    return allSaved;
}
