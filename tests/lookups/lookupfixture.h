#pragma once

// Staff and vendors for the lookup tests, on a database of their own.

#include "testdatabase.h"

#include <QStringList>

// Inserts rows of "|"-separated values; "null" stands for Null.
inline void InsertLookupRows(TestDatabase &db, const QString &insert, const QStringList &rows)
{
    for (const QString &row : rows) {
        QVariantList values;
        const QStringList texts = row.split(u'|');
        for (const QString &text : texts)
            values.append(text == u"null"  ? QVariant()
                          : text.isEmpty() ? QVariant(QStringLiteral(""))
                                           : QVariant(text));
        db.exec(insert, values);
    }
}

// Two 王 (王大同 with his 工務人員), one in 運送部 (E04), one who left (E05), a
// name holding an apostrophe (E06).
inline void AddLookupStaff(TestDatabase &db)
{
    InsertLookupRows(
        db,
        QStringLiteral("insert into [EMPLOYEE] (ID, NAME, 部門, ODATE, 工務人員代號, "
                       "工務人員) values (?, ?, ?, ?, ?, ?)"),
        {QStringLiteral("E01|王小明|生管部|||"), QStringLiteral("E02|王大同|印刷部||E01|王小明"),
         QStringLiteral("E03|陳志明|印刷部|||"), QStringLiteral("E04|吳俊傑|運送部|||"),
         QStringLiteral("E05|蔡宜君|印刷部|1150630||"),
         QStringLiteral("E06|Kevin O'Brien|印刷部|||")});
}

// Code, short name, 製作, 停用 and the flags ITEM1..ITEM14: V06 makes
// equipment, V07 is suspended, V08's 停用 is Null.
inline void AddLookupVendors(TestDatabase &db)
{
    QString insert = QStringLiteral("insert into [VENDER] (ID, SNAME, 製作, 停用");
    for (int i = 1; i <= 14; ++i)
        insert += QStringLiteral(", ITEM%1").arg(i);
    insert += QStringLiteral(") values (?") + QStringLiteral(", ?").repeated(17) + u')';
    InsertLookupRows(db, insert,
                     {QStringLiteral("V01|宏圖印前|0|0|1|0|0|0|0|0|0|0|0|0|0|0|0|0"),
                      QStringLiteral("V02|精準製版|0|0|0|1|0|0|0|0|0|0|0|0|0|0|0|0"),
                      QStringLiteral("V03|聯合紙業|0|0|0|0|1|0|0|0|0|0|0|0|0|0|0|0"),
                      QStringLiteral("V04|大興裱紙|0||0|0|0|0|0|1|0|0|0|0|0|0|0|0"),
                      QStringLiteral("V05|大展裝訂|0|0|0|0|0|0|0|0|0|0|1|1|0|0|0|0"),
                      QStringLiteral("V06|印刷機保養|1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|1"),
                      QStringLiteral("V07|停業印刷|0|1|0|0|0|1|0|0|0|0|0|0|0|0|0|0"),
                      QStringLiteral("V08|東昇印刷|0|null|0|0|0|1|0|0|0|0|0|0|0|0|0|0"),
                      QStringLiteral("V09|華新紙器|0|0|0|0|1|0|0|0|0|0|0|0|0|0|0|0")});
}
