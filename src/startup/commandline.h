#pragma once

#include "db/ploverror.h"

#include <QString>

// The menu program's command line:
// "-qta5827 -AD=… -NAME=… -ID=… -XLS=… -DOC=… -PID=…", fixed order, single blanks.
inline const QString kLaunchToken = QStringLiteral("-qta5827");

struct CommandLineIdentity
{
    QString Ad;
    QString UserName;
    QString UserId;
    QString XlsExt;
    QString DocExt;
    double ParentWindow = 0;
};

// A command line the menu program did not write: a key missing or out of order, a
// -PID= value that is not a number.
class CommandLineError : public PlovError
{
public:
    using PlovError::PlovError;
};

bool HasLaunchToken(const QString &commandLine);

// Cuts the values out of the trimmed command line by the positions of the keys,
// in order; a value that holds a later key is cut short. Throws CommandLineError
// when the line cannot be cut. `partial` receives the fields cut before a failure.
CommandLineIdentity CutCommandLine(const QString &commandLine,
                                   CommandLineIdentity *partial = nullptr);

// The command line this program passes on to a sibling program of the suite.
QString BuildCommandLine(const CommandLineIdentity &identity);
