// The completion propagation rule that both saves use, on the demo print shop: the
// stamps of one line go into its rows of the four production tables.

#include "db/connection.h"
#include "production/completionpropagation.h"
#include "queryrows.h"
#include "testdatabase.h"
#include "testtables.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList kTables = {u"PRINTING"_s, u"PRINTING_S"_s, u"VENDERAC"_s, u"預排資料明細"_s};

} // namespace

class TestCompletionPropagation : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void propagatesTheStampsOfALine_data()
    {
        // `untouched`: the table the rule leaves alone.
        AddColumns<QString, int, QString, int, QString, QString, PropagatedStamps, QString>(
            "po", "no", "id", "ino", "planned", "completion", "stamps", "untouched");
        const auto both = PropagatedStamps::PlannedAndCompletion;
        // clang-format off
        QTest::newRow("completion stamped") << u"A1151116"_s << 1 << u"P1151205"_s << 1 << u"1205-08"_s << u"1204-14"_s << both << QString();
        QTest::newRow("empty completion clears, line 2") << u"A1151125"_s << 2 << u"P1151208"_s << 9 << u"1204-14"_s << QString() << both << QString();
        QTest::newRow("PRINTING with costs") << u"A1151119"_s << 1 << u"P1151205"_s << 7 << QString() << u"1204-14"_s << both << u"PRINTING"_s;
        QTest::newRow("two VENDERAC rows") << u"A1151110"_s << 1 << u"P1151203"_s << 1 << u"1204-08"_s << u"1204-14"_s << both << u"VENDERAC"_s;
        QTest::newRow("completion only keeps the planned stamp") << u"A1151116"_s << 1 << u"P1151205"_s << 1 << u"1205-08"_s << u"1204-14"_s << PropagatedStamps::CompletionOnly << QString();
        // clang-format on
    }
    void propagatesTheStampsOfALine()
    {
        const auto po = Fetch<QString>("po");
        const int no = Fetch<int>("no");
        const auto planned = Fetch<QString>("planned");
        const auto completion = Fetch<QString>("completion");
        const auto stamps = Fetch<PropagatedStamps>("stamps");
        const auto untouched = Fetch<QString>("untouched");
        TestDatabase db(TestDatabase::Content::Demo);
        // Old marks where the stamps go, which the save must replace.
        const auto isPrinting = [](const QString &table) { return table.startsWith(u"PRINTING"); };
        for (const QString &table : kTables)
            db.exec(u"update [%1] set %2 where PO = ? and [NO] = ?"_s.arg(
                        table, isPrinting(table) ? u"ODATE = 'kept', FDATE = 'old'"_s
                                                 : u"ODATE = 'old'"_s),
                    {po, no});
        const QStringList before = TableRows(db, kTables);

        Connection c;
        c.open(db.connectionString());
        TransactionGuard transaction(c);
        PropagateCompletion(c,
                            {po,
                             double(no),
                             Fetch<QString>("id"),
                             double(Fetch<int>("ino")),
                             planned,
                             completion,
                             {},
                             {}},
                            stamps);
        transaction.commit();
        const QString read = u"select %1 from [%2] where PO = ? and [NO] = ?"_s;
        const QString plannedWritten =
            stamps == PropagatedStamps::PlannedAndCompletion ? planned : u"kept"_s;
        for (const QString &table : kTables) {
            const QString columns =
                isPrinting(table) ? u"ODATE || '/' || FDATE || '/' || ACT"_s : u"ODATE"_s;
            const QString written = isPrinting(table)
                                        ? plannedWritten + u'/' + completion + u'/' + completion
                                        : completion;
            QCOMPARE(db.scalar(read.arg(columns, table), {po, no}).toString() == written,
                     table != untouched);
        }
        // Only the line's own rows changed, one per table written.
        QStringList changed = TableRows(db, kTables);
        for (const QString &row : before)
            changed.removeOne(row);
        QCOMPARE(changed.size(), untouched.isEmpty() ? 4 : 3);
    }
};

QTEST_GUILESS_MAIN(TestCompletionPropagation)
#include "tst_completionpropagation.moc"
