#include "dailyreportwindow.h"

DailyReportWindow::DailyReportWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frm日報登錄作業"));
    setWindowTitle(QStringLiteral("印刷日報登錄"));
    resize(1024, 700);
}
