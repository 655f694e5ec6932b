#include "completionsave.h"

#include "startup/db/connection.h"
#include "startup/db/recordset.h"

namespace {

// Opens one table's statement and writes `write` into its row when exactly one is found.
template<typename Write>
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
                   {line.po, line.no, line.id, line.ino}, stamps);
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
