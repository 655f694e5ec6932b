#include "common/log.h"

#include <QByteArray>
#include <cstdio>
#include <unistd.h>
#ifdef PLOV_HAVE_JOURNAL
#include <QList>
#include <cerrno>
#include <sys/uio.h>
#include <syslog.h>
// The fields say where in the program a message comes from, not where it was sent.
#define SD_JOURNAL_SUPPRESS_LOCATION
#include <systemd/sd-journal.h>
#include <vector>
#endif

Q_LOGGING_CATEGORY(LogStartup, "plov.startup", QtWarningMsg)
Q_LOGGING_CATEGORY(LogMainScreen, "plov.daily_report", QtWarningMsg)
Q_LOGGING_CATEGORY(LogTimeSheet, "plov.time_sheet", QtWarningMsg)
Q_LOGGING_CATEGORY(LogLookups, "plov.lookups", QtWarningMsg)
Q_LOGGING_CATEGORY(LogReport, "plov.report", QtWarningMsg)
Q_LOGGING_CATEGORY(LogProgram, "plov", QtWarningMsg)

namespace {

LogSink chosenSink = LogSink::Stderr;

void WriteToStderr(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

#ifdef PLOV_HAVE_JOURNAL
int JournalPriority(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return LOG_DEBUG;
    case QtInfoMsg:
        return LOG_INFO;
    case QtWarningMsg:
        return LOG_WARNING;
    case QtCriticalMsg:
        return LOG_ERR; // a failed save is an error, not a failing system
    case QtFatalMsg:
        return LOG_CRIT;
    }
    return LOG_WARNING;
}

// Debian's Qt is built without its own journal output, so the program writes
// its messages there itself, with the fields Qt would give them.
bool WriteToJournal(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QList<QByteArray> fields{"MESSAGE=" + qFormatLogMessage(type, context, message).toUtf8(),
                             "PRIORITY=" + QByteArray::number(JournalPriority(type)),
                             QByteArray("SYSLOG_IDENTIFIER=") + program_invocation_short_name};
    if (context.category)
        fields.append(QByteArray("QT_CATEGORY=") + context.category);
    if (context.file) {
        fields.append(QByteArray("CODE_FILE=") + context.file);
        fields.append("CODE_LINE=" + QByteArray::number(context.line));
    }
    if (context.function)
        fields.append(QByteArray("CODE_FUNC=") + context.function);
    std::vector<iovec> parts;
    for (QByteArray &field : fields)
        parts.push_back({field.data(), size_t(field.size())});
    return sd_journal_sendv(parts.data(), int(parts.size())) >= 0;
}
#endif

void HandleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
#ifdef PLOV_HAVE_JOURNAL
    if (chosenSink == LogSink::Journal && WriteToJournal(type, context, message))
        return;
#endif
    WriteToStderr(type, context, message);
}

} // namespace

const QLoggingCategory &LogCategoryOfSource(std::string_view sourceFile)
{
    // The folder is the last part of the path before the file's name, whichever
    // separator the compiler wrote.
    const std::string_view path = sourceFile.substr(0, sourceFile.find_last_of("/\\"));
    const std::string_view folder = path.substr(path.find_last_of("/\\") + 1);
    using Category = const QLoggingCategory &(*)();
    static const std::pair<std::string_view, Category> kByFolder[] = {
        {"app", LogStartup},          {"startup", LogStartup}, {"daily_report", LogMainScreen},
        {"time_sheet", LogTimeSheet}, {"lookups", LogLookups}, {"reports", LogReport},
        {"report_engine", LogReport},
    };
    for (const auto &[name, category] : kByFolder)
        if (folder == name)
            return category();
    return LogProgram();
}

LogSink ChooseLogSink()
{
    if (qEnvironmentVariableIntValue("QT_FORCE_STDERR_LOGGING") ||
        qEnvironmentVariableIntValue("QT_ASSUME_STDERR_HAS_CONSOLE") || isatty(STDERR_FILENO))
        return LogSink::Stderr;
#ifdef PLOV_HAVE_JOURNAL
    // Without a journal libsystemd drops messages without a word.
    if (access("/run/systemd/journal/socket", W_OK) == 0)
        return LogSink::Journal;
#endif
    return LogSink::Stderr;
}

void InstallLogHandler(LogSink sink)
{
    chosenSink = sink;
    qInstallMessageHandler(HandleMessage);
}
