#ifndef SCRIPTEDPROMPTS_H
#define SCRIPTEDPROMPTS_H

#include "ui/userprompts.h"

#include <QList>

#include <functional>

// Prompts for tests: installed for its own lifetime, answers each question
// from a queue and records everything asked, in order.
//
//   ScriptedPrompts prompts;
//   prompts.answerFiles({path});                  // next file dialog
//   prompts.answer(QMessageBox::NoToAll);         // next message box
//   window.doSomething();
//   QCOMPARE(prompts.asked().at(0).message.title, QString("Save file?"));
//
// An unscripted message box is answered with its escape button, else its
// default button, else "Close"; an unscripted file dialog is cancelled.
class ScriptedPrompts : public UserPrompts
{
public:
    struct Prompt
    {
        bool isFileDialog = false;
        Message message;     // when a message box
        FileRequest request; // when a file dialog
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;

    void answer(QMessageBox::StandardButton button);
    void answerFiles(const QStringList& files);
    // Runs while a prompt is open, before it is answered (e.g. to look at the
    // window's state at that moment).
    void setOnAsk(std::function<void(const Prompt&)> hook);

    const QList<Prompt>& asked() const { return m_asked; }
    QList<Prompt> messages() const;
    QList<Prompt> fileDialogs() const;
    void clear();

    QMessageBox::StandardButton ask(QWidget* parent, const Message& message) override;
    QStringList chooseFiles(QWidget* parent, const FileRequest& request) override;

private:
    UserPrompts* m_previous;
    QList<QMessageBox::StandardButton> m_buttons;
    QList<QStringList> m_files;
    QList<Prompt> m_asked;
    std::function<void(const Prompt&)> m_onAsk;
};

#endif
