// The copy of an Access file's tables into the suite's tables, fed plain rows
// through the reader's seam, on the engine under test.

#include "db/connection.h"
#include "migration/plainrowsource.h"
#include "migration/tablecopy.h"
#include "testdatabase.h"
#include "testtables.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Table = PlainRowSource::Table;

Table oneColumn(const QString &table, const QString &column, SourceKind kind, const QVariant &v)
{
    return {{table, {{column, kind}}, 1}, {{v}}};
}

// Rows of PRINTING_S as the Access file would give them.
Table printingLines(int count, int badRow = 0)
{
    Table t{{u"PRINTING_S"_s,
             {{u"PO"_s, SourceKind::Text},
              {u"NO"_s, SourceKind::Integer},
              {u"QTY1"_s, SourceKind::Text}},
             count},
            {}};
    for (int i = 1; i <= count; ++i)
        t.rows.append({u"A%1"_s.arg(i), i, i == badRow ? u"x"_s : QString::number(i)});
    return t;
}

QString stored(TestDatabase &db, const QString &jetSql)
{
    const QVariant v = db.scalar(jetSql);
    return v.isNull() ? u"<null>"_s : v.toString();
}

bool isPostgres()
{
    return TestDatabase::engineUnderTest() == ConnectionInfo::Engine::Postgres;
}

// How the indexes of a table are made.
QStringList indexes(TestDatabase &db, const QString &table)
{
    Connection c;
    c.open(db.connectionString());
    QSqlQuery &q = c.run(isPostgres() ? u"select indexdef from pg_indexes where tablename = "
                                        u"lower(?) order by indexname"_s
                                      : u"select sql from sqlite_master where type = 'index' "
                                        u"and tbl_name = ? order by name"_s,
                         {table});
    QStringList made;
    while (q.next())
        made.append(q.value(0).toString());
    return made;
}

// Rows that end every other session of the database as the 600th is read: the
// server going away in the middle of the copy.
class ServerGoesAway : public PlainRowSource
{
public:
    ServerGoesAway(QList<Table> tables, QString connectionString)
        : PlainRowSource(std::move(tables)), m_connectionString(std::move(connectionString))
    {
    }

protected:
    void rowRead(qsizetype row) override
    {
        if (row != 600)
            return;
        Connection c;
        c.open(m_connectionString);
        c.run(u"select pg_terminate_backend(pid) from pg_stat_activity "
              u"where datname = current_database() and pid <> pg_backend_pid()"_s,
              {})
            .finish();
    }

private:
    QString m_connectionString;
};

} // namespace

class TestTableCopy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PLOV_REQUIRE_DATABASE(); }

    // One value of an Access table into a table of the suite: what the column holds,
    // or after a "!" how the import stops when the value does not fit.
    void valueGoesInAsTheColumnHoldsIt_data()
    {
        AddColumns<QString, QString, SourceKind, QVariant, QString>("table", "column", "kind",
                                                                    "value", "stored");
        const QVariant null;
        // clang-format off
        QTest::newRow("Chinese names") << u"預排資料耗時明細1"_s << u"製作說明"_s << SourceKind::Text << QVariant(u"套印 'A'"_s) << u"套印 'A'"_s;
        QTest::newRow("Latin letters in either case") << u"printing_s"_s << u"fdate"_s << SourceKind::Text << QVariant(u"1151204"_s) << u"1151204"_s;
        QTest::newRow("text keeps its blanks") << u"PRINTING_S"_s << u"REM"_s << SourceKind::Text << QVariant(u" 先印  "_s) << u" 先印  "_s;
        QTest::newRow("7-digit date keeps its zero") << u"PRINTING_S"_s << u"ODATE"_s << SourceKind::Text << QVariant(u"0991231"_s) << u"0991231"_s;
        QTest::newRow("PDATE empty stays empty") << u"印刷預排"_s << u"PDATE"_s << SourceKind::Text << QVariant(u""_s) << u""_s;
        QTest::newRow("PDATE null takes its default") << u"印刷預排"_s << u"PDATE"_s << SourceKind::Text << null << u""_s;
        QTest::newRow("PWORK.FDATE null stays null") << u"PWORK"_s << u"FDATE"_s << SourceKind::Text << null << u"<null>"_s;
        QTest::newRow("whole number into text") << u"PHRASE"_s << u"REM"_s << SourceKind::Integer << QVariant(8000) << u"8000"_s;
        QTest::newRow("real into text") << u"PRINTING_S"_s << u"QTY"_s << SourceKind::Real << QVariant(0.167) << u"0.167"_s;
        QTest::newRow("yes into text") << u"VENDER"_s << u"停用"_s << SourceKind::Bool << QVariant(true) << u"1"_s;
        QTest::newRow("number text into REAL") << u"PRINTING_S"_s << u"COLOR1"_s << SourceKind::Text << QVariant(u" 4 "_s) << u"4"_s;
        QTest::newRow("blank text into REAL NOT NULL") << u"PRINTING"_s << u"EAMT"_s << SourceKind::Text << QVariant(u" "_s) << u"0"_s;
        QTest::newRow("currency into REAL") << u"VENDER"_s << u"RATE"_s << SourceKind::Decimal << QVariant(u"12.3400"_s) << u"12.34"_s;
        QTest::newRow("whole real into INTEGER") << u"PRINTING_S"_s << u"NO"_s << SourceKind::Real << QVariant(3.0) << u"3"_s;
        QTest::newRow("date and time into text") << u"PWORK"_s << u"FDATE"_s << SourceKind::DateTime << QVariant(QDateTime(QDate(2026, 12, 4), QTime(8, 0), Qt::UTC)) << u"2026-12-04 08:00:00"_s;
        QTest::newRow("fraction into INTEGER") << u"PRINTING_S"_s << u"NO"_s << SourceKind::Real << QVariant(3.5) << u"!「3.5」無法存入"_s;
        QTest::newRow("word into INTEGER") << u"PRINTING_S"_s << u"INO"_s << SourceKind::Text << QVariant(u"abc"_s) << u"!「abc」無法存入"_s;
        QTest::newRow("word into REAL") << u"PRINTING_S"_s << u"COLOR2"_s << SourceKind::Text << QVariant(u"4色"_s) << u"!「4色」無法存入"_s;
        // clang-format on
    }
    void valueGoesInAsTheColumnHoldsIt()
    {
        const auto table = Fetch<QString>("table");
        const auto column = Fetch<QString>("column");
        TestDatabase db;
        PlainRowSource source(
            {oneColumn(table, column, Fetch<SourceKind>("kind"), Fetch<QVariant>("value"))});
        const ImportReport report = CopyTables(source, db.connectionString());
        const QString expected = Fetch<QString>("stored");
        if (expected.startsWith(u'!')) {
            QVERIFY2(report.error.startsWith(u"資料表 %1 第 1 列，欄位 %2："_s.arg(table, column) +
                                             expected.mid(1)),
                     qPrintable(report.error));
            return;
        }
        QCOMPARE(report.error, QString());
        QCOMPARE(stored(db, u"select [%1] from [%2]"_s.arg(column, table)), expected);
    }

    void reportsWhatItCopiedSkippedAndLeft()
    {
        TestDatabase db;
        Table vendors{{u"vender"_s,
                       {{u"ID"_s, SourceKind::Text},
                        {u"Sname"_s, SourceKind::Text},
                        {u"舊欄位"_s, SourceKind::Text}},
                       2},
                      {{u"V1"_s, u"甲"_s, u"x"_s}, {u"V2"_s, QVariant(), u"y"_s}}};
        Table other{{u"MSysLike"_s, {{u"A"_s, SourceKind::Integer}}, 1}, {{1}}};
        PlainRowSource source({vendors, other, printingLines(1234)});
        const QStringList indexesBefore = indexes(db, u"PRINTING_S"_s);
        const ImportReport r = CopyTables(source, db.connectionString());
        QCOMPARE(r.error, QString());
        QCOMPARE(indexes(db, u"PRINTING_S"_s), indexesBefore); // made again after the rows
        QCOMPARE(indexesBefore.size(), 3);
        QCOMPARE(r.tables.size(), 2);
        QCOMPARE(r.tables.at(0).read, 2);
        QCOMPARE(r.tables.at(0).written, 2);
        QCOMPARE(r.tables.at(1).written, 1234);
        QCOMPARE(r.skippedTables, QStringList{u"MSysLike"_s});
        QVERIFY(r.missingTables.size() > 20 && !r.missingTables.contains(r.tables.at(0).target));
        QCOMPARE(r.droppedColumns.size(), 1);
        QCOMPARE(r.droppedColumns.first().column, u"舊欄位"_s);
        // VENDER's 25 columns less ID and SNAME, PRINTING_S's 20 less PO, NO and QTY1
        QCOMPARE(r.defaultedColumns.size(), 23 + 17);
        QCOMPARE(r.defaultedNulls.size(), 0); // SNAME may be null
        QCOMPARE(db.scalar(u"select count(*) from [PRINTING_S]"_s).toInt(), 1234);
        QCOMPARE(stored(db, u"select QTY1 from [PRINTING_S] where PO = 'A1234'"_s), u"1234"_s);
    }

    // A failure in the 700th row of the second table leaves the first table empty too.
    void allOrNothing()
    {
        TestDatabase db;
        PlainRowSource source(
            {oneColumn(u"CUST"_s, u"ID"_s, SourceKind::Text, u"C1"_s), printingLines(1000, 700)});
        const ImportReport r = CopyTables(source, db.connectionString());
        QVERIFY2(r.error.startsWith(u"資料表 PRINTING_S 第 700 列，欄位 QTY1："_s),
                 qPrintable(r.error));
        QCOMPARE(db.scalar(u"select count(*) from [CUST]"_s).toInt(), 0);
        QCOMPARE(db.scalar(u"select count(*) from [PRINTING_S]"_s).toInt(), 0);
    }

    void refusesADatabaseThatHoldsData()
    {
        TestDatabase db;
        db.exec(u"insert into [CUST] (ID, SNAME) values (?, ?)"_s, {u"C9"_s, u"舊客戶"_s});
        PlainRowSource source({oneColumn(u"CUST"_s, u"ID"_s, SourceKind::Text, u"C1"_s)});
        const ImportReport r = CopyTables(source, db.connectionString());
        QVERIFY2(r.error.contains(u"已經有資料"_s), qPrintable(r.error));
        QCOMPARE(db.scalar(u"select count(*) from [CUST]"_s).toInt(), 1);
    }

    // Numbered rows keep their numbers; the next row the database numbers follows them.
    void identityColumnsKeepTheirNumbers()
    {
        TestDatabase db;
        db.exec(isPostgres() ? u"create table 編號 (id integer generated always as identity, "
                               u"名稱 text)"_s
                             : u"create table 編號 (id integer primary key autoincrement, "
                               u"名稱 text)"_s);
        PlainRowSource source(
            {{{u"編號"_s, {{u"ID"_s, SourceKind::Integer}, {u"名稱"_s, SourceKind::Text}}, 2},
              {{5, u"五"_s}, {7, u"七"_s}}}});
        QCOMPARE(CopyTables(source, db.connectionString()).error, QString());
        db.exec(u"insert into 編號 (名稱) values (?)"_s, {u"八"_s});
        QCOMPARE(db.scalar(u"select id from 編號 where 名稱 = '八'"_s).toInt(), 8);
    }

    void serverThatGoesAwayLeavesNothing()
    {
        if (!isPostgres())
            QSKIP("a database file cannot go away as a server does");
        TestDatabase db;
        ServerGoesAway source({printingLines(1500)}, db.connectionString());
        const ImportReport r = CopyTables(source, db.connectionString());
        QVERIFY2(r.error.startsWith(u"資料表 PRINTING_S 第 501 至 1000 列："_s),
                 qPrintable(r.error));
        QCOMPARE(db.scalar(u"select count(*) from [PRINTING_S]"_s).toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTableCopy)
#include "tst_tablecopy.moc"
