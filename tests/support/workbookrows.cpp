#include "workbookrows.h"

#include <QProcess>

using namespace Qt::StringLiterals;

QStringList WorkbookRows(const QString &file)
{
    static const QString script = uR"(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    print("[%s]" % sheet.title)
    for row in sheet.iter_rows(values_only=True):
        cells = ["" if v is None else ("n:%.15g" % v if isinstance(v, (int, float)) else "t:" + str(v).replace("\n", "\\n"))
                 for v in row]
        while cells and not cells[-1]:
            cells.pop()
        print("|".join(cells))
)"_s;
    QProcess python;
    python.start(QStringLiteral(PLOV_PYTHON), {u"-c"_s, script, file});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return {};
    return QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}
