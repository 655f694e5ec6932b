#include "startup/db/connection.h"
#include "startup/db/dberror.h"
#include "startup/db/postgresengine.h"
#include "startup/db/recordset.h"
#include "testdatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString sqliteAt(const QString &path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;"
                          "Jet OLEDB:Database Password=qtam5827qtam5827")
        .arg(path);
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
    db.exec(QStringLiteral(
                "insert into [PRINTING_S] (PO, [NO], ID, INO, 順序, 車別, ODATE, FDATE, ACT) "
                "values (?, ?, 'P1', ?, ?, ?, '', '', '')"),
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
            addScheduleLine(db, QStringLiteral("A%1").arg(i), i, QString::number(i),
                            QStringLiteral("海德堡四色"));
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(QStringLiteral("select PO, [NO], REM from [PRINTING_S] order by PO"));
        QCOMPARE(rs.recordCount(), 3);
        QVERIFY(!rs.bof());
        QCOMPARE(rs.text(QStringLiteral("po")), QStringLiteral("A1"));
        QCOMPARE(rs.value(QStringLiteral("No")).toInt(), 1);
        QCOMPARE(rs.text(QStringLiteral("REM")), QString());
        rs.moveNext();
        rs.moveNext();
        QVERIFY(!rs.eof());
        rs.moveNext();
        QVERIFY(rs.eof());
        QVERIFY(!errorOf([&] { rs.value(QStringLiteral("PO")); }).isEmpty());
        QVERIFY(!errorOf([&] {
                     rs.moveFirst();
                     rs.value(QStringLiteral("NOSUCH"));
                 }).isEmpty());

        const auto rows = rs.getRows();
        QCOMPARE(rows.size(), 3);    // fields
        QCOMPARE(rows[0].size(), 3); // records
        QCOMPARE(rows[0][2].toString(), QStringLiteral("A3"));

        Recordset none(c);
        none.open(QStringLiteral("select * from [PRINTING_S] where PO = ?"),
                  {QStringLiteral("none")});
        QCOMPARE(none.recordCount(), 0);
        QVERIFY(none.bof());
        QVERIFY(none.eof());
    }

    void nullReadsAsEmptyText()
    {
        TestDatabase db;
        db.exec(QStringLiteral("insert into [PWORK] (PO, CUST, FDATE) values ('A1', 'C1', null)"));
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(QStringLiteral("select FDATE from [PWORK]"));
        QVERIFY(rs.value(QStringLiteral("FDATE")).isNull());
        QCOMPARE(rs.text(QStringLiteral("FDATE")), QString());
        QVERIFY(rs.getRows()[0][0].isNull());
    }

    void valuesAreBoundNeverPasted()
    {
        TestDatabase db;
        const QString tricky = QStringLiteral("O'Neil'); delete from [PRINTING_S]; --");
        addScheduleLine(db, QStringLiteral("A1"), 1, QStringLiteral("1"), tricky);
        QCOMPARE(db.scalar(QStringLiteral("select 車別 from [PRINTING_S] where 車別 = ?"), {tricky})
                     .toString(),
                 tricky);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from [PRINTING_S]")).toInt(), 1);
    }

    void likeIgnoresCaseAndValReadsTheLeadingNumber()
    {
        TestDatabase db;
        addScheduleLine(db, QStringLiteral("A1"), 1, QStringLiteral("10"),
                        QStringLiteral("Komori"));
        addScheduleLine(db, QStringLiteral("A2"), 2, QStringLiteral("9"),
                        QStringLiteral("komori-2"));
        addScheduleLine(db, QStringLiteral("A3"), 3, QStringLiteral("9.5x"),
                        QStringLiteral("Heidel"));
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(QStringLiteral("select PO from [PRINTING_S] where 車別 like ? order by val(順序)"),
                {QStringLiteral("KOM%")});
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(rs.text(QStringLiteral("PO")), QStringLiteral("A2")); // 9 before 10
        rs.open(QStringLiteral("select top 1 PO from [PRINTING_S] order by val(順序) desc"));
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text(QStringLiteral("PO")), QStringLiteral("A1"));
        rs.open(QStringLiteral("select val(順序) as v from [PRINTING_S] where PO = 'A3'"));
        QCOMPARE(rs.value(QStringLiteral("v")).toDouble(), 9.5);
    }

    void updateWritesTheRowItRead()
    {
        TestDatabase db;
        addScheduleLine(db, QStringLiteral("A1"), 1, QStringLiteral("1"), QStringLiteral("P"));
        addScheduleLine(db, QStringLiteral("A2"), 2, QStringLiteral("2"), QStringLiteral("P"));
        Connection c;
        c.open(db.connectionString());
        {
            TransactionGuard t(c);
            Recordset rs(c);
            rs.open(QStringLiteral("select PO, FDATE, ACT from [PRINTING_S] where PO = ?"),
                    {QStringLiteral("A2")}, Recordset::Lock::Optimistic);
            QCOMPARE(rs.recordCount(), 1);
            rs.setValue(QStringLiteral("FDATE"), QStringLiteral("1204-14"));
            rs.setValue(QStringLiteral("act"), QStringLiteral("1204-14"));
            rs.update();
            rs.setValue(QStringLiteral("FDATE"),
                        QStringLiteral("1204-15")); // a second write of the same row
            rs.update();
            t.commit();
        }
        QCOMPARE(
            db.scalar(QStringLiteral("select FDATE from [PRINTING_S] where PO = 'A2'")).toString(),
            QStringLiteral("1204-15"));
        QCOMPARE(
            db.scalar(QStringLiteral("select ACT from [PRINTING_S] where PO = 'A2'")).toString(),
            QStringLiteral("1204-14"));
        QCOMPARE(
            db.scalar(QStringLiteral("select FDATE from [PRINTING_S] where PO = 'A1'")).toString(),
            QString());
    }

    void rowChangedMeanwhileFailsAndRollsBack()
    {
        TestDatabase db;
        addScheduleLine(db, QStringLiteral("A1"), 1, QStringLiteral("1"), QStringLiteral("P"));
        addScheduleLine(db, QStringLiteral("A2"), 2, QStringLiteral("2"), QStringLiteral("P"));

        Connection c;
        c.open(db.connectionString());
        Recordset first(c);
        Recordset second(c);
        first.open(QStringLiteral("select PO, FDATE from [PRINTING_S] where PO = 'A1'"), {},
                   Recordset::Lock::Optimistic);
        second.open(QStringLiteral("select PO, FDATE from [PRINTING_S] where PO = 'A2'"), {},
                    Recordset::Lock::Optimistic);
        // Someone else stamps A2 after it was read here.
        db.exec(QStringLiteral("update [PRINTING_S] set FDATE = '1203-09' where PO = 'A2'"));

        const QString error = errorOf([&] {
            TransactionGuard t(c);
            first.setValue(QStringLiteral("FDATE"), QStringLiteral("1204-14"));
            first.update();
            second.setValue(QStringLiteral("FDATE"), QStringLiteral("1204-14"));
            second.update();
            t.commit();
        });
        QVERIFY2(error.contains(QStringLiteral("其他使用者")), qPrintable(error));
        QCOMPARE(
            db.scalar(QStringLiteral("select FDATE from [PRINTING_S] where PO = 'A1'")).toString(),
            QString());
        QCOMPARE(
            db.scalar(QStringLiteral("select FDATE from [PRINTING_S] where PO = 'A2'")).toString(),
            QStringLiteral("1203-09"));
    }

    void twoSavesOfTheSameRowOneWins()
    {
        TestDatabase db;
        addScheduleLine(db, QStringLiteral("A1"), 1, QStringLiteral("1"), QStringLiteral("P"));
        addScheduleLine(db, QStringLiteral("A2"), 2, QStringLiteral("2"), QStringLiteral("P"));
        // Two computers read the same line, then each saves it.
        Connection first;
        first.open(db.connectionString());
        Connection second;
        second.open(db.connectionString());
        Recordset mine(first);
        Recordset theirs(second);
        const QString sql = QStringLiteral("select PO, FDATE, ACT from [PRINTING_S] where PO = ?");
        mine.open(sql, {QStringLiteral("A1")}, Recordset::Lock::Optimistic);
        theirs.open(sql, {QStringLiteral("A1")}, Recordset::Lock::Optimistic);
        {
            TransactionGuard t(first);
            mine.setValue(QStringLiteral("FDATE"), QStringLiteral("1204-14"));
            mine.update();
            t.commit();
        }
        QString error;
        try {
            TransactionGuard t(second);
            Recordset other(second); // the second save's other line goes first
            other.open(sql, {QStringLiteral("A2")}, Recordset::Lock::Optimistic);
            other.setValue(QStringLiteral("ACT"), QStringLiteral("x"));
            other.update();
            theirs.setValue(QStringLiteral("FDATE"), QStringLiteral("1204-15"));
            theirs.update();
            t.commit();
        } catch (const DbConflictError &e) {
            error = e.description();
        }
        QVERIFY(!error.isEmpty());
        QCOMPARE(
            db.scalar(QStringLiteral("select FDATE from [PRINTING_S] where PO = 'A1'")).toString(),
            QStringLiteral("1204-14"));
        QCOMPARE(
            db.scalar(QStringLiteral("select ACT from [PRINTING_S] where PO = 'A2'")).toString(),
            QString());
    }

    void readerSeesAllOfASaveOrNone()
    {
        TestDatabase db;
        for (int i = 1; i <= 4; ++i)
            addScheduleLine(db, QStringLiteral("A%1").arg(i), i, QString::number(i),
                            QStringLiteral("P"));
        Connection writer;
        writer.open(db.connectionString());
        writer.beginTrans();
        writer.execute(
            QStringLiteral("update [PRINTING_S] set FDATE = 'x' where PO in ('A1', 'A2')"));
        Connection reader;
        reader.open(db.connectionString());
        Recordset rs(reader);
        rs.open(QStringLiteral("select count(*) as n from [PRINTING_S] where FDATE = 'x'"));
        QCOMPARE(rs.value(QStringLiteral("n")).toInt(), 0);
        writer.execute(
            QStringLiteral("update [PRINTING_S] set FDATE = 'x' where PO in ('A3', 'A4')"));
        writer.commitTrans();
        rs.open(QStringLiteral("select count(*) as n from [PRINTING_S] where FDATE = 'x'"));
        QCOMPARE(rs.value(QStringLiteral("n")).toInt(), 4);
    }

    void closingRollsBackAnOpenTransaction()
    {
        TestDatabase db;
        {
            Connection c;
            c.open(db.connectionString());
            c.beginTrans();
            c.execute(QStringLiteral("insert into [SYSLOCK] ([USER]) values (?)"),
                      {QStringLiteral("x")});
        }
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from [SYSLOCK]")).toInt(), 0);
        // The pooled or reopened connection carries nothing over.
        Connection again;
        again.open(db.connectionString());
        again.beginTrans();
        again.execute(QStringLiteral("insert into [SYSLOCK] ([USER]) values (?)"),
                      {QStringLiteral("y")});
        again.commitTrans();
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from [SYSLOCK]")).toInt(), 1);
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
            rs.open(QStringLiteral("select pg_backend_pid() as pid"));
            backend = rs.text(QStringLiteral("pid"));
        }
        // The server ends the idle pooled session (a restart, an administrator).
        other.execute(QStringLiteral("select pg_terminate_backend(?)"), {backend.toInt()});
        PostgresEngine::setIdleTrust(0);
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(QStringLiteral("select pg_backend_pid() as pid"));
        PostgresEngine::setIdleTrust(5000);
        QVERIFY(rs.text(QStringLiteral("pid")) != backend);
    }

    void batchAddWritesAllRowsTogether()
    {
        TestDatabase db;
        Connection c;
        c.open(db.connectionString());
        TransactionGuard t(c);
        Recordset rs(c);
        rs.openTable(QStringLiteral("SYSUSER1"));
        for (int i = 0; i < 3; ++i) {
            rs.addNew();
            rs.setValue(QStringLiteral("ID"), QStringLiteral("PC\\u%1").arg(i));
            rs.setValue(QStringLiteral("FUNC"), QStringLiteral("日報登錄作業"));
            rs.setValue(QStringLiteral("LPID"), 100.0 + i);
            rs.update();
        }
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from [SYSUSER1]")).toInt(), 0);
        rs.updateBatch();
        t.commit();
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from [SYSUSER1]")).toInt(), 3);
        QCOMPARE(db.scalar(QStringLiteral("select LPID from [SYSUSER1] where ID = ?"),
                           {QStringLiteral("PC\\u2")})
                     .toDouble(),
                 102.0);
    }

    void readOnlyRecordsetsRefuseWrites()
    {
        TestDatabase db;
        addScheduleLine(db, QStringLiteral("A1"), 1, QStringLiteral("1"), QStringLiteral("P"));
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(QStringLiteral("select PO from [PRINTING_S]"));
        QVERIFY(
            !errorOf([&] { rs.setValue(QStringLiteral("PO"), QStringLiteral("B")); }).isEmpty());
    }

    void badDataSourcesNameTheFileAndTheProblem()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Sqlite)
            QSKIP("data-source files are SQLite files");
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("PLOV.mdb"));
        Connection c;
        QString error = errorOf([&] { c.open(sqliteAt(missing)); });
        QVERIFY2(error.contains(missing) && error.contains(QStringLiteral("找不到")),
                 qPrintable(error));
        QVERIFY(!QFile::exists(missing)); // opening never creates an empty database

        QFile text(dir.filePath(QStringLiteral("text.mdb")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("this is not a database at all, just some text");
        text.close();
        error = errorOf([&] { c.open(sqliteAt(text.fileName())); });
        QVERIFY2(error.contains(text.fileName()) && error.contains(QStringLiteral("不是資料庫")),
                 qPrintable(error));

        QFile access(dir.filePath(QStringLiteral("access.mdb")));
        QVERIFY(access.open(QIODevice::WriteOnly));
        QByteArray header(4, '\0');
        header += "Standard Jet DB";
        header += QByteArray(200, '\0');
        access.write(header);
        access.close();
        error = errorOf([&] { c.open(sqliteAt(access.fileName())); });
        QVERIFY2(error.contains(QStringLiteral("Access")) && error.contains(QStringLiteral("轉換")),
                 qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestDataAccess)
#include "tst_dataaccess.moc"
