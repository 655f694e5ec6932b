// The database tool as a shop runs it: make databases, refuse to overwrite one,
// export the schedule to PDF.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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
        const QString db = dir.filePath(QStringLiteral("PLOV.mdb"));
        Run r = plov({QStringLiteral("create"), db});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(QFile::exists(db));
        const qint64 size = QFileInfo(db).size();

        r = plov({QStringLiteral("demo"), db});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(db) && r.err.contains(QStringLiteral("不會覆蓋")),
                 qPrintable(r.err));
        QCOMPARE(QFileInfo(db).size(), size);
    }

    void wrongCommandLinesShowTheUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown command")
            << QStringList{QStringLiteral("drop"), QStringLiteral("x.mdb")};
        QTest::newRow("create without DB") << QStringList{QStringLiteral("create")};
        QTest::newRow("print without -o")
            << QStringList{QStringLiteral("print-schedule"), QStringLiteral("x.mdb")};
    }
    void wrongCommandLinesShowTheUsage()
    {
        QFETCH(QStringList, args);
        const Run r = plov(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains(QStringLiteral("usage:")));
    }

    void printsTheDemoScheduleToPdf()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("PLOV.mdb"));
        QCOMPARE(plov({QStringLiteral("demo"), db}).exitCode, 0);
        const QString pdf = dir.filePath(QStringLiteral("schedule.pdf"));
        Run r = plov({QStringLiteral("print-schedule"), db, QStringLiteral("海德堡"),
                      QStringLiteral("-o"), pdf});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(QFileInfo(pdf).size() > 1000);

        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess text;
        text.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString content = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(content.contains(QStringLiteral("印刷排程表")), qPrintable(content.left(400)));
        QVERIFY(content.contains(QStringLiteral("海德堡四色")));
        QVERIFY(!content.contains(QStringLiteral("小森五色"))); // other presses are not printed

        r = plov({QStringLiteral("print-schedule"), db, QStringLiteral("沒有這台"),
                  QStringLiteral("-o"), dir.filePath(QStringLiteral("none.pdf"))});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains(QStringLiteral("查無任何資料!")));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none.pdf"))));
    }
};

QTEST_GUILESS_MAIN(TestPlov)
#include "tst_plov.moc"
