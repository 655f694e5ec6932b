#pragma once

#include <QString>
#include <optional>

struct SessionSettings;

// Reads the session's settings and permissions from the shared database into
// `settings`, parsing the command line first when `reloadIdentity` is true.
// On a failure the load stops where it is: fields read so far keep their values,
// and the error's description comes back for the caller to show.
std::optional<QString> LoadSettings(SessionSettings &settings, bool reloadIdentity,
                                    const QString &commandLine, const QString &machineName);
