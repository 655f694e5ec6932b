#pragma once

#include <QStringList>

class QTextStream;

// plov pick: the staff or the vendor lookup, for the shop's other programs.
//   pick staff DB [--filter TEXT]
//   pick vendor DB [--kind KIND] [--filter TEXT] [--equipment]
// args start after "pick". On a pick the handed-back cells go to out on one
// line, separated by tabs (tabs and line breaks inside a cell become blanks).
// Gives the exit code: 0 a row was picked, 1 nothing was picked, 2 a wrong
// command line or a database the lookup could not read (after its message box).
int PlovPick(const QStringList &args, QTextStream &out, QTextStream &err);

// Whether args (after "pick") are a command line PlovPick takes: checked before
// the application is made, so a wrong one gets the usage on any computer.
bool PickArgumentsValid(const QStringList &args);
