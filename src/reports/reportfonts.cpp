#include "reports/reportfonts.h"

QString ReportFontFace(const QString &family)
{
    if (family == QStringLiteral("新細明體"))
        return QStringLiteral("AR PL UMing TW");
    if (family == QStringLiteral("標楷體"))
        return QStringLiteral("AR PL UKai TW");
    return family;
}
