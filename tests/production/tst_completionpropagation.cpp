// The completion propagation rule that both saves use, on the demo print shop: the
// stamps of one line go into its rows of the four production tables.

#include "db/connection.h"
#include "db/dberror.h"
#include "db/historytable.h"
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
        // The written columns of each table's rows of the line, one text per row.
        const auto stampsOf = [&](const QString &table) {
            return QueryRows(db,
                             u"select %1 from [%2] where PO = ? and [NO] = ?"_s.arg(
                                 isPrinting(table) ? u"ODATE, FDATE, ACT"_s : u"ODATE"_s, table),
                             {line.po, line.no});
        };
        QMap<QString, QStringList> stampsBefore;
        for (const QString &table : tables)
            stampsBefore[table] = stampsOf(table);

        const Editor editor{u"E001"_s, u"王小明"_s, u"PRESSPC"_s, u"daily_report"_s};
        Connection c;
        c.open(db.connectionString());
        EnsureHistoryTable(c);
        TransactionGuard transaction(c);
        PropagateCompletion(c, QVector<CompletionLine>{line}, stamps, editor);
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

        // The history holds exactly the values that changed, before and after, and who.
        QStringList expected;
        for (const QString &table : tables) {
            const QStringList was = stampsBefore[table], is = stampsOf(table);
            const QStringList columns = isPrinting(table)
                                            ? QStringList{u"ODATE"_s, u"FDATE"_s, u"ACT"_s}
                                            : QStringList{u"ODATE"_s};
            for (qsizetype r = 0; r < was.size() && r < is.size(); ++r)
                for (qsizetype col = 0; col < columns.size(); ++col)
                    if (was[r].split(u'|')[col] != is[r].split(u'|')[col])
                        expected << table + u'|' + columns[col] + u'|' + was[r].split(u'|')[col] +
                                        u'|' + is[r].split(u'|')[col] + u"|修改|E001|王小明"_s;
        }
        const QString history =
            u"select 資料表, 欄位, 原值, 新值, 動作, 使用者代號, 使用者 from [變更記錄] "
            u"where PO = ? and [NO] = ?"_s;
        QStringList recorded = QueryRows(db, history, {line.po, line.no});
        recorded.sort();
        expected.sort();
        QCOMPARE(recorded, expected);

        // A save refused for a conflict records nothing.
        CompletionLine moved = line;
        moved.listedCompletion = u"someone else's"_s;
        {
            Connection again;
            again.open(db.connectionString());
            TransactionGuard refused(again); // rolled back as it goes
            QVERIFY_THROWS_EXCEPTION(
                DbConflictError,
                PropagateCompletion(again, QVector<CompletionLine>{moved}, stamps, editor));
        }
        QCOMPARE(QueryRows(db, history, {line.po, line.no}).size(), expected.size());
    }
};

QTEST_GUILESS_MAIN(TestCompletionPropagation)
#include "tst_completionpropagation.moc"
