// The program bench_startup times: the daily report program's own Main, which
// prints when the main screen is shown (its first activation done) and ends.

#include "app/program.h"
#include "daily_report/dailyreportwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    return Main(argc, argv, [&](DailyReportWindow &window) {
        QObject::connect(&window, &DailyReportWindow::ready, qApp, [&] {
            QTextStream(stdout) << "main screen shown after " << sinceStart.nsecsElapsed() / 1e6
                                << " ms\n";
            QTimer::singleShot(0, qApp, &QApplication::quit);
        });
    });
}
