#include "db/connection.h"
#include "db/dberror.h"
#include "db/postgresengine.h"
#include "db/recordset.h"
#include "testdatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString sqliteAt(const QString &path)
{
    return u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;"
           u"Jet OLEDB:Database Password=qtam5827qtam5827"_s.arg(path);
}

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const DbError &e) {
        return e.description();
    }
    return {};
}

void addScheduleLine(TestDatabase &db, const QString &po, int no, const QString &order,
                     const QString &press)
{
    db.exec(u"insert into [PRINTING_S] (PO, [NO], ID, INO, 順序, 車別, ODATE, FDATE, ACT) "
            u"values (?, ?, 'P1', ?, ?, ?, '', '', '')"_s,
            {po, no, no, order, press});
}

} // namespace

class TestDataAccess : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void readsWholeResultWithExactCount()
    {
        TestDatabase db;
        for (int i = 1; i <= 3; ++i)
            addScheduleLine(db, u"A%1"_s.arg(i), i, QString::number(i), u"海德堡四色"_s);
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(u"select PO, [NO], REM from [PRINTING_S] order by PO"_s);
        QCOMPARE(rs.recordCount(), 3);
        QVERIFY(!rs.bof());
        QCOMPARE(rs.text(u"po"_s), u"A1"_s);
        QCOMPARE(rs.value(u"No"_s).toInt(), 1);
        QCOMPARE(rs.text(u"REM"_s), QString());
        rs.moveNext();
        rs.moveNext();
        QVERIFY(!rs.eof());
        rs.moveNext();
        QVERIFY(rs.eof());
        QVERIFY(!errorOf([&] { rs.value(u"PO"_s); }).isEmpty());
        QVERIFY(!errorOf([&] {
                     rs.moveFirst();
                     rs.value(u"NOSUCH"_s);
                 }).isEmpty());

        const auto rows = rs.getRows();
        QCOMPARE(rows.size(), 3);    // fields
        QCOMPARE(rows[0].size(), 3); // records
        QCOMPARE(rows[0][2].toString(), u"A3"_s);

        Recordset none(c);
        none.open(u"select * from [PRINTING_S] where PO = ?"_s, {u"none"_s});
        QCOMPARE(none.recordCount(), 0);
        QVERIFY(none.bof());
        QVERIFY(none.eof());
    }

    void nullReadsAsEmptyText()
    {
        TestDatabase db;
        db.exec(u"insert into [PWORK] (PO, CUST, FDATE) values ('A1', 'C1', null)"_s);
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(u"select FDATE from [PWORK]"_s);
        QVERIFY(rs.value(u"FDATE"_s).isNull());
        QCOMPARE(rs.text(u"FDATE"_s), QString());
        QVERIFY(rs.getRows()[0][0].isNull());
    }

    void valuesAreBoundNeverPasted()
    {
        TestDatabase db;
        const QString tricky = u"O'Neil'); delete from [PRINTING_S]; --"_s;
        addScheduleLine(db, u"A1"_s, 1, u"1"_s, tricky);
        QCOMPARE(db.scalar(u"select 車別 from [PRINTING_S] where 車別 = ?"_s, {tricky}).toString(),
                 tricky);
        QCOMPARE(db.scalar(u"select count(*) from [PRINTING_S]"_s).toInt(), 1);
    }

    void likeIgnoresCaseAndValReadsTheLeadingNumber()
    {
        TestDatabase db;
        addScheduleLine(db, u"A1"_s, 1, u"10"_s, u"Komori"_s);
        addScheduleLine(db, u"A2"_s, 2, u"9"_s, u"komori-2"_s);
        addScheduleLine(db, u"A3"_s, 3, u"9.5x"_s, u"Heidel"_s);
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(u"select PO from [PRINTING_S] where 車別 like ? order by val(順序)"_s, {u"KOM%"_s});
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(rs.text(u"PO"_s), u"A2"_s); // 9 before 10
        rs.open(u"select top 1 PO from [PRINTING_S] order by val(順序) desc"_s);
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text(u"PO"_s), u"A1"_s);
        rs.open(u"select val(順序) as v from [PRINTING_S] where PO = 'A3'"_s);
        QCOMPARE(rs.value(u"v"_s).toDouble(), 9.5);
    }

    void updateWritesTheRowItRead()
    {
        TestDatabase db;
        addScheduleLine(db, u"A1"_s, 1, u"1"_s, u"P"_s);
        addScheduleLine(db, u"A2"_s, 2, u"2"_s, u"P"_s);
        Connection c;
        c.open(db.connectionString());
        {
            TransactionGuard t(c);
            Recordset rs(c);
            rs.open(u"select PO, FDATE, ACT from [PRINTING_S] where PO = ?"_s, {u"A2"_s},
                    Recordset::Lock::Optimistic);
            QCOMPARE(rs.recordCount(), 1);
            rs.setValue(u"FDATE"_s, u"1204-14"_s);
            rs.setValue(u"act"_s, u"1204-14"_s);
            rs.update();
            rs.setValue(u"FDATE"_s,
                        u"1204-15"_s); // a second write of the same row
            rs.update();
            t.commit();
        }
        QCOMPARE(db.scalar(u"select FDATE from [PRINTING_S] where PO = 'A2'"_s).toString(),
                 u"1204-15"_s);
        QCOMPARE(db.scalar(u"select ACT from [PRINTING_S] where PO = 'A2'"_s).toString(),
                 u"1204-14"_s);
        QCOMPARE(db.scalar(u"select FDATE from [PRINTING_S] where PO = 'A1'"_s).toString(),
                 QString());
    }

    void rowChangedMeanwhileFailsAndRollsBack()
    {
        TestDatabase db;
        addScheduleLine(db, u"A1"_s, 1, u"1"_s, u"P"_s);
        addScheduleLine(db, u"A2"_s, 2, u"2"_s, u"P"_s);

        Connection c;
        c.open(db.connectionString());
        Recordset first(c);
        Recordset second(c);
        first.open(u"select PO, FDATE from [PRINTING_S] where PO = 'A1'"_s, {},
                   Recordset::Lock::Optimistic);
        second.open(u"select PO, FDATE from [PRINTING_S] where PO = 'A2'"_s, {},
                    Recordset::Lock::Optimistic);
        // Someone else stamps A2 after it was read here.
        db.exec(u"update [PRINTING_S] set FDATE = '1203-09' where PO = 'A2'"_s);

        const QString error = errorOf([&] {
            TransactionGuard t(c);
            first.setValue(u"FDATE"_s, u"1204-14"_s);
            first.update();
            second.setValue(u"FDATE"_s, u"1204-14"_s);
            second.update();
            t.commit();
        });
        QVERIFY2(error.contains(u"其他使用者"_s), qPrintable(error));
        QCOMPARE(db.scalar(u"select FDATE from [PRINTING_S] where PO = 'A1'"_s).toString(),
                 QString());
        QCOMPARE(db.scalar(u"select FDATE from [PRINTING_S] where PO = 'A2'"_s).toString(),
                 u"1203-09"_s);
    }

    void twoSavesOfTheSameRowOneWins()
    {
        TestDatabase db;
        addScheduleLine(db, u"A1"_s, 1, u"1"_s, u"P"_s);
        addScheduleLine(db, u"A2"_s, 2, u"2"_s, u"P"_s);
        // Two computers read the same line, then each saves it.
        Connection first;
        first.open(db.connectionString());
        Connection second;
        second.open(db.connectionString());
        Recordset mine(first);
        Recordset theirs(second);
        const QString sql = u"select PO, FDATE, ACT from [PRINTING_S] where PO = ?"_s;
        mine.open(sql, {u"A1"_s}, Recordset::Lock::Optimistic);
        theirs.open(sql, {u"A1"_s}, Recordset::Lock::Optimistic);
        {
            TransactionGuard t(first);
            mine.setValue(u"FDATE"_s, u"1204-14"_s);
            mine.update();
            t.commit();
        }
        QString error;
        try {
            TransactionGuard t(second);
            Recordset other(second); // the second save's other line goes first
            other.open(sql, {u"A2"_s}, Recordset::Lock::Optimistic);
            other.setValue(u"ACT"_s, u"x"_s);
            other.update();
            theirs.setValue(u"FDATE"_s, u"1204-15"_s);
            theirs.update();
            t.commit();
        } catch (const DbConflictError &e) {
            error = e.description();
        }
        QVERIFY(!error.isEmpty());
        QCOMPARE(db.scalar(u"select FDATE from [PRINTING_S] where PO = 'A1'"_s).toString(),
                 u"1204-14"_s);
        QCOMPARE(db.scalar(u"select ACT from [PRINTING_S] where PO = 'A2'"_s).toString(),
                 QString());
    }

    void readerSeesAllOfASaveOrNone()
    {
        TestDatabase db;
        for (int i = 1; i <= 4; ++i)
            addScheduleLine(db, u"A%1"_s.arg(i), i, QString::number(i), u"P"_s);
        Connection writer;
        writer.open(db.connectionString());
        writer.beginTrans();
        writer.execute(u"update [PRINTING_S] set FDATE = 'x' where PO in ('A1', 'A2')"_s);
        Connection reader;
        reader.open(db.connectionString());
        Recordset rs(reader);
        rs.open(u"select count(*) as n from [PRINTING_S] where FDATE = 'x'"_s);
        QCOMPARE(rs.value(u"n"_s).toInt(), 0);
        writer.execute(u"update [PRINTING_S] set FDATE = 'x' where PO in ('A3', 'A4')"_s);
        writer.commitTrans();
        rs.open(u"select count(*) as n from [PRINTING_S] where FDATE = 'x'"_s);
        QCOMPARE(rs.value(u"n"_s).toInt(), 4);
    }

    void closingRollsBackAnOpenTransaction()
    {
        TestDatabase db;
        {
            Connection c;
            c.open(db.connectionString());
            c.beginTrans();
            c.execute(u"insert into [SYSLOCK] ([USER]) values (?)"_s, {u"x"_s});
        }
        QCOMPARE(db.scalar(u"select count(*) from [SYSLOCK]"_s).toInt(), 0);
        // The pooled or reopened connection carries nothing over.
        Connection again;
        again.open(db.connectionString());
        again.beginTrans();
        again.execute(u"insert into [SYSLOCK] ([USER]) values (?)"_s, {u"y"_s});
        again.commitTrans();
        QCOMPARE(db.scalar(u"select count(*) from [SYSLOCK]"_s).toInt(), 1);
    }

    void droppedPooledSessionIsReplaced()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Postgres)
            QSKIP("sessions are pooled on a server");
        TestDatabase db;
        Connection other;
        other.open(db.connectionString());
        QString backend;
        {
            Connection c;
            c.open(db.connectionString());
            Recordset rs(c);
            rs.open(u"select pg_backend_pid() as pid"_s);
            backend = rs.text(u"pid"_s);
        }
        // The server ends the idle pooled session (a restart, an administrator).
        other.execute(u"select pg_terminate_backend(?)"_s, {backend.toInt()});
        PostgresEngine::setIdleTrust(0);
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(u"select pg_backend_pid() as pid"_s);
        PostgresEngine::setIdleTrust(5000);
        QVERIFY(rs.text(u"pid"_s) != backend);
    }

    void batchAddWritesAllRowsTogether()
    {
        TestDatabase db;
        Connection c;
        c.open(db.connectionString());
        TransactionGuard t(c);
        Recordset rs(c);
        rs.openTable(u"SYSUSER1"_s);
        for (int i = 0; i < 3; ++i) {
            rs.addNew();
            rs.setValue(u"ID"_s, u"PC\\u%1"_s.arg(i));
            rs.setValue(u"FUNC"_s, u"日報登錄作業"_s);
            rs.setValue(u"LPID"_s, 100.0 + i);
            rs.update();
        }
        QCOMPARE(db.scalar(u"select count(*) from [SYSUSER1]"_s).toInt(), 0);
        rs.updateBatch();
        t.commit();
        QCOMPARE(db.scalar(u"select count(*) from [SYSUSER1]"_s).toInt(), 3);
        QCOMPARE(db.scalar(u"select LPID from [SYSUSER1] where ID = ?"_s, {u"PC\\u2"_s}).toDouble(),
                 102.0);
    }

    void readOnlyRecordsetsRefuseWrites()
    {
        TestDatabase db;
        addScheduleLine(db, u"A1"_s, 1, u"1"_s, u"P"_s);
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(u"select PO from [PRINTING_S]"_s);
        QVERIFY(!errorOf([&] { rs.setValue(u"PO"_s, u"B"_s); }).isEmpty());
    }

    void badDataSourcesNameTheFileAndTheProblem()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Sqlite)
            QSKIP("data-source files are SQLite files");
        QTemporaryDir dir;
        const QString missing = dir.filePath(u"PLOV.mdb"_s);
        Connection c;
        QString error = errorOf([&] { c.open(sqliteAt(missing)); });
        QVERIFY2(error.contains(missing) && error.contains(u"找不到"_s), qPrintable(error));
        QVERIFY(!QFile::exists(missing)); // opening never creates an empty database

        QFile text(dir.filePath(u"text.mdb"_s));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("this is not a database at all, just some text");
        text.close();
        error = errorOf([&] { c.open(sqliteAt(text.fileName())); });
        QVERIFY2(error.contains(text.fileName()) && error.contains(u"不是資料庫"_s),
                 qPrintable(error));

        QFile access(dir.filePath(u"access.mdb"_s));
        QVERIFY(access.open(QIODevice::WriteOnly));
        QByteArray header(4, '\0');
        header += "Standard Jet DB";
        header += QByteArray(200, '\0');
        access.write(header);
        access.close();
        error = errorOf([&] { c.open(sqliteAt(access.fileName())); });
        QVERIFY2(error.contains(u"Access"_s) && error.contains(u"轉換"_s), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestDataAccess)
#include "tst_dataaccess.moc"
