#include "userprompts.h"

#include <QFileDialog>

namespace {

UserPrompts* g_installed = nullptr;

UserPrompts::Message closeBox(QMessageBox::Icon icon, const QString& title, const QString& text)
{
    UserPrompts::Message m;
    m.icon = icon;
    m.title = title;
    m.text = text;
    m.buttons = QMessageBox::Close;
    m.defaultButton = QMessageBox::Close;
    m.escapeButton = QMessageBox::Close;
    return m;
}

QString first(const QStringList& list)
{
    return list.isEmpty() ? QString() : list.first();
}

} // namespace

UserPrompts::~UserPrompts() = default;

UserPrompts& UserPrompts::current()
{
    static DialogPrompts dialogs;
    return g_installed ? *g_installed : dialogs;
}

UserPrompts* UserPrompts::install(UserPrompts* prompts)
{
    UserPrompts* previous = g_installed;
    g_installed = prompts;
    return previous;
}

void UserPrompts::warning(QWidget* parent, const QString& title, const QString& text)
{
    current().ask(parent, closeBox(QMessageBox::Warning, title, text));
}

void UserPrompts::information(QWidget* parent, const QString& title, const QString& text)
{
    current().ask(parent, closeBox(QMessageBox::Information, title, text));
}

QMessageBox::StandardButton UserPrompts::question(QWidget* parent, const QString& title,
                                                  const QString& text,
                                                  QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton defaultButton,
                                                  QMessageBox::StandardButton escapeButton)
{
    Message m;
    m.icon = QMessageBox::Question;
    m.title = title;
    m.text = text;
    m.buttons = buttons;
    m.defaultButton = defaultButton;
    m.escapeButton = escapeButton;
    return current().ask(parent, m);
}

QString UserPrompts::openFileName(QWidget* parent, const QString& caption,
                                  const QString& directory, const QString& filter)
{
    return first(current().chooseFiles(parent, {FileKind::OpenOne, caption, directory, filter}));
}

QStringList UserPrompts::openFileNames(QWidget* parent, const QString& caption,
                                       const QString& directory, const QString& filter)
{
    return current().chooseFiles(parent, {FileKind::OpenMany, caption, directory, filter});
}

QString UserPrompts::saveFileName(QWidget* parent, const QString& caption,
                                  const QString& directory, const QString& filter)
{
    return first(current().chooseFiles(parent, {FileKind::Save, caption, directory, filter}));
}

QString UserPrompts::directory(QWidget* parent, const QString& caption, const QString& start)
{
    return first(current().chooseFiles(parent, {FileKind::Directory, caption, start, QString()}));
}

QMessageBox::StandardButton DialogPrompts::ask(QWidget* parent, const Message& message)
{
    QMessageBox box(message.icon, message.title, message.text, message.buttons, parent);
    box.setInformativeText(message.informativeText);
    if (message.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(message.defaultButton);
    if (message.escapeButton != QMessageBox::NoButton)
        box.setEscapeButton(message.escapeButton);
    return QMessageBox::StandardButton(box.exec());
}

QStringList DialogPrompts::chooseFiles(QWidget* parent, const FileRequest& request)
{
    switch (request.kind) {
    case FileKind::OpenOne: {
        const QString name = QFileDialog::getOpenFileName(parent, request.caption,
                                                          request.directory, request.filter);
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    case FileKind::OpenMany:
        return QFileDialog::getOpenFileNames(parent, request.caption, request.directory,
                                             request.filter);
    case FileKind::Save: {
        const QString name = QFileDialog::getSaveFileName(parent, request.caption,
                                                          request.directory, request.filter);
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    case FileKind::Directory: {
        QFileDialog dialog(parent, request.caption, request.directory);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QStringList();
        return QStringList{dialog.selectedFiles().first()};
    }
    }
    return QStringList();
}
