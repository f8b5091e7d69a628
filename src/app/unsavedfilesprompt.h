#ifndef UNSAVEDFILESPROMPT_H
#define UNSAVEDFILESPROMPT_H

#include <QCoreApplication>
#include <QList>

#include <functional>

class EditorWindow;
class QWidget;

// Asks, when the program closes, whether each modified editor is to be saved:
// Yes / No for a single file; Yes / No / Save All / No to All when there are
// several. Every editor answered is left unmodified, except one whose save
// failed, so that closing can be refused and nothing is lost.
class UnsavedFilesPrompt
{
    Q_DECLARE_TR_FUNCTIONS(UnsavedFilesPrompt)
public:
    struct Actions
    {
        // Saves under the editor's name, asking for one when it has none.
        std::function<bool(EditorWindow*)> save;
        // Runs the Save parameters dialog for an editor without a name.
        std::function<bool(EditorWindow*)> saveWithDialog;
        std::function<void(EditorWindow*)> activate;
    };

    UnsavedFilesPrompt(QWidget* parent, Actions actions);

    // Returns false when a file the user wanted saved could not be written.
    bool run(const QList<EditorWindow*>& modified);

private:
    bool askAboutOne(EditorWindow* editor);
    bool askAboutEach(const QList<EditorWindow*>& editors);
    bool saveAndMark(EditorWindow* editor);
    QString text(EditorWindow* editor) const;

    QWidget* m_parent;
    Actions m_actions;
};

#endif
