#include "startup/sessionsettings.h"

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

CommandLineIdentity SessionSettings::identity() const
{
    return {Ad, UserName, UserId, XlsExt, DocExt, ParentWindow};
}

void SessionSettings::setIdentity(const CommandLineIdentity &id)
{
    Ad = id.Ad;
    UserName = id.UserName;
    UserId = id.UserId;
    XlsExt = id.XlsExt;
    DocExt = id.DocExt;
    ParentWindow = id.ParentWindow;
}
