#include "workorderhandoff.h"

#include "common/cp950.h"

#include <QSaveFile>

std::optional<QString> WriteWorkOrderHandOff(const QString &tempFolder, const QString &workOrder)
{
    QSaveFile f(tempFolder + QStringLiteral("PLOVTMP.TXT"));
    if (!f.open(QIODevice::WriteOnly))
        return f.errorString();
    f.write(toCp950(QStringLiteral("預排\r\n") + workOrder.trimmed() + QStringLiteral("\r\n")));
    if (!f.commit())
        return f.errorString();
    return std::nullopt;
}
