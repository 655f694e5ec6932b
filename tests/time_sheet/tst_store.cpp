#include "db/dberror.h"
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
    void emptySheetClearsRunsAndStillStamps();
    void keysWithApostrophes();
};

namespace {

TimeSheetJob job(const QString &po, const QString &line, const QString &id, const QString &ino)
{
    TimeSheetJob j;
    j.po = po;
    j.line = line;
    j.press = u"海德堡四色"_s;
    j.scheduleId = id;
    j.scheduleLine = ino;
    return j;
}

QVector<QString> run(const QString &start, const QString &finished)
{
    QVector<QString> cells(RunCol::Last);
    cells[RunCol::Start - 1] = start;
    cells[RunCol::Finished - 1] = finished;
    cells[RunCol::Hours - 1] = u"1.5"_s;
    return cells;
}

// One column of the stored runs, as text, in run order.
QStringList column(const QString &cs, const TimeSheetJob &j, int col)
{
    QStringList values;
    const RecordArray runs = LoadRuns(cs, j);
    for (int r = 0; r < RunCount(runs); ++r)
        values.append(RecordValueText(runs[col - 1][r]));
    return values;
}

} // namespace

// The second of two saves made one after the other replaces the first; a save
// from a sheet opened before the first one was made is refused.
void TestStore::savesOneAfterTheOther()
{
    TestDatabase db(TestDatabase::Content::Demo);
    const QString cs = db.connectionString();
    const TimeSheetJob j = job(u"A1151116"_s, u"1"_s, u"P1151205"_s, u"1"_s);
    const RecordArray openedFirst = LoadRuns(cs, j);
    SaveRuns(cs, j, {run(u"1151204-08:00"_s, u"1,200"_s)}, u"1204-10"_s, openedFirst);
    SaveRuns(cs, j, {run(u"1151204-09:00"_s, u"900"_s), run(u"1151204-11:00"_s, u"12.5kg"_s)},
             u"1204-12"_s, LoadRuns(cs, j));
    QCOMPARE(column(cs, j, RunCol::Start), (QStringList{u"1151204-09:00"_s, u"1151204-11:00"_s}));
    QCOMPARE(column(cs, j, RunCol::Finished), (QStringList{u"900"_s, u"12.5"_s}));
    QCOMPARE(column(cs, j, RunCol::Seq), (QStringList{u"1"_s, u"2"_s}));

    QVERIFY_THROWS_EXCEPTION(DbConflictError, SaveRuns(cs, j, {}, u"1204-13"_s, openedFirst));
    QCOMPARE(column(cs, j, RunCol::Seq), (QStringList{u"1"_s, u"2"_s}));
    QCOMPARE(db.scalar(u"select FDATE from [PRINTING] where PO = 'A1151116' and [NO] = 1"_s),
             QVariant(u"1204-12"_s));
}

// Confirming an empty sheet removes the stored runs and still stores the stamp.
void TestStore::emptySheetClearsRunsAndStillStamps()
{
    TestDatabase db(TestDatabase::Content::Demo);
    const QString cs = db.connectionString();
    const TimeSheetJob j = job(u"A1151103"_s, u"1"_s, u"P1151201"_s, u"4"_s);
    SaveRuns(cs, j, {}, QString(), LoadRuns(cs, j));
    QCOMPARE(RunCount(LoadRuns(cs, j)), 0);
    for (const QString &table : {u"PRINTING"_s, u"PRINTING_S"_s})
        QCOMPARE(
            db.scalar(u"select FDATE from [%1] where PO = 'A1151103' and [NO] = 1"_s.arg(table)),
            QVariant(u""_s));
    QCOMPARE(db.scalar(u"select ODATE from [PRINTING] where PO = 'A1151103' and [NO] = 1"_s),
             QVariant(u"1202-08"_s));
}

void TestStore::keysWithApostrophes()
{
    TestDatabase db;
    const QString cs = db.connectionString();
    const TimeSheetJob j = job(u"O'NEIL"_s, u"2"_s, u"P'9"_s, u"3"_s);
    db.exec(u"insert into [PRINTING_S] (PO, [NO], ID, INO, 車別) values (?, 2, ?, 3, ?)"_s,
            {j.po, j.scheduleId, j.press});
    SaveRuns(cs, j, {run(u"1151204-08:00"_s, u"10"_s)}, u"1204-09"_s, LoadRuns(cs, j));
    QCOMPARE(column(cs, j, RunCol::Finished), QStringList{u"10"_s});
    QCOMPARE(db.scalar(u"select FDATE from [PRINTING_S] where PO = ? and ID = ?"_s,
                       {j.po, j.scheduleId}),
             QVariant(u"1204-09"_s));
}

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
