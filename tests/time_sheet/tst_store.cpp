#include "grid/recordtext.h"
#include "testdatabase.h"
#include "time_sheet/runcolumns.h"
#include "time_sheet/timesheetstore.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }
    void savesOneAfterTheOther();
};

// Keys with apostrophes save as typed; a quantity with thousands separators
// keeps its value; the second of two saves replaces the runs of the first.
void TestStore::savesOneAfterTheOther()
{
    TestDatabase db;
    const QString cs = db.connectionString();
    TimeSheetJob job;
    job.po = u"O'NEIL"_s;
    job.line = u"2"_s;
    job.press = u"海德堡四色"_s;
    job.scheduleId = u"P'9"_s;
    job.scheduleLine = u"3"_s;
    db.exec(u"insert into [PRINTING_S] (PO, [NO], ID, INO, 車別) values (?, 2, ?, 3, ?)"_s,
            {job.po, job.scheduleId, job.press});
    const auto runs = [&](const QStringList &finished) {
        QVector<QVector<QString>> rows;
        for (const QString &quantity : finished) {
            rows.append(QVector<QString>(RunCol::Last));
            rows.last()[RunCol::Finished - 1] = quantity;
        }
        return rows;
    };
    const auto stored = [&] {
        QStringList values;
        const RecordArray found = LoadRuns(cs, job).value;
        for (int r = 0; r < RunCount(found); ++r)
            values << RecordValueText(found[RunCol::Finished - 1][r]) + u'#' +
                          RecordValueText(found[RunCol::Seq - 1][r]);
        return values;
    };
    QVERIFY(!SaveRuns(cs, job, runs({u"1,200"_s, u"12.5kg"_s, u"7"_s}), u"1204-09"_s,
                      LoadRuns(cs, job).value));
    QCOMPARE(stored(), (QStringList{u"1200#1"_s, u"12.5#2"_s, u"7#3"_s}));
    QVERIFY(!SaveRuns(cs, job, runs({u"900"_s}), u"1204-10"_s, LoadRuns(cs, job).value));
    QCOMPARE(stored(), QStringList{u"900#1"_s});
    QCOMPARE(db.scalar(u"select FDATE from [PRINTING_S] where PO = ? and ID = ?"_s,
                       {job.po, job.scheduleId}),
             QVariant(u"1204-10"_s));
}

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
