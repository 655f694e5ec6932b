#pragma once

#include "common/messagebox.h"

#include <QList>
#include <QStringList>

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

    ScriptedMessageService() : m_previous(setCurrent(this)) {}
    ~ScriptedMessageService() override
    {
        if (&current() == this)
            setCurrent(m_previous);
    }
    Q_DISABLE_COPY(ScriptedMessageService)

    Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        m_shown.append({text, title, icon, buttons});
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return m_answers.isEmpty() ? Answer::Yes : m_answers.takeFirst();
    }

    void queueAnswer(Answer answer) { m_answers.append(answer); }
    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const
    {
        QStringList texts;
        for (const Shown &box : m_shown)
            texts.append(box.text);
        return texts;
    }

private:
    QList<Shown> m_shown;
    QList<Answer> m_answers;
    MessageService *m_previous;
};
