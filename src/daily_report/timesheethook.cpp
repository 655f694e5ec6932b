#include "daily_report/timesheethook.h"

#include "common/handoff.h"

namespace {
TimeSheetOpener &opener()
{
    static TimeSheetOpener o;
    return o;
}
} // namespace

void SetTimeSheetOpener(TimeSheetOpener o)
{
    opener() = std::move(o);
}

void OpenTimeSheet(QWidget *parent)
{
    TimeSheetSaved() = false;
    if (opener())
        opener()(parent);
}
