#pragma once

#include <QString>

// One row of 印刷預排表1 as the press schedule report reads it, every column as
// text (a Null reads as the empty text), untrimmed.
struct PressScheduleRow
{
    QString press; // 車別
    QString po;
    QString no;
    QString desc1;
    QString desc;
    QString sname;
    QString color1;
    QString color2;
    QString memb;
    QString plat;
    QString size;
    QString qty;
    QString odate;
    QString fdate;
    QString prem;
    QString paperSpec; // 規格
    QString paperItem; // 紙品
    QString vendor;    // 下游廠商
    QString code;
    QString item1;
    QString item4;
    QString item7;
};
