#include "app/program.h"

#include "common/log.h"
#include "common/messagebox.h"
#include "common/translations.h"
#include "common/typefaces.h"
#include "daily_report/dailyreportwindow.h"
#include "startup/commandline.h"
#include "startup/display.h"
#include "startup/initsession.h"
#include "startup/platform.h"
#include "time_sheet/timesheetwindow.h"

#include <QApplication>
#include <QLockFile>
#include <QPointer>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// The argument text as the menu program wrote it: the arguments joined by blanks.
QString ArgumentText(const QStringList &arguments)
{
    return arguments.mid(1).join(u' ');
}

} // namespace

StartedProgram StartProgram(const QString &commandLine, const QString &programFolder)
{
    // A fatal start-up error ends the program after its box, with this exit code.
    constexpr int kCannotRun = 2;
    StartedProgram started;
    if (!InitSession(true, commandLine, programFolder)) {
        started.exitCode = kCannotRun;
        return started;
    }

    // One copy per user: a second one ends silently.
    started.instanceLock = std::make_unique<QLockFile>(
        InstanceLockFolder() + u"/daily_report-%1.lock"_s.arg(GetLoginUserName()));
    if (!started.instanceLock->tryLock(0)) {
        started.instanceLock.reset();
        return started;
    }
    if (!HasLaunchToken(commandLine)) {
        ShowMessage(u"引數錯誤"_s, u"錯誤"_s, MessageService::Icon::Critical);
        started.exitCode = kCannotRun;
        return started;
    }
    // The main screen opens the time sheet over itself from its 耗時 column.
    started.window = new DailyReportWindow(ShowTimeSheet);
    started.window->setAttribute(Qt::WA_DeleteOnClose);
    started.window->show();
    started.window->activateWindow();
    return started;
}

int Main(int argc, char **argv, const std::function<void(DailyReportWindow &)> &started)
{
    InstallLogHandler(ChooseLogSink());
    // Qt would end the process with its own lines when it finds no display.
    if (const std::optional<QString> why = NoDisplayReason()) {
        fprintf(stderr, "daily_report: %s\n", qUtf8Printable(*why));
        return 2;
    }
    QApplication app(argc, argv);
    // Before the first box or window, so that Qt's own buttons and dialogs speak
    // Chinese from the start.
    InstallChineseTranslations();
    UseTaiwaneseFaces();
    QApplication::setApplicationName(u"daily_report"_s);
    qCInfo(LogStartup).noquote() << u"version"_s << QApplication::applicationVersion()
                                 << u"started as process"_s << QApplication::applicationPid();
    const StartedProgram program =
        StartProgram(ArgumentText(QApplication::arguments()), ProgramFolder());
    if (!program.window)
        return program.exitCode;
    if (started)
        started(*program.window);
    const QPointer<DailyReportWindow> window = program.window;
    const int code = app.exec();
    delete window.data(); // before the application goes
    return code;
}
