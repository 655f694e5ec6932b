#include "daily_report/workorderhandoff.h"

#include "common/cp950.h"

#include <QSaveFile>

using namespace Qt::StringLiterals;

std::optional<QString> WriteWorkOrderHandOff(const QString &tempFolder, const QString &workOrder)
{
    QSaveFile f(tempFolder + u"PLOVTMP.TXT"_s);
    if (!f.open(QIODevice::WriteOnly))
        return f.errorString();
    f.write(toCp950(u"預排\r\n"_s + workOrder.trimmed() + u"\r\n"_s));
    if (!f.commit())
        return f.errorString();
    return std::nullopt;
}
