#pragma once

#include <QString>
#include <optional>

// The hand-off file through which the work-order program opens a job: "PLOVTMP.TXT"
// in the temporary folder, two lines ended by CR LF in code page 950: "預排" and
// the work order number, trimmed. Gives the error's description on failure.
std::optional<QString> WriteWorkOrderHandOff(const QString &tempFolder, const QString &workOrder);
