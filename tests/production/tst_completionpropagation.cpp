// The completion propagation rule that both saves use, on the demo print shop: the
// stamps of one line go into its rows of the four production tables.

#include "db/connection.h"
#include "production/completionpropagation.h"
#include "queryrows.h"
#include "testdatabase.h"
#include "testtables.h"

using namespace Qt::StringLiterals;

class TestCompletionPropagation : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void propagatesTheStampsOfALine_data()
    {
        // `untouched`: the table the rule leaves alone.
        AddColumns<CompletionLine, PropagatedStamps, QString>("line", "stamps", "untouched");
        const auto line = [](const QString &po, double no, const QString &id, double ino,
                             const QString &planned, const QString &completion) {
            return CompletionLine{po, no, id, ino, planned, completion, {}, {}};
        };
        const auto both = PropagatedStamps::PlannedAndCompletion;
        // clang-format off
        QTest::newRow("completion stamped") << line(u"A1151116"_s, 1, u"P1151205"_s, 1, u"1205-08"_s, u"1204-14"_s) << both << QString();
        QTest::newRow("empty completion clears, line 2") << line(u"A1151125"_s, 2, u"P1151208"_s, 9, u"1204-14"_s, QString()) << both << QString();
        QTest::newRow("PRINTING with costs") << line(u"A1151119"_s, 1, u"P1151205"_s, 7, QString(), u"1204-14"_s) << both << u"PRINTING"_s;
        QTest::newRow("two VENDERAC rows") << line(u"A1151110"_s, 1, u"P1151203"_s, 1, u"1204-08"_s, u"1204-14"_s) << both << u"VENDERAC"_s;
        QTest::newRow("completion only keeps the planned stamp") << line(u"A1151116"_s, 1, u"P1151205"_s, 1, u"1205-08"_s, u"1204-14"_s) << PropagatedStamps::CompletionOnly << QString();
        // clang-format on
    }
    void propagatesTheStampsOfALine()
    {
        const auto line = Fetch<CompletionLine>("line");
        const auto stamps = Fetch<PropagatedStamps>("stamps");
        const auto untouched = Fetch<QString>("untouched");
        const QStringList tables = {u"PRINTING"_s, u"PRINTING_S"_s, u"VENDERAC"_s,
                                    u"預排資料明細"_s};
        const auto isPrinting = [](const QString &table) { return table.startsWith(u"PRINTING"); };
        TestDatabase db(TestDatabase::Content::Demo);
        // Old marks where the stamps go, which the rule must replace.
        for (const QString &table : tables)
            db.exec(u"update [%1] set %2 where PO = ? and [NO] = ?"_s.arg(
                        table, isPrinting(table) ? u"ODATE = 'kept', FDATE = 'old'"_s
                                                 : u"ODATE = 'old'"_s),
                    {line.po, line.no});
        const QStringList before = TableRows(db, tables);

        Connection c;
        c.open(db.connectionString());
        TransactionGuard transaction(c);
        PropagateCompletion(c, line, stamps);
        transaction.commit();
        const bool withPlanned = stamps == PropagatedStamps::PlannedAndCompletion;
        for (const QString &table : tables) {
            const QString read =
                isPrinting(table) ? u"ODATE || '/' || FDATE || '/' || ACT"_s : u"ODATE"_s;
            const QString written = isPrinting(table)
                                        ? (withPlanned ? line.planned : u"kept"_s) + u'/' +
                                              line.completion + u'/' + line.completion
                                        : line.completion;
            const QString sql = u"select %1 from [%2] where PO = ? and [NO] = ?"_s;
            QCOMPARE(db.scalar(sql.arg(read, table), {line.po, line.no}).toString() == written,
                     table != untouched);
        }
        // Only the line's own rows changed, one per table written.
        QStringList changed = TableRows(db, tables);
        for (const QString &row : before)
            changed.removeOne(row);
        QCOMPARE(changed.size(), untouched.isEmpty() ? 4 : 3);
    }
};

QTEST_GUILESS_MAIN(TestCompletionPropagation)
#include "tst_completionpropagation.moc"
