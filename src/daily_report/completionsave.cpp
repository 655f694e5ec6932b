#include "completionsave.h"

#include "startup/db/connection.h"
#include "startup/db/dberror.h"
#include "startup/db/recordset.h"

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

void PropagateCompletion(Connection &c, const CompletionLine &line, bool withPlanned)
{
    const auto stamps = [&](Recordset &rs) {
        if (withPlanned)
            rs.setValue(QStringLiteral("ODATE"), line.planned);
        rs.setValue(QStringLiteral("FDATE"), line.completion);
        rs.setValue(QStringLiteral("ACT"), line.completion);
    };
    const auto completionDate = [&](Recordset &rs) {
        rs.setValue(QStringLiteral("ODATE"), line.completion);
    };
    writeSingleRow(c,
                   QStringLiteral("select PO, [NO], ODATE, FDATE, ACT from [PRINTING] "
                                  "where PO = ? and [NO] = ? and EAMT = 0 "),
                   {line.po, line.no}, stamps);
    writeSingleRow(c,
                   QStringLiteral("select PO, [NO], ODATE, FDATE, ACT, ID, INO from [PRINTING_S] "
                                  "where PO = ? and [NO] = ? and ID = ? and INO = ?"),
                   {line.po, line.no, line.id, line.ino}, [&](Recordset &rs) {
                       const bool plannedMoved =
                           line.listedPlanned && rs.text(QStringLiteral("ODATE")).trimmed() !=
                                                     line.listedPlanned->trimmed();
                       const bool completionMoved =
                           line.listedCompletion && rs.text(QStringLiteral("FDATE")).trimmed() !=
                                                        line.listedCompletion->trimmed();
                       if (plannedMoved || completionMoved)
                           throw DbConflictError(
                               QStringLiteral("工單 %1 序 %2 的預定日或完工日已被其他使用者變更，"
                                              "這次的儲存沒有寫入任何資料。請重新查詢後再儲存。")
                                   .arg(line.po)
                                   .arg(line.no));
                       stamps(rs);
                   });
    writeSingleRow(c,
                   QStringLiteral("select PO, [NO], KIND, ODATE from [VENDERAC] "
                                  "where PO = ? and [NO] = ? and KIND = '印 刷' and EAMT = 0 "),
                   {line.po, line.no}, completionDate);
    writeSingleRow(c,
                   QStringLiteral("select PO, [NO], KIND, ODATE, ID, INO from [預排資料明細] "
                                  "where PO = ? and [NO] = ? and ID = ? and INO = ? and "
                                  "KIND = '印 刷' "),
                   {line.po, line.no, line.id, line.ino}, completionDate);
}

void SaveCompletionLines(const QString &connectionString, const QVector<CompletionLine> &lines)
{
    Connection c;
    c.open(connectionString);
    TransactionGuard transaction(c);
    for (const CompletionLine &line : lines)
        PropagateCompletion(c, line, true);
    transaction.commit();
}
