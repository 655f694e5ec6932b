#include "common/handoff.h"

JobHandOffList &JobHandOff()
{
    static JobHandOffList list;
    return list;
}

void ClearJobHandOff()
{
    for (QString &slot : JobHandOff())
        slot.clear();
}

bool &TimeSheetSaved()
{
    static bool saved = false;
    return saved;
}

QString &LookupFilterText()
{
    static QString text;
    return text;
}
