#pragma once

#include <QString>
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
    // keeps ownership and must keep it alive while it is installed. Gives the
    // service installed before (nullptr for real message boxes).
    static MessageService *setCurrent(MessageService *service);
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
