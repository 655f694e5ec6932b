#pragma once

#include <QString>

class QWidget;

// The main screen's print command: checks that the press (the trimmed text of
// the press box; empty for every press) has rows, reads the company name into
// the session, builds the press schedule and shows it in the preview window,
// returning when that is closed. "查無任何資料!" when nothing matches; a failure
// shows its description under "印表錯誤" and prints nothing.
void PrintPressSchedule(QWidget *parent, const QString &pressText);
