#pragma once

#include <QMainWindow>

// The main screen "印刷日報登錄": the press schedule of one press.
class DailyReportWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit DailyReportWindow(QWidget *parent = nullptr);
};
