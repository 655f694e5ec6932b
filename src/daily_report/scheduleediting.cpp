#include "daily_report/scheduleediting.h"

#include "common/texttrim.h"
#include "daily_report/schedulecolumns.h"
#include "grid/virtualkey.h"

using namespace Qt::StringLiterals;

bool IsStampColumn(int col)
{
    return col == ScheduleCol::Planned || col == ScheduleCol::Completion;
}

bool IsClosedRow(const QString &closingMark)
{
    return !closingMark.trimmed().isEmpty();
}

bool TakesStamp(int col, const QString &closingMark)
{
    return IsStampColumn(col) && !IsClosedRow(closingMark);
}

bool TakesEntry(int col, const QString &closingMark)
{
    return col == ScheduleCol::Order || TakesStamp(col, closingMark);
}

bool ClickStamps(int col, const QString &closingMark, const QString &cellText)
{
    return TakesStamp(col, closingMark) && cellText.trimmed().isEmpty();
}

KeyEffect TypedKeyEffect(int charCode, bool takesStamp)
{
    if (takesStamp)
        return {charCode, true};
    const bool kept = charCode == VirtualKey::Backspace || charCode == VirtualKey::Enter;
    return {kept ? charCode : 0, false};
}

KeyEffect KeyDownEffect(int keyCode, bool takesStamp)
{
    if (keyCode == VirtualKey::Delete)
        return {takesStamp ? keyCode : 0, takesStamp};
    return {keyCode == VirtualKey::F2 ? 0 : keyCode, false};
}

LimitedEntry LimitScheduleEntry(int col, const QString &entry)
{
    int limit = 0;
    QString message;
    if (col == ScheduleCol::Order) {
        limit = 10;
        message = u"最多只可輸入10個字元!"_s;
    } else if (IsStampColumn(col)) {
        limit = 7;
        message = u"最多只可輸入7個字元!"_s;
    } else {
        return {entry, QString(), false};
    }
    const ByteLimitedEntry limited = LimitEntryBytes(entry, limit, message);
    return {limited.text, limited.message, true};
}

void ScheduleMarks::reset(int rows, int cols)
{
    m_marks = QVector<QVector<bool>>(rows + 1, QVector<bool>(cols + 1, false));
}

void ScheduleMarks::mark(int row, int col)
{
    if (row >= 0 && row < m_marks.size() && col >= 0 && col < m_marks[row].size())
        m_marks[row][col] = true;
}

bool ScheduleMarks::isMarked(int row, int col) const
{
    return row >= 0 && row < m_marks.size() && col >= 0 && col < m_marks[row].size() &&
           m_marks[row][col];
}
