#include "sessionsettings.h"

QString SessionSettings::permission(const QString &column) const
{
    const auto it = Permissions.find(column);
    return it == Permissions.end() ? QString() : it->second;
}

SessionSettings &Session()
{
    static SessionSettings settings;
    return settings;
}
