#pragma once

#include <QString>

class QWidget;

// The main screen's summary of this month: the stored runs of the press (the
// trimmed text of the press box; every press when empty) in the month of today,
// as the printed summary in the preview window, returning when that is closed.
// "查無任何資料!" when the month has no run of it; a failure shows its
// description under "產能摘要錯誤" and nothing else.
void PreviewMonthSummary(QWidget *parent, const QString &pressText);
