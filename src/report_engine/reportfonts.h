#pragma once

#include <QString>

// The installed face that prints a family a report names: "新細明體" prints in
// the Ming face AR PL UMing TW, "標楷體" in the Kai face AR PL UKai TW; any other
// family prints as named.
QString ReportFontFace(const QString &family);
