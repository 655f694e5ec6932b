#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QComboBox;
class QWidget;

// What the program remembers for its user between runs: where its windows stood
// and the press last chosen. One place for the keys and what holds while nothing
// is remembered. Kept per user by QSettings (on Linux in
// ~/.config/daily-report/daily_report.conf); nothing the shop's database holds
// goes there.
class Preferences
{
public:
    // Where a window stood when it was last hidden: its frame's top-left corner
    // and its size as a normal window, and whether it was maximised.
    struct WindowPlace
    {
        QPoint position;
        QSize size; // invalid while nothing is remembered
        bool maximized = false;
    };

    static WindowPlace windowPlace(const QString &window);
    static void setWindowPlace(const QString &window, const WindowPlace &place);
    // The press last chosen in 車別; empty while none was.
    static QString lastPress();
    static void setLastPress(const QString &press);
};

// Whether a window at that place lies wholly on the screens' usable areas.
bool FitsScreens(const QRect &window, const QList<QRect> &screens);

enum class KeptPlace
{
    PlaceAndSize,
    PlaceOnly
};
// Puts the window where it stood when it was last hidden, when that place fits
// the screens attached now, and remembers its place each time it is hidden.
// `window` names it among the preferences.
void KeepWindowPlace(QWidget *form, const QString &window, KeptPlace kept);

// Chooses the press last chosen in the box when the box still lists it, and
// remembers each press the user chooses there. Call it once the box is filled.
void KeepLastPress(QComboBox *box);
