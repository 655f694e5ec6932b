#pragma once

#include <QString>

// The texts one detail entry of the press schedule prints.
struct PressScheduleEntry
{
    QString counter; // 序
    QString po;
    QString sname;
    QString desc1;
    QString desc;
    QString color1;
    QString color2;
    QString memb;
    QString plat;
    QString size;
    QString reams;  // the quantity before the first "+"
    QString sheets; // the quantity after it
    QString odate;
    QString fdate;
    QString paperArrived; // 紙
    QString plateDone;    // 版
    QString plateKind;    // 版別
    QString pressCheck;   // 看印
    QString prem;
    QString paperText; // 用紙
    QString vendor;
    QString code;
};
