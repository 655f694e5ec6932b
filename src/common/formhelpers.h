#pragma once

#include <QString>

class QAbstractButton;
class QAction;
class QLineEdit;
class QWidget;

// What every form does when it loads: clear and style its controls and centre
// itself. A control's "Tag" is its dynamic property "Tag" (text); "-1" marks a
// control whose designed text or items must survive the load.

// Clears text boxes and empties combo boxes (unless tagged "-1"). On Windows
// versions after 5.1 a free-standing toolbar taller than 600 twips moves up by
// 60 twips, once per loaded form: its Tag then holds its original top.
void ApplyControlStyle(QWidget *form, double windowsVersion);

// Centres the form on its screen, 210 twips above the middle.
void CenterForm(QWidget *form);

// Makes every text box and combo box of the form read-only.
void LockEntryControls(QWidget *form);

// Makes one control show-only: read-only, skipped by Tab, grey background.
void LockControl(QWidget *control);

// Selects the whole text of a text box, so typing replaces it.
void SelectAllText(QLineEdit *textBox);

// A text box whose whole text is selected whenever it gets the focus, and in
// which Enter moves on to the next control as Tab does.
void SelectAllOnFocusEnterMovesOn(QLineEdit *textBox);

// Sends keystrokes to the widget with the focus. Understands "{TAB}",
// "{ENTER}" (also "~") and plain characters. With wait the keys are handled
// before the call returns; otherwise they are queued.
void SendKeysViaShell(const QString &keys, bool wait);

// Makes a button show an action: its caption (also the accessible name), its
// enabled state as the action's changes, and a click triggers the action.
void ShowActionOnButton(QAction *action, QAbstractButton *button);
