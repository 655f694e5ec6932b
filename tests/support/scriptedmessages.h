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
