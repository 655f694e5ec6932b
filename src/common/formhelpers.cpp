#include "common/formhelpers.h"

#include "common/formgeometry.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {

const char *const kTagProperty = "Tag";
const char *const kLockedProperty = "Locked";
const QString kKeepTag = u"-1"_s;

// Toolbars of the suite's forms were designed for Windows XP (5.1); later
// versions draw them taller, so free-standing ones move up a little.
constexpr double kLastUnshiftedWindowsVersion = 5.1;
constexpr int kShiftedToolbarMinHeightTwips = 600;
constexpr int kToolbarShiftTwips = 60;

QString tagOf(const QWidget *widget)
{
    return widget->property(kTagProperty).toString();
}

// The text field inside a combo or spin box belongs to that control, not to
// the form.
bool isPartOfAnotherControl(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    return qobject_cast<const QComboBox *>(parent) ||
           qobject_cast<const QAbstractSpinBox *>(parent);
}

// A toolbar placed on the form by position rather than docked in a window's
// toolbar area.
bool isFreeStanding(const QToolBar *bar)
{
    return !qobject_cast<const QMainWindow *>(bar->parentWidget()) || bar->isFloating();
}

void shiftToolbar(QToolBar *bar)
{
    const double dpi = bar->logicalDpiY();
    if (PixelsToTwips(bar->height(), dpi) <= kShiftedToolbarMinHeightTwips)
        return;
    if (!tagOf(bar).isEmpty())
        return; // already moved on this form
    const int topTwips = PixelsToTwips(bar->y(), dpi);
    bar->setProperty(kTagProperty, QString::number(topTwips));
    bar->move(bar->x(), TwipsToPixels(topTwips - kToolbarShiftTwips, dpi));
}

// Swallows the mouse, wheel and keys that would change a locked combo box's
// choice; Tab, Enter, Esc and Ctrl shortcuts (copy) still pass.
class ComboLock : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::KeyPress:
            return !passesLock(*static_cast<QKeyEvent *>(event));
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    static bool passesLock(const QKeyEvent &key)
    {
        if (key.modifiers() & Qt::ControlModifier)
            return true;
        switch (key.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            return true;
        default:
            return false;
        }
    }
};

void setLocked(QWidget *control)
{
    if (auto *textBox = qobject_cast<QLineEdit *>(control)) {
        textBox->setReadOnly(true);
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        if (combo->lineEdit())
            combo->lineEdit()->setReadOnly(true);
        if (!combo->property(kLockedProperty).toBool())
            combo->installEventFilter(new ComboLock(combo));
    } else {
        return;
    }
    control->setProperty(kLockedProperty, true);
}

struct KeyStroke
{
    int key;
    QString text;
};

// Reads the keys notation: {TAB}, {ENTER} and ~ for Enter, other characters
// as themselves. Unknown braced names are left out.
QList<KeyStroke> parseKeys(const QString &keys)
{
    QList<KeyStroke> strokes;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QChar c = keys.at(i);
        if (c == u'{') {
            const qsizetype close = keys.indexOf(u'}', i + 1);
            if (close < 0)
                break;
            const QString name = keys.mid(i + 1, close - i - 1).toUpper();
            if (name == u"TAB"_s)
                strokes.append({Qt::Key_Tab, u"\t"_s});
            else if (name == u"ENTER"_s)
                strokes.append({Qt::Key_Return, u"\r"_s});
            i = close;
        } else if (c == u'~') {
            strokes.append({Qt::Key_Return, u"\r"_s});
        } else {
            const QChar upper = c.toUpper();
            const int key = upper.unicode() < 0x80 ? upper.unicode() : int(Qt::Key_unknown);
            strokes.append({key, QString(c)});
        }
    }
    return strokes;
}

} // namespace

void ApplyControlStyle(QWidget *form, double windowsVersion)
{
    if (!form)
        return;
    const QList<QWidget *> controls = form->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (tagOf(control) == kKeepTag)
            continue;
        if (auto *textBox = qobject_cast<QLineEdit *>(control)) {
            if (!isPartOfAnotherControl(textBox))
                textBox->clear();
        } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
            combo->clear();
        } else if (auto *bar = qobject_cast<QToolBar *>(control)) {
            if (windowsVersion > kLastUnshiftedWindowsVersion && isFreeStanding(bar))
                shiftToolbar(bar);
        }
        // Small fonts were switched to the default character set here on
        // Windows; Qt picks glyphs per character, so there is nothing to do.
    }
}

void CenterForm(QWidget *form)
{
    if (!form)
        return;
    QScreen *screen = form->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    const QRect area = screen->geometry();
    const QSize formPixels = form->frameGeometry().size();
    const QPoint origin = CenteredFormOrigin(
        QSize(PixelsToTwips(area.width(), dpiX), PixelsToTwips(area.height(), dpiY)),
        QSize(PixelsToTwips(formPixels.width(), dpiX), PixelsToTwips(formPixels.height(), dpiY)));
    form->move(area.x() + TwipsToPixels(origin.x(), dpiX),
               area.y() + TwipsToPixels(origin.y(), dpiY));
}

void LockEntryControls(QWidget *form)
{
    if (!form)
        return;
    const QList<QWidget *> controls = form->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (!isPartOfAnotherControl(control))
            setLocked(control);
    }
}

void LockControl(QWidget *control)
{
    if (!control)
        return;
    setLocked(control);
    control->setFocusPolicy(Qt::ClickFocus); // out of the Tab order
    QPalette palette = control->palette();
    const QColor grey(0xC0, 0xC0, 0xC0);
    palette.setColor(QPalette::Base, grey);
    palette.setColor(QPalette::Window, grey);
    palette.setColor(QPalette::Button, grey);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
    if (auto *combo = qobject_cast<QComboBox *>(control); combo && combo->lineEdit())
        combo->lineEdit()->deselect();
}

void SelectAllText(QLineEdit *textBox)
{
    if (textBox)
        textBox->setSelection(0, static_cast<int>(textBox->text().size()));
}

void SendKeysViaShell(const QString &keys, bool wait)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        return;
    const QList<KeyStroke> strokes = parseKeys(keys);
    for (const KeyStroke &stroke : strokes) {
        if (wait) {
            QKeyEvent press(QEvent::KeyPress, stroke.key, Qt::NoModifier, stroke.text);
            QKeyEvent release(QEvent::KeyRelease, stroke.key, Qt::NoModifier, stroke.text);
            QCoreApplication::sendEvent(target, &press);
            QCoreApplication::sendEvent(target, &release);
        } else {
            QCoreApplication::postEvent(
                target, new QKeyEvent(QEvent::KeyPress, stroke.key, Qt::NoModifier, stroke.text));
            QCoreApplication::postEvent(
                target, new QKeyEvent(QEvent::KeyRelease, stroke.key, Qt::NoModifier, stroke.text));
        }
    }
}

void ShowActionOnButton(QAction *action, QAbstractButton *button)
{
    const auto follow = [action, button] {
        button->setText(action->text());
        button->setAccessibleName(action->text());
        button->setEnabled(action->isEnabled());
    };
    follow();
    QObject::connect(action, &QAction::changed, button, follow);
    QObject::connect(button, &QAbstractButton::clicked, action, [action] { action->trigger(); });
}

namespace {

class EntryBoxFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        auto *box = static_cast<QLineEdit *>(watched);
        if (e->type() == QEvent::FocusIn) {
            QTimer::singleShot(0, box, [box] { SelectAllText(box); });
        } else if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QCoreApplication::sendEvent(box, &tab);
                return true;
            }
        }
        return false;
    }
};

} // namespace

void SelectAllOnFocusEnterMovesOn(QLineEdit *textBox)
{
    textBox->installEventFilter(new EntryBoxFilter(textBox));
}
