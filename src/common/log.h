#pragma once

#include <QLoggingCategory>
#include <string_view>

// The program's log: one category per layer (the data layer's own is in
// db/sqlquery.h). Warnings and errors are written by default; debug and info
// output is turned on with QT_LOGGING_RULES, e.g. "plov.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(LogStartup)    // plov.startup
Q_DECLARE_LOGGING_CATEGORY(LogMainScreen) // plov.daily_report
Q_DECLARE_LOGGING_CATEGORY(LogTimeSheet)  // plov.time_sheet
Q_DECLARE_LOGGING_CATEGORY(LogLookups)    // plov.lookups
Q_DECLARE_LOGGING_CATEGORY(LogReport)     // plov.report
Q_DECLARE_LOGGING_CATEGORY(LogProgram)    // plov: the shared helpers and the tool

// The category of the code in a source file, by the folder the file lies in.
const QLoggingCategory &LogCategoryOfSource(std::string_view sourceFile);

enum class LogSink
{
    Journal, // the system journal; a message it refuses goes to stderr
    Stderr
};
// The journal when the computer has one, unless stderr is a terminal (someone
// is watching it) or Qt's own QT_FORCE_STDERR_LOGGING or
// QT_ASSUME_STDERR_HAS_CONSOLE asks for stderr.
LogSink ChooseLogSink();
// Sends every message of the program, and of Qt, to the sink.
void InstallLogHandler(LogSink sink);
