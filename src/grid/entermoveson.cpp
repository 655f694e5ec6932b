#include "grid/entermoveson.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

// How often a Tab waiting for a box to close looks again.
constexpr int kBoxWaitMs = 50;

} // namespace

EnterMovesOn::EnterMovesOn(QWidget *screen) : QObject(screen), m_screen(screen) {}

void EnterMovesOn::request()
{
    m_pending = true;
    sendLater();
}

EnterMovesOn::Hold::Hold(EnterMovesOn &owner) : m_owner(owner)
{
    ++m_owner.m_holds;
}

EnterMovesOn::Hold::~Hold()
{
    if (--m_owner.m_holds == 0 && m_owner.m_pending)
        m_owner.sendLater();
}

void EnterMovesOn::sendLater(int delayMs)
{
    QTimer::singleShot(delayMs, this, [this] { send(); });
}

void EnterMovesOn::send()
{
    if (!m_pending || m_holds > 0)
        return; // gone out already, or the end of a hold sends it
    const QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != m_screen->window()) {
        sendLater(kBoxWaitMs);
        return;
    }
    m_pending = false;
    if (QWidget *target = m_screen->focusWidget()) {
        QCoreApplication::postEvent(
            target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, u"\t"_s));
        QCoreApplication::postEvent(
            target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, u"\t"_s));
    }
}
