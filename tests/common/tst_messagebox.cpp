#include "common/messagebox.h"

#include <QTest>

using Icon = MessageService::Icon;
using Buttons = MessageService::Buttons;
using Answer = MessageService::Answer;

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void recordsWhatWasShown();
    void answersQuestionsFromTheQueue();
    void okBoxesLeaveTheQueueAlone();
    void restoresThePreviousService();
};

void TestMessageBox::recordsWhatWasShown()
{
    ScriptedMessageService messages;
    QCOMPARE(
        ShowMessage(QStringLiteral("最多只可輸入7個字元!"), QStringLiteral("訊息"), Icon::Warning),
        Answer::Ok);
    ShowMessage(QStringLiteral("boom"), QStringLiteral("儲存錯誤"), Icon::Critical);
    QCOMPARE(messages.shown().size(), 2);
    QCOMPARE(messages.shown().at(0).text, QStringLiteral("最多只可輸入7個字元!"));
    QCOMPARE(messages.shown().at(0).title, QStringLiteral("訊息"));
    QCOMPARE(messages.shown().at(0).icon, Icon::Warning);
    QCOMPARE(messages.shown().at(0).buttons, Buttons::Ok);
    QCOMPARE(messages.shown().at(1).icon, Icon::Critical);
    QCOMPARE(messages.texts(),
             QStringList({QStringLiteral("最多只可輸入7個字元!"), QStringLiteral("boom")}));
    messages.clear();
    QVERIFY(messages.shown().isEmpty());
}

void TestMessageBox::answersQuestionsFromTheQueue()
{
    ScriptedMessageService messages;
    messages.queueAnswer(Answer::No);
    messages.queueAnswer(Answer::Yes);
    QCOMPARE(ShowMessage(QStringLiteral("q1"), QString(), Icon::Question, Buttons::YesNo),
             Answer::No);
    QCOMPARE(ShowMessage(QStringLiteral("q2"), QString(), Icon::Question, Buttons::YesNo),
             Answer::Yes);
    messages.queueAnswer(Answer::No);
    QCOMPARE(ShowMessage(QStringLiteral("q3"), QString(), Icon::Question, Buttons::YesNo),
             Answer::No);
    // An empty queue says Yes.
    QCOMPARE(ShowMessage(QStringLiteral("q4"), QString(), Icon::Question, Buttons::YesNo),
             Answer::Yes);
    QCOMPARE(messages.shown().size(), 4);
}

void TestMessageBox::okBoxesLeaveTheQueueAlone()
{
    ScriptedMessageService messages;
    messages.queueAnswer(Answer::No);
    QCOMPARE(ShowMessage(QStringLiteral("note"), QString(), Icon::Information), Answer::Ok);
    QCOMPARE(ShowMessage(QStringLiteral("q"), QString(), Icon::Question, Buttons::YesNo),
             Answer::No);
}

void TestMessageBox::restoresThePreviousService()
{
    ScriptedMessageService outer;
    {
        ScriptedMessageService inner;
        QCOMPARE(&MessageService::current(), static_cast<MessageService *>(&inner));
        ShowMessage(QStringLiteral("inner"), QString(), Icon::Information);
        QCOMPARE(inner.shown().size(), 1);
    }
    QCOMPARE(&MessageService::current(), static_cast<MessageService *>(&outer));
    ShowMessage(QStringLiteral("outer"), QString(), Icon::Information);
    QCOMPARE(outer.texts(), QStringList{QStringLiteral("outer")});
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
