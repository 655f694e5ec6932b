// A failed statement: the user is shown the engine's description, the log gets
// the statement with its values as well, and never the database password.

#include "db/connection.h"
#include "db/dberror.h"
#include "testdatabase.h"
#include "testtables.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSqlQuery : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

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

QTEST_GUILESS_MAIN(TestSqlQuery)
#include "tst_sqlquery.moc"
