#pragma once

#include <functional>

class QWidget;

// Opens the time sheet of the job in the hand-off list, modally, over the main
// screen. Until a time sheet is installed nothing opens and the line is left as
// it was; tests install their own.
using TimeSheetOpener = std::function<void(QWidget *parent)>;
void SetTimeSheetOpener(TimeSheetOpener opener);
void OpenTimeSheet(QWidget *parent);
