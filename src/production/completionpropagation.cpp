#include "production/completionpropagation.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"

using namespace Qt::StringLiterals;

namespace {

// Opens one table's statement and writes `write` into its row when exactly one is found.
template <typename Write>
void writeSingleRow(Connection &c, const QString &sql, const QVariantList &params, Write write)
{
    Recordset rs(c);
    rs.open(sql, params, Recordset::Lock::Optimistic);
    if (rs.recordCount() == 1) {
        write(rs);
        rs.update();
    }
    rs.close();
}

} // namespace

void PropagateCompletion(Connection &c, const CompletionLine &line, PropagatedStamps which)
{
    const auto stamps = [&](Recordset &rs) {
        if (which == PropagatedStamps::PlannedAndCompletion)
            rs.setValue(u"ODATE"_s, line.planned);
        rs.setValue(u"FDATE"_s, line.completion);
        rs.setValue(u"ACT"_s, line.completion);
    };
    const auto completionDate = [&](Recordset &rs) { rs.setValue(u"ODATE"_s, line.completion); };
    writeSingleRow(c,
                   u"select PO, [NO], ODATE, FDATE, ACT from [PRINTING] "
                   u"where PO = ? and [NO] = ? and EAMT = 0 "_s,
                   {line.po, line.no}, stamps);
    writeSingleRow(c,
                   u"select PO, [NO], ODATE, FDATE, ACT, ID, INO from [PRINTING_S] "
                   u"where PO = ? and [NO] = ? and ID = ? and INO = ?"_s,
                   {line.po, line.no, line.id, line.ino}, [&](Recordset &rs) {
                       const bool plannedMoved =
                           line.listedPlanned &&
                           rs.text(u"ODATE"_s).trimmed() != line.listedPlanned->trimmed();
                       const bool completionMoved =
                           line.listedCompletion &&
                           rs.text(u"FDATE"_s).trimmed() != line.listedCompletion->trimmed();
                       if (plannedMoved || completionMoved)
                           throw DbConflictError(
                               u"工單 %1 序 %2 的預定日或完工日已被其他使用者變更，"
                               u"這次的儲存沒有寫入任何資料。請重新查詢後再儲存。"_s.arg(line.po)
                                   .arg(line.no));
                       stamps(rs);
                   });
    writeSingleRow(c,
                   u"select PO, [NO], KIND, ODATE from [VENDERAC] "
                   u"where PO = ? and [NO] = ? and KIND = '印 刷' and EAMT = 0 "_s,
                   {line.po, line.no}, completionDate);
    writeSingleRow(c,
                   u"select PO, [NO], KIND, ODATE, ID, INO from [預排資料明細] "
                   u"where PO = ? and [NO] = ? and ID = ? and INO = ? and "
                   u"KIND = '印 刷' "_s,
                   {line.po, line.no, line.id, line.ino}, completionDate);
}
