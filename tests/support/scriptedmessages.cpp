#include "scriptedmessages.h"

ScriptedMessageService::ScriptedMessageService() : m_previous(MessageService::setCurrent(this)) {}

ScriptedMessageService::~ScriptedMessageService()
{
    if (&MessageService::current() == this)
        MessageService::setCurrent(m_previous);
}

MessageService::Answer ScriptedMessageService::show(const QString &text, const QString &title,
                                                    Icon icon, Buttons buttons)
{
    m_shown.append({text, title, icon, buttons});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return m_answers.isEmpty() ? Answer::Yes : m_answers.takeFirst();
}

QStringList ScriptedMessageService::texts() const
{
    QStringList result;
    for (const Shown &box : m_shown)
        result.append(box.text);
    return result;
}
