#include "time_sheet/timesheetjob.h"

TimeSheetJob JobFromHandOff(const JobHandOffList &handOff)
{
    const auto slot = [&](int i) { return handOff[i].trimmed(); };
    TimeSheetJob job;
    job.po = slot(0);
    job.line = slot(1);
    job.completion = slot(2);
    job.product = slot(4);
    job.press = slot(5);
    job.front = slot(6);
    job.back = slot(7);
    job.proofing = slot(8);
    job.scheduleId = slot(9);
    job.scheduleLine = slot(10);
    job.closingMark = slot(11);
    job.listedCompletion = handOff[kListedCompletionSlot];
    return job;
}
