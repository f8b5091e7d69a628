#include "scriptedprompts.h"

ScriptedPrompts::ScriptedPrompts() : m_previous(UserPrompts::install(this)) {}

ScriptedPrompts::~ScriptedPrompts()
{
    UserPrompts::install(m_previous);
}

void ScriptedPrompts::answer(QMessageBox::StandardButton button)
{
    m_buttons.append(button);
}

void ScriptedPrompts::answerFiles(const QStringList& files)
{
    m_files.append(files);
}

void ScriptedPrompts::setOnAsk(std::function<void(const Prompt&)> hook)
{
    m_onAsk = std::move(hook);
}

QList<ScriptedPrompts::Prompt> ScriptedPrompts::messages() const
{
    QList<Prompt> result;
    for (const Prompt& p : m_asked) {
        if (!p.isFileDialog)
            result.append(p);
    }
    return result;
}

QList<ScriptedPrompts::Prompt> ScriptedPrompts::fileDialogs() const
{
    QList<Prompt> result;
    for (const Prompt& p : m_asked) {
        if (p.isFileDialog)
            result.append(p);
    }
    return result;
}

void ScriptedPrompts::clear()
{
    m_asked.clear();
    m_buttons.clear();
    m_files.clear();
}

QMessageBox::StandardButton ScriptedPrompts::ask(QWidget*, const Message& message)
{
    Prompt prompt;
    prompt.message = message;
    m_asked.append(prompt);
    if (m_onAsk)
        m_onAsk(prompt);
    if (!m_buttons.isEmpty())
        return m_buttons.takeFirst();
    if (message.escapeButton != QMessageBox::NoButton)
        return message.escapeButton;
    if (message.defaultButton != QMessageBox::NoButton)
        return message.defaultButton;
    return QMessageBox::Close;
}

QStringList ScriptedPrompts::chooseFiles(QWidget*, const FileRequest& request)
{
    Prompt prompt;
    prompt.isFileDialog = true;
    prompt.request = request;
    m_asked.append(prompt);
    if (m_onAsk)
        m_onAsk(prompt);
    return m_files.isEmpty() ? QStringList() : m_files.takeFirst();
}
