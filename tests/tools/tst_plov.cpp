// The database tool as a shop runs it: make databases, refuse to overwrite one,
// export the schedule to PDF, tell its version.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run plov(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(PLOV_TOOL), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestPlov : public QObject
{
    Q_OBJECT

private slots:
    void createsAndRefusesToOverwrite()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(u"PLOV.mdb"_s);
        Run r = plov({u"create"_s, db});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(QFile::exists(db));
        const qint64 size = QFileInfo(db).size();

        r = plov({u"demo"_s, db});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(db) && r.err.contains(u"不會覆蓋"_s), qPrintable(r.err));
        QCOMPARE(QFileInfo(db).size(), size);
    }

    void wrongCommandLinesShowTheUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown command") << QStringList{u"drop"_s, u"x.mdb"_s};
        QTest::newRow("create without DB") << QStringList{u"create"_s};
        QTest::newRow("print without -o") << QStringList{u"print-schedule"_s, u"x.mdb"_s};
    }
    void wrongCommandLinesShowTheUsage()
    {
        QFETCH(QStringList, args);
        const Run r = plov(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains(u"usage:"_s));
    }

    void printsTheBuildsVersion()
    {
        const Run r = plov({u"--version"_s});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, u"plov "_s + QStringLiteral(PLOV_VERSION) + u'\n');
    }

    void printsTheDemoScheduleToPdf()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(u"PLOV.mdb"_s);
        QCOMPARE(plov({u"demo"_s, db}).exitCode, 0);
        const QString pdf = dir.filePath(u"schedule.pdf"_s);
        Run r = plov({u"print-schedule"_s, db, u"海德堡"_s, u"-o"_s, pdf});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(QFileInfo(pdf).size() > 1000);

        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess text;
        text.start(pdftotext, {u"-layout"_s, pdf, u"-"_s});
        QVERIFY(text.waitForFinished());
        const QString content = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(content.contains(u"印刷排程表"_s), qPrintable(content.left(400)));
        QVERIFY(content.contains(u"海德堡四色"_s));
        QVERIFY(!content.contains(u"小森五色"_s)); // other presses are not printed

        r = plov({u"print-schedule"_s, db, u"沒有這台"_s, u"-o"_s, dir.filePath(u"none.pdf"_s)});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains(u"查無任何資料!"_s));
        QVERIFY(!QFile::exists(dir.filePath(u"none.pdf"_s)));
    }
};

QTEST_GUILESS_MAIN(TestPlov)
#include "tst_plov.moc"
