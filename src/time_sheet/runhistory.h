#pragma once

#include "db/recordset.h"
#include "production/changehistory.h"
#include "time_sheet/timesheetjob.h"

#include <QVariantList>
#include <QVector>

// What a time sheet's save changes among a line's runs, for the history of
// saves. `before` is the stored runs as read (field, record); `after` the rows
// the save writes, each its 21 values in stored order. A run is followed by its
// start stamp: one found again under another number is renumbered (改序) and
// its changed values 修改; one not found again is 刪除, a new one 新增.
QVector<ChangeRow> RunChanges(const TimeSheetJob &job, const RecordArray &before,
                              const QVector<QVariantList> &after);
