#include "time_sheet/runcolumns.h"

using namespace Qt::StringLiterals;

QList<GridColumn> RunColumns()
{
    using A = CellAlign;
    const QString general = u"General"_s;
    const QString hours = u"0.00"_s;
    return {
        {u"開始"_s, 2464, general, A::Centre, false},
        {u"結束"_s, 2400, general, A::Centre, false},
        {u"正色"_s, 992, general, A::Right, false},
        {u"反色"_s, 1024, general, A::Right, false},
        {u"台"_s, 1024, general, A::Left, false},
        {u"版數"_s, 1056, general, A::Right, false},
        {u"看印"_s, 960, general, A::Centre, false},
        {u"特色"_s, 1120, general, A::Right, false},
        {u"用墨量"_s, 1664, general, A::Right, false},
        {u"完工數量"_s, 1920, general, A::Right, false},
        {u"車別"_s, 2016, u"0"_s, A::Left, true},
        {u"經辦代號"_s, 2560, general, A::Left, true},
        {u"經辦"_s, 1824, general, A::Left, false},
        {u"總耗時"_s, 1472, hours, A::Right, false},
        {u"有效耗時"_s, 1856, hours, A::Right, false},
        {u"說明"_s, 3072, general, A::Left, false},
        {u"標準數量"_s, 2400, general, A::Left, true},
        {u"點數"_s, 1952, general, A::Left, true},
        {u"工單單號"_s, 2528, general, A::Left, true},
        {u"工單序"_s, 2432, general, A::Left, true},
        {u"序"_s, 1920, general, A::Left, true},
        {u"排程單號"_s, 2176, general, A::Left, true},
    };
}
