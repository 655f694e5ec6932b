// The database tool on the engine under test. plov import as a shop runs it, on the
// real Access files of the fixtures folder: every value read back as mdb-export
// prints it, and the faults that must leave nothing behind. A database it must not
// take, another program's or a server reached without the encryption the URL asks
// for: it says why in one message and ends with exit code 2.
// plov pick as another program uses it: the lookup opens, the user picks or leaves,
// and the exit code and the printed line tell the caller what happened. The dialogs
// and the message box are real; a driver answers them.

#include "common/handoff.h"
#include "db/connection.h"
#include "db/databasecreator.h"
#include "db/schemacheck.h"
#include "lookups/vendorlist.h"
#include "modaldriver.h"
#include "plovpick.h"
#include "testdatabase.h"
#include "testtables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

const QString kFixtures = QStringLiteral(PLOV_ACCESS_FIXTURES);

bool isPostgres()
{
    return TestDatabase::engineUnderTest() == ConnectionInfo::Engine::Postgres;
}

QByteArray checksum(const QString &path)
{
    QFile f(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (f.open(QIODevice::ReadOnly))
        hash.addData(&f);
    return hash.result();
}

// A field as mdb-export writes it with -e: tab, line feed, return and backslash
// escaped as in C.
QString unescaped(const QString &field)
{
    QString text;
    for (qsizetype i = 0; i < field.size(); ++i) {
        QChar c = field.at(i);
        if (c == u'\\' && i + 1 < field.size()) {
            c = field.at(++i);
            c = c == u't' ? u'\t' : c == u'n' ? u'\n' : c == u'r' ? u'\r' : c;
        }
        text += c;
    }
    return text;
}

QString columnType(QChar kind)
{
    const bool pg = isPostgres();
    switch (kind.unicode()) {
    case 'n':
    case 'b':
        return pg ? u"bigint"_s : u"integer"_s;
    case 'r':
        return pg ? u"double precision"_s : u"real"_s;
    case 'c':
        return pg ? u"numeric"_s : u"text"_s;
    case 'd':
        return pg ? u"timestamp"_s : u"text"_s;
    default:
        return u"text"_s;
    }
}

} // namespace

class TestPlovDatabases : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_demo; // for the lookups

private slots:
    void initTestCase()
    {
        PLOV_REQUIRE_DATABASE();
        m_demo = std::make_unique<TestDatabase>(TestDatabase::Content::Demo);
    }
    void cleanupTestCase() { m_demo.reset(); }
    void init()
    {
        if (QByteArray(QTest::currentTestFunction()).startsWith("import") &&
            !QFileInfo::exists(kFixtures))
            QSKIP(qPrintable(u"the Access files of the fixtures are not here: "_s + kFixtures));
    }

    // Columns: name:kind, kind t text, n integer, r real, c exact decimal, d date
    // and time, b yes/no.
    void importCopiesEveryValueAsMdbExportReadsIt_data()
    {
        AddColumns<QString, QString, QString, QStringList>("file", "table", "columns", "options");
        // clang-format off
        QTest::newRow("compressed Unicode") << u"unicode-compressed.mdb"_s << u"Table"_s << u"ID:n Unicode:t"_s << QStringList();
        QTest::newRow("numbers, dates, currency") << u"types.mdb"_s << u"Table1"_s << u"A:t B:t C:n D:n E:n F:r G:d H:c I:b"_s << QStringList();
        QTest::newRow("memo, nulls, many types") << u"memo-and-types.mdb"_s << u"MSP_PROJECTS"_s << u"PROJ_ID:n PROJ_NAME:t PROJ_PROP_AUTHOR:t PROJ_PROP_CATEGORY:t PROJ_OPT_CURRENCY_SYMBOL:t PROJ_INFO_CURRENT_DATE:d PROJ_LAST_SAVED:d PROJ_OPT_DEF_OVT_RATE:r PROJ_OPT_CALC_ACT_COSTS:b"_s << QStringList();
        QTest::newRow("negative decimals") << u"numeric.mdb"_s << u"test"_s << u"col1:t col2:c col5:c col6:c"_s << QStringList();
        QTest::newRow("database password") << u"with-password.mdb"_s << u"Table1"_s << u"ID:n Data:t"_s << QStringList{u"--password"_s, u"password"_s};
        // clang-format on
    }
    void importCopiesEveryValueAsMdbExportReadsIt()
    {
        const QString mdbExport = QStandardPaths::findExecutable(u"mdb-export"_s);
        if (mdbExport.isEmpty())
            QSKIP("mdb-export (Debian's mdbtools) is not installed");
        const QString file = kFixtures + u'/' + Fetch<QString>("file");
        const auto table = Fetch<QString>("table");
        const QStringList columns = Fetch<QString>("columns").split(u' ');
        TestDatabase db;
        Connection c;
        c.open(db.connectionString());
        QStringList defs, reads, names;
        for (const QString &column : columns) {
            const QString name = c.engine().quoteIdentifier(column.section(u':', 0, 0));
            names.append(column.section(u':', 0, 0));
            defs.append(name + u' ' + columnType(column.back()));
            reads.append(u"cast("_s + name + u" as text)"_s);
        }
        c.execute(u"create table "_s + c.engine().quoteIdentifier(table) + u" ("_s +
                  defs.join(u", "_s) + u')');
        const QByteArray before = checksum(file);

        QCOMPARE(plov(QStringList{u"import"_s, file, db.target()} + Fetch<QStringList>("options")),
                 0);
        QCOMPARE(checksum(file), before);

        // Fields between tabs and rows between line feeds, which the fields have
        // escaped; a null marked by a character no field holds alone.
        const QString null = u"\x1d"_s;
        QProcess exported;
        exported.start(mdbExport, {u"-Q"_s, u"-e"_s, u"-d"_s, u"\t"_s, u"-0"_s, null, u"-b"_s,
                                   u"strip"_s, u"-D"_s, u"%Y-%m-%d %H:%M:%S"_s, u"-T"_s,
                                   u"%Y-%m-%d %H:%M:%S"_s, file, table});
        QVERIFY(exported.waitForFinished(30000));
        QList<QStringList> expected;
        for (const QString &row :
             QString::fromUtf8(exported.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
            expected.append(row.split(u'\t'));
        const QStringList header = expected.first();
        QVERIFY2(m_out.contains(u"讀取 %1 列，寫入 %1 列"_s.arg(expected.size() - 1)),
                 qPrintable(m_out));

        QSqlQuery &q = c.run(u"select "_s + reads.join(u", "_s) + u" from "_s +
                                 c.engine().quoteIdentifier(table),
                             {});
        for (qsizetype r = 1; r < expected.size(); ++r) {
            QVERIFY(q.next());
            for (qsizetype i = 0; i < columns.size(); ++i) {
                const QString want = expected.at(r).at(header.indexOf(names.at(i)));
                const QVariant got = q.value(int(i));
                const QString where = u"row %1 %2"_s.arg(r).arg(names.at(i));
                QVERIFY2((want == null) == got.isNull(), qPrintable(where));
                if (want == null)
                    continue;
                if (QStringLiteral("nrb").contains(columns.at(i).back()))
                    QVERIFY2(got.toString().toDouble() == want.toDouble(), qPrintable(where));
                else
                    QCOMPARE(got.toString(), unescaped(want));
            }
        }
        QVERIFY(!q.next());
    }

    // Each fault: exit code 2 with its message, no database left behind, the
    // Access file unchanged.
    void importFaultsLeaveNothingBehind_data()
    {
        AddColumns<QString, QString>("fault", "message");
        // clang-format off
        QTest::newRow("file cut to 100 KB") << u"cut"_s << u"檔案已損壞或不完整"_s;
        QTest::newRow("text file named .mdb") << u"text"_s << u"不是 Access 資料庫檔案"_s;
        QTest::newRow("missing file") << u"missing"_s << u"找不到 Access 資料庫檔案"_s;
        QTest::newRow("target holds data") << u"data"_s << u"已經有資料"_s;
        // clang-format on
    }
    void importFaultsLeaveNothingBehind()
    {
        const auto fault = Fetch<QString>("fault");
        QTemporaryDir dir;
        TestDatabase db;
        QString source = dir.filePath(u"PLOV.mdb"_s);
        QFile original(kFixtures + u"/unicode-compressed.mdb"_s);
        QVERIFY(original.open(QIODevice::ReadOnly));
        QFile f(source);
        if (fault == u"cut" || fault == u"text") {
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(fault == u"cut" ? original.read(100 * 1024) : "not an Access file\n");
            f.close();
        } else if (fault == u"data") {
            source = original.fileName();
        }
        QString target = newTarget(db, dir);
        if (fault == u"data") {
            target = db.target();
            db.exec(u"insert into [CUST] (ID, SNAME) values (?, ?)"_s, {u"C9"_s, u"舊客戶"_s});
        }
        const QByteArray before = checksum(source);

        QCOMPARE(plov({u"import"_s, source, target}), 2);
        QVERIFY2(m_err.contains(Fetch<QString>("message")), qPrintable(m_err));
        QCOMPARE(checksum(source), before);
        if (fault == u"data")
            QCOMPARE(db.scalar(u"select count(*) from [CUST]"_s).toInt(), 1);
        else
            QVERIFY2(!targetExists(target), qPrintable(target));
    }

    void anotherProgramsDatabaseIsNamed()
    {
        TestDatabase db;
        QCOMPARE(ForeignDatabaseReason(db.connectionString()), std::nullopt);
        {
            // Another program's tables in place of the suite's.
            Connection c;
            c.open(db.connectionString());
            for (const QString &view : c.database().tables(QSql::Views))
                c.execute(u"drop view [%1]"_s.arg(view));
            for (const QString &table : PlovTables())
                c.execute(u"drop table [%1]"_s.arg(table));
            c.execute(u"create table customers (id integer primary key, name varchar(20))"_s);
        }

        const QString reason = ForeignDatabaseReason(db.connectionString()).value_or(QString());
        QVERIFY2(reason.endsWith(u"不是本程式的資料庫（沒有資料表 COMPANY）"_s),
                 qPrintable(reason));
        QTemporaryDir dir;
        QCOMPARE(plov({u"print-schedule"_s, db.target(), u"-o"_s, dir.filePath(u"s.pdf"_s)}), 2);
        // Said once, in the tool's words, without the engine's "no such table".
        QVERIFY2(m_err.contains(u"plov: 排程表沒有印出："_s + reason + u'\n') &&
                     !m_err.contains(u"table"_s) && !m_err.contains(u"relation"_s),
                 qPrintable(m_err));
    }

    // The test server has no SSL: over TCP a URL asking for it is refused by the
    // client library, and the same URL without it connects.
    void sslmodeRequireIsKept()
    {
        if (!isPostgres())
            QSKIP("a server's parameter");
        const QString host = qEnvironmentVariable("PLOV_TEST_PG_TCP_HOST");
        if (host.isEmpty())
            QSKIP("the test server listens on no TCP address (PLOV_TEST_PG_TCP_HOST unset)");
        const QString url = u"postgresql://%1@%2:%3/postgres"_s.arg(
            qEnvironmentVariable("PLOV_TEST_PG_USER", u"postgres"_s), host,
            qEnvironmentVariable("PLOV_TEST_PG_PORT", u"5432"_s));
        Connection().open(ConnectionStringForTarget(url));

        const QString name = u"plovssl_%1"_s.arg(QCoreApplication::applicationPid());
        const QString encrypted =
            url.left(url.lastIndexOf(u'/') + 1) + name + u"?sslmode=require"_s;
        QCOMPARE(plov({u"create"_s, encrypted}), 2);
        QVERIFY2(m_err.contains(u"plov: 資料庫沒有建立：無法連線到資料庫伺服器 "_s) &&
                     m_err.contains(u"SSL"_s),
                 qPrintable(m_err));
    }

    void pick_data()
    {
        // The command line after "pick" (DB stands for the test database); the
        // controls shown beside the filter box; 設備 ticked or a kind of work chosen
        // first, then a key pressed on the list; the exit code; the line printed, or
        // the title of the box shown.
        AddColumns<QStringList, QString, QString, int, int, QString>("args", "controls", "choose",
                                                                     "key", "exitCode", "seen");
        const QString equipment =
            u"V013\t德聯機械\t5\t02-8990-6600\t范工程師\t02-8990-6601\t印刷機保養\t"
            u"新北市新莊區五工路 120 號\t月結 30 天\n"_s;
        const QString paper = u"V003\t聯合紙業\t5\t02-2268-7788\t楊經理\t02-2268-7789\t\t"
                              u"新北市土城區中央路四段 12 號\t月結 30 天\n"_s;
        const QString none = u"/nonexistent/none.mdb"_s;
        const int enter = Qt::Key_Return;
        // clang-format off
        QTest::newRow("staff picked") << QStringList{u"staff"_s, u"DB"_s, u"--filter"_s, u"林美華"_s} << QString() << QString() << enter << 0 << u"E002\t林美華\tE001\t王小明\n"_s;
        QTest::newRow("equipment ticked, vendor picked") << QStringList{u"vendor"_s, u"DB"_s, u"--kind"_s, u"紙品採購"_s, u"--equipment"_s} << u"設備"_s << u"設備"_s << enter << 0 << equipment;
        QTest::newRow("所有廠商 by C-紙品") << QStringList{u"vendor"_s, u"DB"_s, u"--kind"_s, kAllVendors} << u"種類"_s << u"C-紙品"_s << enter << 0 << paper;
        QTest::newRow("Esc") << QStringList{u"vendor"_s, u"DB"_s, u"--kind"_s, u"紙品"_s} << QString() << QString() << int(Qt::Key_Escape) << 1 << QString();
        QTest::newRow("blanks match nobody") << QStringList{u"staff"_s, u"DB"_s, u"--filter"_s, u"  "_s} << QString() << QString() << enter << 1 << QString();
        QTest::newRow("staff unreadable") << QStringList{u"staff"_s, none} << QString() << QString() << enter << 2 << u"取得所有業務員資料錯誤"_s;
        QTest::newRow("vendors unreadable") << QStringList{u"vendor"_s, none} << QString() << QString() << enter << 2 << u"依類別取得廠商資料錯誤"_s;
        QTest::newRow("usage: no database") << QStringList{u"staff"_s} << QString() << QString() << enter << 2 << QString();
        QTest::newRow("usage: vendor option for staff") << QStringList{u"staff"_s, u"DB"_s, u"--equipment"_s} << QString() << QString() << enter << 2 << QString();
        QTest::newRow("usage: option without value") << QStringList{u"vendor"_s, u"DB"_s, u"--kind"_s} << QString() << QString() << enter << 2 << QString();
        // clang-format on
    }
    void pick()
    {
        const QString choose = Fetch<QString>("choose");
        JobHandOff().fill(u"old"_s);
        QString out, err, boxTitle, shown;
        const auto driver = WhenModal<QDialog>([&](QDialog *dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                boxTitle = box->windowTitle();
                box->button(QMessageBox::Ok)->click();
                return;
            }
            auto *equipment = dialog->findChild<QCheckBox *>(u"chk只秀設備"_s);
            auto *kinds = dialog->findChild<QComboBox *>(u"cbo種類"_s);
            shown = QString(equipment && equipment->isVisible() ? u"設備"_s : QString()) +
                    (kinds && kinds->isVisible() ? u"種類"_s : QString());
            if (choose == u"設備"_s)
                QTest::mouseClick(equipment, Qt::LeftButton);
            else
                for (int i = 0; !choose.isEmpty() && i < kinds->count(); ++i)
                    if (kinds->currentText() != choose) // each choice lists at once
                        QTest::keyClick(kinds, Qt::Key_Down);
            auto *list = dialog->findChild<QTableWidget *>(u"MSHFlexGrid1"_s);
            list->setFocus();
            QTest::keyClick(list, Qt::Key(Fetch<int>("key")));
            if (dialog->isVisible()) { // the key should have closed it
                shown += u" still open"_s;
                dialog->reject();
            }
        });
        QTextStream outStream(&out), errStream(&err);
        QStringList args = Fetch<QStringList>("args");
        args.replaceInStrings(QRegularExpression(u"^DB$"_s), m_demo->target());
        const int exitCode = PlovPick(args, outStream, errStream);
        QTEST(exitCode, "exitCode");
        QTEST(out + boxTitle, "seen");
        QTEST(shown, "controls");
        QCOMPARE(err.startsWith(u"usage:"_s), exitCode == 2 && boxTitle.isEmpty());
        // Leaving hands back nothing at all.
        if (exitCode == 1)
            QCOMPARE(QStringList(JobHandOff().begin(), JobHandOff().end()).join(QString()),
                     QString());
    }

private:
    // A database of the engine under test that nobody has made yet.
    static QString newTarget(const TestDatabase &db, const QTemporaryDir &dir)
    {
        if (!isPostgres())
            return dir.filePath(u"new.db"_s);
        return QString(db.target()).replace(u"/plovtest_"_s, u"/plovimport_"_s);
    }

    static bool targetExists(const QString &target)
    {
        if (!isPostgres())
            return QFileInfo::exists(target);
        const QString name = QUrl(target).path().mid(1);
        Connection c;
        c.open(ConnectionStringForTarget(QString(target).replace(name, u"postgres"_s)));
        QSqlQuery &q = c.run(u"select count(*) from pg_database where datname = ?"_s, {name});
        return q.next() && q.value(0).toInt() > 0;
    }

    int plov(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(PLOV_TOOL), args);
        p.waitForFinished(120000);
        m_out = QString::fromUtf8(p.readAllStandardOutput());
        m_err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QString m_out;
    QString m_err;
};

QTEST_MAIN(TestPlovDatabases)
#include "tst_plovdatabases.moc"
