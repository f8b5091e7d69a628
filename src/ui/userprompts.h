#ifndef USERPROMPTS_H
#define USERPROMPTS_H

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// The one place through which every window asks the user something: message
// boxes and file dialogs. The program runs with real dialogs; a test installs
// ScriptedPrompts, which answers from a script and records what was asked.
//
// Use the static helpers everywhere:
//   UserPrompts::warning(this, tr("Linkwise"), tr("Could not load file:\n") + path);
//   if (UserPrompts::question(this, title, text, Yes | No, Yes, No) == QMessageBox::Yes) ...
//   const QString name = UserPrompts::saveFileName(this, tr("Choose HCM file"), dir, tr("All (*.*)"));
class UserPrompts
{
public:
    struct Message
    {
        QMessageBox::Icon icon = QMessageBox::Warning;
        QString title;
        QString text;
        QString informativeText;
        QMessageBox::StandardButtons buttons = QMessageBox::Close;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
    };

    enum class FileKind { OpenOne, OpenMany, Save, Directory };
    struct FileRequest
    {
        FileKind kind = FileKind::OpenOne;
        QString caption;
        QString directory;
        QString filter;
    };

    virtual ~UserPrompts();

    // Shows a modal message box and returns the button chosen.
    virtual QMessageBox::StandardButton ask(QWidget* parent, const Message& message) = 0;
    // Runs a modal file dialog; an empty list means cancelled.
    virtual QStringList chooseFiles(QWidget* parent, const FileRequest& request) = 0;

    // The prompts in use; real dialogs unless a replacement is installed.
    static UserPrompts& current();
    // Installs a replacement (not owned) and returns the one it replaces;
    // nullptr goes back to the real dialogs.
    static UserPrompts* install(UserPrompts* prompts);

    // A message with the single button "Close".
    static void warning(QWidget* parent, const QString& title, const QString& text);
    static void information(QWidget* parent, const QString& title, const QString& text);
    static QMessageBox::StandardButton question(QWidget* parent, const QString& title,
                                                const QString& text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton,
                                                QMessageBox::StandardButton escapeButton);

    static QString openFileName(QWidget* parent, const QString& caption, const QString& directory,
                                const QString& filter);
    static QStringList openFileNames(QWidget* parent, const QString& caption,
                                     const QString& directory, const QString& filter);
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& directory,
                                const QString& filter);
    static QString directory(QWidget* parent, const QString& caption, const QString& start);
};

// The real thing: QMessageBox and QFileDialog.
class DialogPrompts : public UserPrompts
{
public:
    QMessageBox::StandardButton ask(QWidget* parent, const Message& message) override;
    QStringList chooseFiles(QWidget* parent, const FileRequest& request) override;
};

#endif
