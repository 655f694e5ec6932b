#include "daily_report/schedulecolumns.h"

using namespace Qt::StringLiterals;

QList<GridColumn> ScheduleColumns()
{
    using A = CellAlign;
    // Cells show their stored values as they are: a number format would widen
    // 1200 to 1200.000 and cut it off in the narrow 台數 column.
    const QString general = u"General"_s;
    return {
        {u"工單單號"_s, 2901, general, A::General, false},
        {u"序"_s, 725, general, A::Right, false},
        {u"項目"_s, 2005, general, A::Left, true},
        {u"客戶"_s, 2219, general, A::Left, false},
        {u"品名"_s, 4395, general, A::Left, false},
        {u"正色"_s, 1280, general, A::Centre, false},
        {u"反色"_s, 1323, general, A::Centre, false},
        {u"計"_s, 1237, general, A::Centre, false},
        {u"模數"_s, 1237, general, A::Centre, false},
        {u"台數"_s, 1493, general, A::Centre, false},
        {u"印刷尺寸"_s, 3584, general, A::Left, false},
        {u"數量"_s, 3883, general, A::Right, false},
        {u"數量1"_s, 2987, general, A::Right, true},
        {u"數量2"_s, 2901, general, A::Right, true},
        {u"順序"_s, 1280, general, A::Centre, false},
        {u"車別"_s, 1664, general, A::Centre, true},
        {u"耗時"_s, 1579, general, A::Right, false},
        {u"序"_s, 1280, general, A::Right, true},
        {u"預定日"_s, 1877, general, A::Centre, false},
        {u"完工日"_s, 1877, general, A::Centre, false},
        {u"備註"_s, 2342, general, A::General, true},
        {u"看印"_s, 2342, general, A::General, true},
        {u"預排單號"_s, 2859, general, A::General, true},
        {u"預排序"_s, 2987, general, A::General, true},
        {u"付款年月"_s, 2944, general, A::General, true},
    };
}
