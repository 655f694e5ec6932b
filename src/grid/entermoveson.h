#pragma once

#include <QObject>

class QWidget;

// Enter moves on to the next cell of a screen's grid: the Tab it stands for goes
// out once the grid has finished with the Enter, that is once an edit the Enter
// ends is stored in its own cell and no modal box is open over the screen (the
// Tab would go to the box, or be lost with it). It goes to the screen's own
// focused control: right after a box closes the screen may not be the active
// window again yet, and then the application has no focused widget for it.
class EnterMovesOn : public QObject
{
public:
    explicit EnterMovesOn(QWidget *screen);

    // Enter reached the grid: its Tab is to go out.
    void request();

    // Held while an ended edit is handled, its message boxes and lookups
    // included: the Tab asked for goes out once the last hold ends.
    class Hold
    {
    public:
        explicit Hold(EnterMovesOn &owner);
        ~Hold();
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        EnterMovesOn &m_owner;
    };

private:
    void sendLater(int delayMs = 0);
    void send();

    QWidget *m_screen;
    bool m_pending = false;
    int m_holds = 0;
};
