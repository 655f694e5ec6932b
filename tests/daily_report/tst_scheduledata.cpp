// What the main screen's operations read and write in the shared tables of the
// demo print shop: the listing, the press list, a work order's detail, and the
// save, all or nothing, with its refusal of lines changed meanwhile.

#include "daily_report/completionsave.h"
#include "daily_report/jobdetail.h"
#include "daily_report/schedulecolumns.h"
#include "db/connection.h"
#include "grid/recordtext.h"
#include "queryrows.h"
#include "testdatabase.h"
#include "testtables.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList kTables = {u"PRINTING"_s, u"PRINTING_S"_s, u"VENDERAC"_s, u"預排資料明細"_s};

// "PO-NO" of every listed line, in order.
QStringList linesOf(const ScheduleResult &result)
{
    QStringList lines;
    for (int r = 0; r < result.count; ++r)
        lines.append(RecordValueText(result.records[ScheduleCol::Po - 1][r]) + u'-' +
                     RecordValueText(result.records[ScheduleCol::No - 1][r]));
    return lines;
}

} // namespace

class TestScheduleData : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void listsTheOpenOrFinishedLinesOfAPress_data()
    {
        AddColumns<QString, bool, int, QStringList, QStringList>("press", "finishedOnly", "count",
                                                                 "listed", "notListed");
        // Each of A1151101-1, A1151106-1, A1151104-1 and A1151107-1 carries one of the
        // four finished marks; A1151109-2 has no running order.
        const QStringList finished = {u"A1151101-1"_s, u"A1151106-1"_s, u"A1151104-1"_s,
                                      u"A1151107-1"_s};
        // clang-format off
        QTest::newRow("one press, open") << u"海德堡四色"_s << false << 9 << QStringList() << QStringList{u"A1151101-1"_s};
        QTest::newRow("one press, finished") << u"海德堡四色"_s << true << 3 << QStringList{u"A1151101-1"_s, u"A1151101-2"_s, u"A1151106-1"_s} << QStringList();
        QTest::newRow("every press, open") << QString() << false << 36 << QStringList() << finished + QStringList{u"A1151109-2"_s};
        QTest::newRow("every press, finished") << QString() << true << 13 << finished << QStringList{u"A1151109-2"_s};
        QTest::newRow("a prefix, trimmed") << u" 海德堡 "_s << false << 9 + 6 << QStringList() << QStringList();
        // clang-format on
    }
    void listsTheOpenOrFinishedLinesOfAPress()
    {
        TestDatabase db(TestDatabase::Content::Demo);
        const ScheduleResult result = QueryScheduleRows(
            db.connectionString(), Fetch<QString>("press"), Fetch<bool>("finishedOnly"));
        QCOMPARE(result.error, std::nullopt);
        QTEST(result.count, "count");
        const QStringList lines = linesOf(result);
        for (const QString &line : Fetch<QStringList>("listed"))
            QVERIFY2(lines.contains(line), qPrintable(line));
        for (const QString &line : Fetch<QStringList>("notListed"))
            QVERIFY2(!lines.contains(line), qPrintable(line));
    }

    void readsThePressesAndAWorkOrder_data()
    {
        AddColumns<QVariant, bool>("rushMark", "rush");
        QTest::newRow("1 with blanks") << QVariant(u" 1 "_s) << true;
        QTest::newRow("0") << QVariant(u"0"_s) << false;
        QTest::newRow("null") << QVariant() << false;
    }
    void readsThePressesAndAWorkOrder()
    {
        TestDatabase db(TestDatabase::Content::Demo);
        db.exec(u"update [PWORK] set 急件 = ?, PREM = ' 先印 ' where PO = 'A1151110'"_s,
                {Fetch<QVariant>("rushMark")});
        const JobDetailResult detail = ReadJobDetail(db.connectionString(), u"A1151110"_s);
        QVERIFY(detail.record && !detail.error);
        QTEST(detail.record->rush, "rush");
        QCOMPARE(detail.record->printingNote, u"先印"_s);
        QVERIFY(!ReadJobDetail(db.connectionString(), u"A9999999"_s).record);
        QCOMPARE(ReadPressNames(db.connectionString()).names,
                 QStringList({u"海德堡四色"_s, u"小森五色"_s, u"三菱雙色"_s, u"秋山單色"_s,
                              u"海德堡雙色"_s}));
        const QString missing = u"Data Source="_s + QDir::tempPath() + u"/none/PLOV.mdb"_s;
        QVERIFY(ReadPressNames(missing).error.value_or(QString()).contains(u"/none/PLOV.mdb"_s));
    }

    void lineChangedMeanwhileRefusesTheWholeSave_data()
    {
        AddColumns<QString>("column"); // of PRINTING_S, changed by another user
        QTest::newRow("planned stamp") << u"ODATE"_s;
        QTest::newRow("completion stamp") << u"FDATE"_s;
        QTest::newRow("being saved by another computer") << QString(); // no save waits for ever
    }
    void lineChangedMeanwhileRefusesTheWholeSave()
    {
        const QString column = Fetch<QString>("column");
        TestDatabase db(TestDatabase::Content::Demo);
        const ScheduleResult listing =
            QueryScheduleRows(db.connectionString(), u"海德堡四色"_s, false);
        const QVector<ListedStamps> listed = ListedStampsOf(listing.records);
        QVector<CompletionLine> lines;
        for (int r = 0; r < 5; ++r) {
            const auto field = [&](int col) { return listing.records[col - 1][r]; };
            lines.append({field(ScheduleCol::Po).toString(), field(ScheduleCol::No).toDouble(),
                          field(ScheduleCol::ScheduleId).toString(),
                          field(ScheduleCol::ScheduleLine).toDouble(), listed[r].planned,
                          u"1204-14"_s, listed[r].planned, listed[r].completion});
        }
        // Another program of the suite stamps the third of the five lines, in the middle
        // of the save's batch, after it was listed, or is stamping it in a transaction
        // it does not end.
        Connection other;
        other.open(db.connectionString());
        if (column.isEmpty())
            other.beginTrans();
        other.execute(u"update [PRINTING_S] set %1 = '1204-09' where PO = ? and [NO] = ?"_s.arg(
                          column.isEmpty() ? u"REM"_s : column),
                      {lines[2].po, lines[2].no});
        const QStringList before = TableRows(db, kTables);

        const auto error = SaveCompletionLines(db.connectionString(), lines);
        QVERIFY(error && error->contains(column.isEmpty() ? u"使用中"_s : lines[2].po));
        QCOMPARE(TableRows(db, kTables), before); // none of the five written
    }

    // A shop's user may write the tables but not make any (a server's default
    // since version 15): the save records its history where the table is there,
    // and saves its stamps without one where it is not.
    void userWhoMayNotMakeTablesSaves_data()
    {
        AddColumns<bool>("historyTable");
        QTest::newRow("history table there") << true;
        QTest::newRow("history table missing") << false;
    }
    void userWhoMayNotMakeTablesSaves()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Postgres)
            QSKIP("a database file has no users of its own");
        const bool historyTable = Fetch<bool>("historyTable");
        TestDatabase db(TestDatabase::Content::Demo);
        const QString clerk = u"plov_clerk_%1"_s.arg(QCoreApplication::applicationPid());
        db.exec(u"create role %1 login"_s.arg(clerk));
        db.exec(u"revoke create on schema public from public"_s);
        db.exec(u"grant select, insert, update, delete on all tables in schema public to %1"_s.arg(
            clerk));
        if (!historyTable)
            db.exec(u"drop table [變更記錄]"_s);
        ConnectionInfo asClerk = parseConnectionString(db.connectionString());
        asClerk.user = clerk;
        const CompletionLine line{
            u"A1151125"_s, 2,           u"P1151208"_s, 9, QString(), u"1204-14"_s,
            std::nullopt,  std::nullopt};
        if (!historyTable)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"變更記錄.*cannot be made"_s));
        const auto error = SaveCompletionLines(postgresConnectionString(asClerk), {line},
                                               Editor{clerk, clerk, u"PRESSPC"_s, u"test"_s});
        db.exec(u"drop owned by %1"_s.arg(clerk));
        db.exec(u"drop role %1"_s.arg(clerk));
        QCOMPARE(error, std::nullopt);
        QCOMPARE(db.scalar(u"select FDATE from [PRINTING_S] where PO = ? and [NO] = ?"_s,
                           {line.po, line.no}),
                 QVariant(line.completion));
        if (historyTable)
            QCOMPARE(db.scalar(u"select count(*) from [變更記錄] where 使用者代號 = ?"_s, {clerk})
                         .toInt(),
                     6);
    }
};

QTEST_GUILESS_MAIN(TestScheduleData)
#include "tst_scheduledata.moc"
