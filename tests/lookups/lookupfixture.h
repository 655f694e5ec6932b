#pragma once

// Staff and vendors for the lookup tests, on a database of their own.

#include "testdatabase.h"

#include <QStringList>

// E01..E07: two 王 (one of them 王小明, and 王大同 with his 工務人員), one in
// 運送部, one who left, a name holding an apostrophe.
inline void AddLookupStaff(TestDatabase &db)
{
    const QList<QStringList> staff = {
        {QStringLiteral("E01"), QStringLiteral("王小明"), QStringLiteral("生管部"),
         QStringLiteral(""), QStringLiteral(""), QStringLiteral("")},
        {QStringLiteral("E02"), QStringLiteral("王大同"), QStringLiteral("印刷部"),
         QStringLiteral(""), QStringLiteral("E01"), QStringLiteral("王小明")},
        {QStringLiteral("E03"), QStringLiteral("陳志明"), QStringLiteral("印刷部"),
         QStringLiteral(""), QStringLiteral(""), QStringLiteral("")},
        {QStringLiteral("E04"), QStringLiteral("吳俊傑"), QStringLiteral("運送部"),
         QStringLiteral(""), QStringLiteral(""), QStringLiteral("")},
        {QStringLiteral("E05"), QStringLiteral("蔡宜君"), QStringLiteral("印刷部"),
         QStringLiteral("1150630"), QStringLiteral(""), QStringLiteral("")},
        {QStringLiteral("E06"), QStringLiteral("Kevin O'Brien"), QStringLiteral("印刷部"),
         QStringLiteral(""), QStringLiteral(""), QStringLiteral("")},
        {QStringLiteral("E07"), QStringLiteral("林美華"), QStringLiteral("業務部"),
         QStringLiteral(""), QStringLiteral(""), QStringLiteral("")},
    };
    for (const QStringList &s : staff)
        db.exec(QStringLiteral("insert into [EMPLOYEE] (ID, NAME, 部門, ODATE, 工務人員代號, "
                               "工務人員) values (?, ?, ?, ?, ?, ?)"),
                {s[0], s[1], s[2], s[3], s[4], s[5]});
}

// V01..V09, each with the kind flags (ITEM1..ITEM14) it has set: V06 makes
// equipment, V07 is suspended, V08's 停用 is Null.
inline void AddLookupVendors(TestDatabase &db)
{
    struct Vendor
    {
        QString id, name;
        QList<int> kinds;
        double makes;
        QVariant suspended;
    };
    const QList<Vendor> vendors = {
        {QStringLiteral("V01"), QStringLiteral("宏圖印前"), {1}, 0, QStringLiteral("0")},
        {QStringLiteral("V02"), QStringLiteral("精準製版"), {2}, 0, QStringLiteral("0")},
        {QStringLiteral("V03"), QStringLiteral("聯合紙業"), {3}, 0, QStringLiteral("0")},
        {QStringLiteral("V04"), QStringLiteral("大興裱紙"), {6}, 0, QStringLiteral("")},
        {QStringLiteral("V05"), QStringLiteral("大展裝訂"), {9, 10}, 0, QStringLiteral("0")},
        {QStringLiteral("V06"), QStringLiteral("印刷機保養"), {14}, 1, QStringLiteral("0")},
        {QStringLiteral("V07"), QStringLiteral("停業印刷"), {4}, 0, QStringLiteral("1")},
        {QStringLiteral("V08"), QStringLiteral("東昇印刷"), {4}, 0, QVariant()},
        {QStringLiteral("V09"), QStringLiteral("華新紙器"), {3}, 0, QStringLiteral("0")},
    };
    for (const Vendor &v : vendors) {
        QVariantList values{v.id, v.name, QStringLiteral("02-1234"), v.makes, v.suspended};
        for (int kind = 1; kind <= 14; ++kind)
            values.append(v.kinds.contains(kind) ? QStringLiteral("1") : QStringLiteral("0"));
        db.exec(QStringLiteral("insert into [VENDER] (ID, SNAME, TEL1, 製作, 停用, ITEM1, ITEM2, "
                               "ITEM3, ITEM4, ITEM5, ITEM6, ITEM7, ITEM8, ITEM9, ITEM10, ITEM11, "
                               "ITEM12, ITEM13, ITEM14) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                               "?, ?, ?, ?, ?, ?, ?, ?)"),
                values);
    }
}
