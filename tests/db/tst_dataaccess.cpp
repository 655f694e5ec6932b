// Connections, record sets, transactions and failed statements on the engine under
// test.

#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "db/sqliteengine.h"
#include "testdatabase.h"
#include "testtables.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const DbError &e) {
        return e.description();
    }
    return {};
}

// The first value a statement reads on a connection.
QString valueOf(Connection &c, const QString &sql)
{
    Recordset rs(c);
    rs.open(sql);
    return rs.text(rs.fieldNames().first());
}
// The server process behind a connection, or behind the next one taken.
QString backendOf(Connection &c)
{
    return valueOf(c, u"select pg_backend_pid()"_s);
}
QString backendOf(const QString &connectionString)
{
    Connection c;
    c.open(connectionString);
    return backendOf(c);
}

void addLines(TestDatabase &db, const QStringList &presses)
{
    for (int i = 0; i < presses.size(); ++i)
        db.exec(u"insert into [PRINTING_S] (PO, [NO], 車別, FDATE, ACT) values (?, ?, ?, '', '')"_s,
                {u"A%1"_s.arg(i + 1), i + 1, presses.at(i)});
}

} // namespace

class TestDataAccess : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void readsTheWholeResult()
    {
        TestDatabase db;
        const QString tricky = u"O'Neil'); delete from [PRINTING_S]; --"_s; // bound, never pasted
        addLines(db, {u"P"_s, u"P"_s, tricky});
        db.exec(u"update [PRINTING_S] set REM = null"_s);
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(u"select PO, [NO], REM, 車別 from [PRINTING_S] order by PO"_s);
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.value(u"No"_s).toInt(), 1); // names regardless of case
        QVERIFY(!errorOf([&] { rs.value(u"NOSUCH"_s); }).isEmpty());
        rs.moveNext();
        rs.moveNext();
        QVERIFY(rs.value(u"REM"_s).isNull());
        QCOMPARE(rs.text(u"REM"_s), QString()); // Null reads as empty text
        QCOMPARE(rs.text(u"車別"_s), tricky);
        rs.moveNext();
        QVERIFY(rs.eof());
        QVERIFY(!errorOf([&] { rs.value(u"PO"_s); }).isEmpty());
        const auto rows = rs.getRows(); // (field, record)
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0][2].toString(), u"A3"_s);
        QVERIFY(rows[2][2].isNull());
        QVERIFY(!errorOf([&] { rs.setValue(u"PO"_s, u"B"_s); }).isEmpty()); // read-only
        rs.open(u"select * from [PRINTING_S] where PO = ?"_s, {u"none"_s});
        QVERIFY(rs.bof() && rs.eof());
    }

    void updateWritesTheRowItReadWhileItHoldsWhatWasRead()
    {
        TestDatabase db;
        addLines(db, {u"P"_s, u"P"_s});
        // Two computers read the same line.
        Connection first;
        first.open(db.connectionString());
        Connection second;
        second.open(db.connectionString());
        const QString sql = u"select PO, FDATE, ACT from [PRINTING_S] where PO = ?"_s;
        Recordset mine(first);
        Recordset theirs(second);
        mine.open(sql, {u"A1"_s}, Recordset::Lock::Optimistic);
        theirs.open(sql, {u"A1"_s}, Recordset::Lock::Optimistic);
        mine.setValue(u"FDATE"_s, u"1204-14"_s);
        mine.setValue(u"act"_s, u"1204-14"_s);
        mine.update();
        mine.setValue(u"FDATE"_s, u"1204-15"_s); // what it wrote is what it now holds
        mine.update();

        // The second computer's save, its other line first, is refused as a whole.
        QString conflict;
        try {
            TransactionGuard t(second);
            Recordset other(second);
            other.open(sql, {u"A2"_s}, Recordset::Lock::Optimistic);
            other.setValue(u"ACT"_s, u"x"_s);
            other.update();
            theirs.setValue(u"FDATE"_s, u"1204-16"_s);
            theirs.update();
            t.commit();
        } catch (const DbConflictError &e) {
            conflict = e.description();
        }
        QVERIFY2(conflict.contains(u"其他使用者"_s), qPrintable(conflict));
        const QString stamps = u"select FDATE || '/' || ACT from [PRINTING_S] where PO = ?"_s;
        QCOMPARE(db.scalar(stamps, {u"A1"_s}).toString(), u"1204-15/1204-14"_s);
        QCOMPARE(db.scalar(stamps, {u"A2"_s}).toString(), u"/"_s);
    }

    void transactionsAreAllOrNothing()
    {
        TestDatabase db;
        {
            Connection c;
            c.open(db.connectionString());
            c.beginTrans();
            c.execute(u"insert into [SYSLOCK] ([USER]) values (?)"_s, {u"x"_s});
        } // closing rolls back
        QCOMPARE(db.scalar(u"select count(*) from [SYSLOCK]"_s).toInt(), 0);
        // The pooled or reopened connection carries nothing over. Rows added in a
        // batch are written together.
        Connection c;
        c.open(db.connectionString());
        TransactionGuard t(c);
        Recordset rs(c);
        rs.openTable(u"SYSUSER1"_s);
        for (int i = 0; i < 3; ++i) {
            rs.addNew();
            rs.setValue(u"ID"_s, u"PC\\u%1"_s.arg(i));
            rs.setValue(u"LPID"_s, 100.0 + i);
            rs.update();
        }
        QCOMPARE(db.scalar(u"select count(*) from [SYSUSER1]"_s).toInt(), 0);
        rs.updateBatch();
        t.commit();
        QCOMPARE(db.scalar(u"select LPID from [SYSUSER1] where ID = ?"_s, {u"PC\\u2"_s}).toDouble(),
                 102.0);
        QCOMPARE(db.scalar(u"select count(*) from [SYSLOCK]"_s).toInt(), 0);
    }

    // Jet's text rules hold on either engine: "like" has no escape character, and
    // val() of a number beyond double precision does not fail the statement.
    void textMeansTheSameOnEitherEngine_data()
    {
        AddColumns<QString, QVariantList, double>("statement", "values", "result");
        // clang-format off
        QTest::newRow("like, \\ ordinary") << u"select iif(? like ?, 1, 0)"_s << QVariantList{u"X\\Y"_s, u"X\\%"_s} << 1.0;
        QTest::newRow("like, \\ at the end") << u"select iif(? like ?, 1, 0)"_s << QVariantList{u"X\\"_s, u"x\\"_s} << 1.0;
        QTest::newRow("val, long run of digits") << u"select val(?)"_s << QVariantList{QString(400, u'9')} << qInf();
        QTest::newRow("val, below the range") << u"select val(?)"_s << QVariantList{u"0."_s + QString(400, u'0') + u'1'} << 0.0;
        // clang-format on
    }
    void textMeansTheSameOnEitherEngine()
    {
        TestDatabase db;
        QTEST(db.scalar(Fetch<QString>("statement"), Fetch<QVariantList>("values")).toDouble(),
              "result");
    }

    // A burst of operations shares a server session, a program left alone holds none,
    // no statement runs for ever, and a role the server does not know is named.
    void serverSessions()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Postgres)
            QSKIP("sessions of a server");
        TestDatabase db;
        Connection watcher;
        watcher.open(db.connectionString());
        QCOMPARE(backendOf(db.connectionString()), backendOf(db.connectionString()));
        const QString sessions =
            u"select count(*) from pg_stat_activity where datname = current_database()"_s;
        QTRY_COMPARE_WITH_TIMEOUT(valueOf(watcher, sessions), u"1"_s, 10000); // the watcher's
        QCOMPARE_NE(valueOf(watcher, u"select current_setting('statement_timeout')"_s), u"0"_s);
        ConnectionInfo info = parseConnectionString(db.connectionString());
        info.user = u"no_such_role"_s;
        const QString error = errorOf([&] { watcher.open(postgresConnectionString(info)); });
        QVERIFY2(error.contains(u"沒有使用者 no_such_role"_s), qPrintable(error));
    }

    // A statement whose session the server ended runs again on a fresh one while
    // nothing of its transaction was written; afterwards the failure stands.
    void lostSessionIsReplacedUntilItsTransactionWrote_data()
    {
        // Before the loss: a transaction that wrote and was committed, then the
        // transaction of the statement, and whether that wrote.
        AddColumns<bool, bool, bool>("committed", "transaction", "wrote");
        // clang-format off
        QTest::newRow("no transaction") << false << false << false;
        QTest::newRow("transaction, nothing written yet") << false << true << false;
        QTest::newRow("transaction that wrote") << false << true << true;
        QTest::newRow("transaction after a committed one") << true << true << false;
        // clang-format on
    }
    void lostSessionIsReplacedUntilItsTransactionWrote()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Postgres)
            QSKIP("sessions of a server");
        const bool transaction = Fetch<bool>("transaction");
        const bool wrote = Fetch<bool>("wrote");
        TestDatabase db;
        Connection c;
        c.open(db.connectionString());
        if (Fetch<bool>("committed")) {
            TransactionGuard earlier(c);
            c.execute(u"insert into [SYSUSER1] (ID, LPID) values (?, ?)"_s, {u"PC\\u"_s, 1.0});
            earlier.commit();
            db.exec(u"select pg_terminate_backend(?)"_s, {backendOf(c).toInt()});
        }
        if (transaction)
            QCOMPARE(errorOf([&] { c.beginTrans(); }), QString());
        if (wrote)
            c.execute(u"insert into [SYSLOCK] ([USER]) values (?)"_s, {u"before"_s});
        db.exec(u"select pg_terminate_backend(?)"_s, {backendOf(c).toInt()});
        const QString error = errorOf([&] {
            c.execute(u"insert into [SYSLOCK] ([USER]) values (?)"_s, {u"after"_s});
            if (transaction)
                c.commitTrans();
        });
        QCOMPARE(error.isEmpty(), !wrote);
        c.close();
        QCOMPARE(db.scalar(u"select count(*) from [SYSLOCK]"_s).toInt(), wrote ? 0 : 1);
    }

    // Computers sharing the database file over a network share no memory for WAL:
    // a new file there gets the rollback journal, and a file found in WAL there
    // leaves it as it opens. No file is ever switched into WAL as it opens.
    void journalModeFollowsTheFileSystem_data()
    {
        AddColumns<QByteArray, QString, QString, QString>("fileSystem", "mode", "found", "onOpen");
        // clang-format off
        QTest::newRow("NFS") << QByteArray("nfs4") << u"delete"_s << u"wal"_s << u"delete"_s;
        QTest::newRow("SMB") << QByteArray("cifs") << u"delete"_s << u"delete"_s << u""_s;
        QTest::newRow("sshfs") << QByteArray("fuse.sshfs") << u"delete"_s << u"WAL"_s << u"delete"_s;
        QTest::newRow("local disk") << QByteArray("ext4") << u"wal"_s << u"delete"_s << u""_s;
        QTest::newRow("local disk, WAL") << QByteArray("ext4") << u"wal"_s << u"wal"_s << u""_s;
        // clang-format on
    }
    void journalModeFollowsTheFileSystem()
    {
        const QByteArray fileSystem = Fetch<QByteArray>("fileSystem");
        QTEST(SqliteEngine::journalModeFor(fileSystem), "mode");
        QTEST(SqliteEngine::journalModeOnOpen(fileSystem, Fetch<QString>("found")), "onOpen");
    }

    // The file's mode is the one it was made with: a computer that sees a local disk
    // does not switch a file in the rollback journal into WAL.
    void openingLeavesTheJournalModeAsItIs()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Sqlite)
            QSKIP("a database file");
        TestDatabase db;
        const auto journalMode = [&](const QString &set) {
            Connection c;
            c.open(db.connectionString());
            QSqlQuery q(c.database());
            q.exec(u"pragma journal_mode"_s + set);
            return q.next() ? q.value(0).toString() : q.lastError().text();
        };
        QCOMPARE(journalMode(u""_s), u"wal"_s); // made on a local disk
        QCOMPARE(journalMode(u"=delete"_s), u"delete"_s);
        QCOMPARE(journalMode(u""_s), u"delete"_s);
    }

    void badDataSourcesNameTheFileAndTheProblem_data()
    {
        // The file's content (empty: no file at all); what the description says.
        AddColumns<QByteArray, QStringList>("content", "said");
        // clang-format off
        QTest::newRow("missing") << QByteArray() << QStringList{u"找不到"_s};
        QTest::newRow("text") << QByteArray("not a database, just some text") << QStringList{u"不是資料庫"_s};
        QTest::newRow("access") << QByteArray(4, '\0') + "Standard Jet DB" + QByteArray(200, '\0') << QStringList{u"Access"_s, u"轉換"_s};
        // clang-format on
    }
    void badDataSourcesNameTheFileAndTheProblem()
    {
        const auto content = Fetch<QByteArray>("content");
        QTemporaryDir dir;
        const QString path = dir.filePath(u"PLOV.mdb"_s);
        QFile file(path);
        if (!content.isEmpty())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        Connection c;
        const QString error = errorOf([&] { c.open(SqliteConnectionString(path)); });
        QVERIFY2(error.contains(path), qPrintable(error));
        for (const QString &words : Fetch<QStringList>("said"))
            QVERIFY2(error.contains(words), qPrintable(error));
        QCOMPARE(QFile::exists(path), !content.isEmpty()); // opening never creates a database
    }

    // A failed statement: the user is shown the engine's description, the log gets
    // the statement with its values as well, and never the database password.
    void failedStatementIsLoggedWithItsValues_data()
    {
        AddColumns<QString, QString>("statement", "says");
        // clang-format off
        QTest::newRow("a value refused") << u"insert into [SYSUSER1] (ID, FUNC, LPID) values (?, ?, ?)"_s << u"null"_s;
        QTest::newRow("refused when prepared") << u"insert into [NO_SUCH_TABLE] (ID, FUNC, LPID) values (?, ?, ?)"_s << u"no_such_table"_s;
        // clang-format on
    }
    void failedStatementIsLoggedWithItsValues()
    {
        TestDatabase db;
        Connection c;
        c.open(db.connectionString());
        const QString statement = Fetch<QString>("statement");
        const QString says = Fetch<QString>("says");
        const QString password = parseConnectionString(db.connectionString()).password;
        if (!password.isEmpty())
            QTest::failOnWarning(QRegularExpression(QRegularExpression::escape(password)));
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(u"^statement failed: .*"_s + says + u".* \\| statement: "_s +
                                   QRegularExpression::escape(c.translate(statement)) +
                                   u" \\| values: \\(NULL, 'O''Brien 王', 1.5\\)$"_s,
                               QRegularExpression::CaseInsensitiveOption |
                                   QRegularExpression::DotMatchesEverythingOption));
        try {
            c.execute(statement, {QVariant(), u"O'Brien 王"_s, 1.5}); // ID may not be Null
            QFAIL("a Null ID was stored");
        } catch (const DbError &e) {
            QVERIFY2(e.description().contains(says, Qt::CaseInsensitive) &&
                         !e.description().contains(u"insert"_s, Qt::CaseInsensitive),
                     qPrintable(e.description()));
        }
    }
};

QTEST_GUILESS_MAIN(TestDataAccess)
#include "tst_dataaccess.moc"
