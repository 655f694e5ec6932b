#include "schedulecolumns.h"

QList<GridColumn> ScheduleColumns()
{
    using A = CellAlign;
    const QString general = QStringLiteral("General");
    return {
        {QStringLiteral("工單單號"), 2901, general, A::General, false},
        {QStringLiteral("序"), 725, general, A::Right, false},
        {QStringLiteral("項目"), 2005, general, A::Left, true},
        {QStringLiteral("客戶"), 2219, general, A::Left, false},
        {QStringLiteral("品名"), 4395, general, A::Left, false},
        {QStringLiteral("正色"), 1280, QStringLiteral("0.0"), A::Centre, false},
        {QStringLiteral("反色"), 1323, QStringLiteral("0.0"), A::Centre, false},
        {QStringLiteral("計"), 1237, QStringLiteral("0.0"), A::Centre, false},
        {QStringLiteral("模數"), 1237, QStringLiteral("0.0"), A::Centre, false},
        {QStringLiteral("台數"), 1493, QStringLiteral("0.000"), A::Centre, false},
        {QStringLiteral("印刷尺寸"), 3584, QStringLiteral("0"), A::Left, false},
        {QStringLiteral("數量"), 3883, general, A::Right, false},
        {QStringLiteral("數量1"), 2987, QStringLiteral("0.000"), A::Right, true},
        {QStringLiteral("數量2"), 2901, QStringLiteral("0.000"), A::Right, true},
        {QStringLiteral("順序"), 1280, QStringLiteral("0.0"), A::Centre, false},
        {QStringLiteral("車別"), 1664, general, A::Centre, true},
        {QStringLiteral("耗時"), 1579, general, A::Right, false},
        {QStringLiteral("序"), 1280, general, A::Right, true},
        {QStringLiteral("預定日"), 1877, general, A::Centre, false},
        {QStringLiteral("完工日"), 1877, general, A::Centre, false},
        {QStringLiteral("備註"), 2342, general, A::General, true},
        {QStringLiteral("看印"), 2342, general, A::General, true},
        {QStringLiteral("預排單號"), 2859, general, A::General, true},
        {QStringLiteral("預排序"), 2987, general, A::General, true},
        {QStringLiteral("付款年月"), 2944, general, A::General, true},
    };
}
