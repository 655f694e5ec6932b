#include "common/preferences.h"

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QSettings>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

QSettings UserSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"daily-report"_s,
                     u"daily_report"_s);
}

// Remembers the window's place whenever it is hidden (closed, or the dialog ended).
class PlaceKeeper : public QObject
{
public:
    PlaceKeeper(QWidget *form, const QString &window) : QObject(form), m_window(window)
    {
        form->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            remember(static_cast<QWidget *>(watched));
        return false;
    }

private:
    void remember(const QWidget *form) const
    {
        // The frame's corner of the normal window, also while it is maximised.
        const QPoint frame = form->frameGeometry().topLeft() - form->geometry().topLeft();
        const QRect normal = form->normalGeometry();
        Preferences::setWindowPlace(m_window,
                                    {normal.topLeft() + frame, normal.size(), form->isMaximized()});
    }

    QString m_window;
};

} // namespace

Preferences::WindowPlace Preferences::windowPlace(const QString &window)
{
    const QSettings s = UserSettings();
    return {s.value(window + u"/position"_s).toPoint(), s.value(window + u"/size"_s).toSize(),
            s.value(window + u"/maximized"_s, false).toBool()};
}

void Preferences::setWindowPlace(const QString &window, const WindowPlace &place)
{
    QSettings s = UserSettings();
    s.setValue(window + u"/position"_s, place.position);
    s.setValue(window + u"/size"_s, place.size);
    s.setValue(window + u"/maximized"_s, place.maximized);
}

QString Preferences::lastPress()
{
    return UserSettings().value(u"MainWindow/press"_s).toString();
}

void Preferences::setLastPress(const QString &press)
{
    UserSettings().setValue(u"MainWindow/press"_s, press);
}

bool FitsScreens(const QRect &window, const QList<QRect> &screens)
{
    QRegion usable;
    for (const QRect &screen : screens)
        usable += screen;
    return window.isValid() && QRegion(window).subtracted(usable).isEmpty();
}

void KeepWindowPlace(QWidget *form, const QString &window, KeptPlace kept)
{
    const Preferences::WindowPlace place = Preferences::windowPlace(window);
    const QSize size = kept == KeptPlace::PlaceAndSize ? place.size : form->size();
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    if (place.size.isValid() && FitsScreens(QRect(place.position, size), screens)) {
        form->resize(size);
        form->move(place.position);
        if (kept == KeptPlace::PlaceAndSize && place.maximized)
            form->setWindowState(form->windowState() | Qt::WindowMaximized);
    }
    new PlaceKeeper(form, window);
}

void KeepLastPress(QComboBox *box)
{
    const QString press = Preferences::lastPress();
    const int listed = box->findText(press);
    if (!press.isEmpty() && listed >= 0)
        box->setCurrentIndex(listed);
    QObject::connect(box, &QComboBox::activated, box,
                     [box] { Preferences::setLastPress(box->currentText()); });
}
