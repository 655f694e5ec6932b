#pragma once

#include "scriptedmessages.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTest>

// Message boxes as the user meets them: each is a modal window over the active
// one that takes the keyboard at once, while the program's events run for a
// moment (a key sent meanwhile goes to the box and is lost); then the window it
// covered is active again and it answers as ScriptedMessageService does. Counts
// the boxes shown under a busy pointer.
struct ModalBoxes : ScriptedMessageService
{
    int busy = 0;
    Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        const QPointer<QWidget> owner = QApplication::activeWindow();
        {
            QDialog box(owner.data());
            box.setModal(true);
            auto *button = new QPushButton(QStringLiteral("OK"), &box);
            box.show();
            button->setFocus();
            QApplication::setActiveWindow(&box);
            QTest::qWait(20);
            busy += QApplication::overrideCursor() != nullptr;
        }
        // The window system hands the activation back; the user goes on once it has.
        if (owner && owner->isVisible()) {
            owner->activateWindow();
            static_cast<void>(QTest::qWaitForWindowActive(owner));
        }
        return ScriptedMessageService::show(text, title, icon, buttons);
    }
};
