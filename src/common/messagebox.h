#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <source_location>

// Every message box of the program goes through MessageService::current(), so
// tests can read what would have been shown and answer the questions.
class MessageService
{
public:
    enum class Icon
    {
        Information,
        Warning, // the exclamation mark
        Critical,
        Question
    };
    enum class Buttons
    {
        Ok,
        YesNo
    };
    enum class Answer
    {
        Ok,
        Yes,
        No
    };

    virtual ~MessageService();
    virtual Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons) = 0;

    // The service in use: the one last installed, or real message boxes.
    static MessageService &current();
    // Installs a service; nullptr goes back to real message boxes. The caller
    // keeps ownership and must keep it alive while it is installed.
    static void setCurrent(MessageService *service);
};

// Shows a message box through the current service, and logs its title and text
// under the log category of the code that shows it (common/log.h: the folder of
// `caller`, which the compiler fills in): an error box as an error, an
// exclamation as a warning, the rest as info.
MessageService::Answer
ShowMessage(const QString &text, const QString &title, MessageService::Icon icon,
            MessageService::Buttons buttons = MessageService::Buttons::Ok,
            const std::source_location &caller = std::source_location::current());

// Real modal message boxes over the active window.
class DialogMessageService : public MessageService
{
public:
    Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
};

// A stand-in for tests: records every box and answers Yes/No questions from a
// queue (Yes once the queue is empty). Boxes with only OK answer Ok and leave
// the queue alone. It installs itself on construction and puts back the
// previous service when destroyed.
class ScriptedMessageService : public MessageService
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };

    ScriptedMessageService();
    ~ScriptedMessageService() override;
    ScriptedMessageService(const ScriptedMessageService &) = delete;
    ScriptedMessageService &operator=(const ScriptedMessageService &) = delete;

    Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons) override;

    void queueAnswer(Answer answer) { m_answers.append(answer); }
    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
    QList<Answer> m_answers;
    MessageService *m_previous;
};
