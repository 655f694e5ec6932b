// What the data layer logs: a failed statement with its values and the engine's
// description, which alone is what the user is shown.

#include "db/connection.h"
#include "db/dberror.h"
#include "db/sqlquery.h"
#include "logcapture.h"
#include "testdatabase.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSqlQuery : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void failedStatementIsLoggedWithItsValues()
    {
        TestDatabase db;
        Connection c;
        c.open(db.connectionString());
        const QString insert = u"insert into [SYSUSER1] (ID, FUNC, LPID) values (?, ?, ?)"_s;
        LogCapture log;
        QString shown;
        try {
            c.execute(insert, {QVariant(), u"O'Brien 王"_s, 1.5}); // ID may not be Null
        } catch (const DbError &e) {
            shown = e.description();
        }
        QVERIFY2(shown.contains(u"null"_s, Qt::CaseInsensitive), qPrintable(shown));
        QVERIFY2(!shown.contains(u"insert"_s, Qt::CaseInsensitive), qPrintable(shown));
        const QStringList logged = log.messages(u"plov.db"_s, QtWarningMsg);
        QCOMPARE(logged.size(), 1);
        for (const QString &part : {shown, c.translate(insert), u"(NULL, 'O''Brien 王', 1.5)"_s})
            QVERIFY2(logged.first().contains(part), qPrintable(logged.first() + u" | "_s + part));
        const QString password = parseConnectionString(db.connectionString()).password;
        for (const LogCapture::Line &line : log.lines())
            QVERIFY(password.isEmpty() || !line.message.contains(password));
    }

    void statementsAreTracedWhenAsked()
    {
        TestDatabase db;
        Connection c;
        c.open(db.connectionString());
        const QString select = u"select count(*) from [SYSUSER1] where ID = ?"_s;
        LogCapture log;
        c.execute(select, {u"PC1"_s});
        QLoggingCategory::setFilterRules(u"plov.db.debug=true"_s);
        c.execute(select, {u"PC2"_s});
        QLoggingCategory::setFilterRules({});
        c.execute(select, {u"PC3"_s});
        const QStringList traced = log.messages(u"plov.db"_s, QtDebugMsg);
        QCOMPARE(traced.size(), 1);
        QVERIFY2(traced.first().contains(c.translate(select) + u" values ('PC2')"_s),
                 qPrintable(traced.first()));
    }
};

QTEST_GUILESS_MAIN(TestSqlQuery)
#include "tst_sqlquery.moc"
