#include "common/clock.h"
#include "common/handoff.h"
#include "db/connection.h"
#include "lookups/stafflookup.h"
#include "sheetfixture.h"
#include "testtables.h"
#include "time_sheet/timesheetstore.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using namespace Qt::StringLiterals;

namespace {

// A line of 海德堡四色 with its schedule row, for saves without a screen.
TimeSheetJob ScheduledLine(TestDatabase &db, const QString &po, int no, const QString &id, int ino)
{
    TimeSheetJob job;
    job.po = po;
    job.line = QString::number(no);
    job.press = u"海德堡四色"_s;
    job.scheduleId = id;
    job.scheduleLine = QString::number(ino);
    db.exec(u"insert into [PRINTING_S] (PO, [NO], ID, INO, 車別) values (?, ?, ?, ?, ?)"_s,
            {po, no, id, ino, job.press});
    return job;
}

// Rows of the grid holding their 完工數量 only.
QVector<QVector<QString>> FinishedRows(const QStringList &finished)
{
    QVector<QVector<QString>> rows;
    for (const QString &quantity : finished) {
        rows.append(QVector<QString>(RunCol::Last));
        rows.last()[RunCol::Finished - 1] = quantity;
    }
    return rows;
}

} // namespace

class TestSheet : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    // Runs logged on an empty line are stored with their figures, the completion stamp
    // reaches the production rows and the main row. The operator is found by code,
    // carried over, or looked up; a lookup left without a pick changes nothing.
    void logRunsAndConfirm()
    {
        SheetScreen screen(u"海德堡四色"_s);
        FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(8, 0)));
        QStringList filters;
        QString pick = u"E002"_s;
        SetStaffLookupOpener([&](QWidget *) {
            filters.append(LookupFilterText());
            ClearJobHandOff();
            JobHandOff()[0] = pick;
            JobHandOff()[1] = u"林美華"_s;
        });
        QStringList seen; // effective time at the pick, score, operator carried over
        screen.openSheet(u"A1151116"_s, 2, [&](Sheet &sheet) {
            sheet.click(1, RunCol::Start);
            clock.setNow(QDateTime(QDate(2026, 12, 4), QTime(10, 30)));
            sheet.click(1, RunCol::End);
            sheet.click(1, RunCol::Fills);
            auto *list = sheet.grid.findChild<QListWidget *>(u"fml明細"_s);
            const QListWidgetItem *two = list->findItems(u"2"_s, Qt::MatchExactly).value(0);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(two).center());
            seen << sheet.grid.text(1, RunCol::Effective);
            sheet.click(1, RunCol::Finished);
            sheet.type(u"13000"_s);
            sheet.click(1, RunCol::Operator);
            sheet.type(u"e003"_s);
            QStringList labels;
            for (const QString &name :
                 {u"lbl時標準量"_s, u"lbl標準數量"_s, u"lbl實際數量"_s, u"lbl差異"_s, u"lbl點數"_s})
                labels << sheet.window.findChild<QLabel *>(name)->text();
            seen << labels.join(u' ');
            sheet.click(2, RunCol::Start);
            seen << sheet.grid.text(2, RunCol::OperatorId) + sheet.grid.text(2, RunCol::Operator);
            sheet.click(2, RunCol::Operator);
            sheet.type(u"林"_s);
            sheet.click(2, RunCol::Operator);
            pick.clear();
            sheet.button(u"scmd輔助"_s);
            sheet.button(u"cmd日期"_s);
            sheet.button(u"scmd確定"_s);
        });
        SetStaffLookupOpener({});
        // Back on the main screen (the window system activates it again), the
        // keyboard is still the grid's.
        screen.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen.main.get()));
        QVERIFY(screen.mainGrid().isAncestorOf(QApplication::focusWidget()));
        // 150 minutes less 8 plates, 2 fills and washing: 89 minutes, 1.48 h at 8000 an hour.
        QCOMPARE(seen, (QStringList{u"1.48"_s, u"8000 11840 13000 1160 6"_s, u"E003陳志明"_s}));
        // 輔助 opens the lookup with the filter as the typed lookup left it.
        QCOMPARE(filters, (QStringList{u"林"_s, u"林"_s}));
        QCOMPARE(
            screen.runs(u"A1151116"_s, 2),
            (QStringList{u"1151204-08:00|1151204-10:30|4|4||8|V|2||13000|海德堡四色|E003|陳志明|"
                         u"2.5|1.48||8000|6|A1151116|2|1"_s,
                         u"1151204-10:30||4|4||8|V|||0|海德堡四色|E002|林美華|0|-0.92||8000|0|"
                         u"A1151116|2|2"_s}));
        // The completion stamp alone, as the propagation's test checks it in every table.
        QCOMPARE(QueryRows(screen.db, u"select FDATE, ODATE from [PRINTING_S] where PO = "
                                      u"'A1151116' and [NO] = 2"_s),
                 QStringList{u"1204-10|1205-13"_s});
        QCOMPARE(screen.mainRow(u"A1151116"_s, 2), u"2.5 1204-10 marked"_s);
        // The main screen's next save writes the stamp again without a false conflict.
        screen.main->SaveCompletion();
        QCOMPARE(screen.messages.texts(), (QStringList{u"確定儲存資料?"_s, u"資料儲存完畢!"_s}));
    }

    void leave_data()
    {
        // The runs stored afterwards (start and number of each), and the main row's
        // 耗時 and 完工日 with the mark that they wait to be saved.
        AddColumns<QString, QString, QString, QStringList, QString>("press", "po", "by", "stored",
                                                                    "mainRow");
        // clang-format off
        QTest::newRow("confirm: runs 1 and 2") << u"小森五色"_s << u"A1151103"_s << u"scmd確定"_s << QStringList{u"1151202-08:30|1"_s, u"1151203-08:00|2"_s} << u"4.75 1203-15 marked"_s;
        QTest::newRow("back: nothing stored") << u"小森五色"_s << u"A1151103"_s << u"ssc回前畫面"_s << QStringList{u"1151202-08:30|1"_s, u"1151202-13:00|2"_s, u"1151203-08:00|3"_s} << u"9.25 1203-15"_s;
        QTest::newRow("closed line: no confirm") << u"三菱雙色"_s << u"A1151104"_s << u"scmd確定"_s << QStringList() << u" "_s;
        // clang-format on
    }
    // Deleting run 2 of 3 takes it off the grid; the stored runs follow at the save.
    void leave()
    {
        const QString po = Fetch<QString>("po");
        SheetScreen screen(Fetch<QString>("press"), true);
        screen.openSheet(po, 1, [&](Sheet &sheet) {
            sheet.click(2, RunCol::Note);
            sheet.button(u"scmd刪除"_s);
            sheet.button(Fetch<QString>("by"));
        });
        QTEST(screen.runs(po, 1, u"開始, 序"_s), "stored");
        QTEST(screen.mainRow(po, 1), "mainRow");
    }

    // An entry cut to its column's width says so, and Enter moves on to the next cell
    // once the message is answered (the Tab it stands for goes to the sheet, not into
    // the box). Below a blank row no key is taken and no list opens; the cursor still
    // moves. A stamp that is not a date and time is said when typed and again at the
    // confirmation, which stores nothing and puts the cursor on it.
    void entriesRefused()
    {
        SheetScreen screen(u"海德堡四色"_s);
        const QStringList stored = screen.runs(u"A1151116"_s, 1);
        QStringList seen;
        screen.openSheet(u"A1151116"_s, 1, [&](Sheet &sheet) {
            sheet.click(1, RunCol::Sets);
            sheet.type(u"12345678901"_s);
            if (QTest::qWaitFor([&] { return sheet.grid.activeCol() != RunCol::Sets; }, 1000))
                seen << sheet.grid.text(1, RunCol::Sets) + u'@' +
                            QString::number(sheet.grid.activeCol());
            sheet.click(4, RunCol::Fills);
            const auto *list = sheet.grid.findChild<QListWidget *>();
            TypeKeys(sheet.grid, u"3"_s);
            PressKey(sheet.grid, Qt::Key_Up);
            seen << QString::number(list && list->isVisible()) + sheet.grid.text(4, RunCol::Fills) +
                        u'@' + QString::number(sheet.grid.activeRow());
            sheet.click(3, RunCol::End); // no end before a start: only the cursor moves
            PressKey(sheet.grid, Qt::Key_Left);
            sheet.type(u"1150229-10:00"_s);
            sheet.click(3, RunCol::End);
            sheet.click(1, RunCol::Note);
            sheet.button(u"scmd確定"_s);
            seen << QString::number(sheet.grid.activeRow()) + u'@' +
                        QString::number(sheet.grid.activeCol());
        });
        QCOMPARE(seen, (QStringList{u"1234567890@"_s + QString::number(RunCol::Plates), u"0@3"_s,
                                    u"3@"_s + QString::number(RunCol::Start)}));
        QCOMPARE(screen.messages.texts(),
                 (QStringList{u"最多只可輸入10個字元!"_s, u"前一列資料尚未輸入!"_s,
                              u"時間格式輸入錯誤!"_s, u"時間格式輸入錯誤!"_s}));
        QCOMPARE(screen.runs(u"A1151116"_s, 1), stored);
    }

    void refusedSave_data()
    {
        // Run before the sheet opens or once it is open; the titles of the messages
        // and what the last says; 完工數量 stored afterwards.
        AddColumns<bool, QString, QStringList, QString, QStringList>("open", "meanwhile", "titles",
                                                                     "says", "finished");
        const QStringList refused{u"儲存錯誤"_s}, stored{u"14500"_s, u"5800"_s};
        // clang-format off
        QTest::newRow("a table missing") << true << u"alter table [VENDERAC] rename to [VENDERAC_OLD]"_s << refused << QString() << stored;
        QTest::newRow("the lock check fails") << true << u"alter table [SYSLOCK] rename to [SYSLOCK_OLD]"_s << refused << QString() << stored;
        QTest::newRow("another user stamped the line") << true << u"update [PRINTING_S] set FDATE = '1206-09' where PO = 'A1151116' and [NO] = 1"_s << refused << u"其他使用者"_s << stored;
        QTest::newRow("another user saved the runs") << true << u"update [預排資料耗時明細1] set 完工數量 = 15000 where 工單單號 = 'A1151116' and 序 = 1"_s << refused << u"其他使用者"_s << QStringList{u"15000"_s, u"5800"_s};
        QTest::newRow("the press's figures unread, at the opening too") << false << u"alter table [印刷產能資料] rename to [產能_OLD]"_s << QStringList(2, u"依機別取得標準數量錯誤"_s) << QString() << stored;
        // clang-format on
    }
    // A save that fails halfway, would wipe runs someone else saved after the sheet
    // loaded them, or would store figures worked out without the press's, writes
    // nothing and leaves the sheet open as it was.
    void refusedSave()
    {
        SheetScreen screen(u"海德堡四色"_s);
        if (!Fetch<bool>("open"))
            screen.db.exec(Fetch<QString>("meanwhile"));
        QStringList kept;
        screen.openSheet(u"A1151116"_s, 1, [&](Sheet &sheet) {
            if (Fetch<bool>("open"))
                screen.db.exec(Fetch<QString>("meanwhile"));
            sheet.click(2, RunCol::Finished);
            sheet.type(u"6000"_s);
            sheet.button(u"cmd日期"_s);
            sheet.button(u"scmd確定"_s);
            if (sheet.window.isVisible())
                kept << sheet.grid.text(1, RunCol::Finished)
                     << sheet.grid.text(2, RunCol::Finished);
        });
        QCOMPARE(kept, (QStringList{u"14500"_s, u"6000"_s}));
        QStringList titles;
        for (const auto &box : screen.messages.shown())
            titles << box.title;
        QTEST(titles, "titles");
        QVERIFY(screen.messages.texts().last().contains(Fetch<QString>("says")));
        QTEST(screen.runs(u"A1151116"_s, 1, u"完工數量"_s), "finished");
        QCOMPARE(
            screen.db.scalar(u"select FDATE from [PRINTING] where PO = 'A1151116' and [NO] = 1"_s),
            QVariant(QString()));
    }

    // A run typed over another line's run of the press is marked and named under
    // the grid, its effective time explained; the sheet saves it as before. A
    // completion stamp longer than the box's design shows whole and is stored whole.
    void overlapIsMarkedNotRefused()
    {
        SheetScreen screen(u"海德堡四色"_s, true);
        const QString stamp = u"1204-10 補登 O'N"_s;
        screen.db.exec(u"update [PRINTING_S] set FDATE = ? where PO = 'A1151116' and [NO] = 1"_s,
                       {stamp});
        screen.list();
        FixedClock clock(QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
        QStringList seen;
        screen.openSheet(u"A1151116"_s, 1, [&](Sheet &sheet) {
            seen << sheet.window.findChild<QLineEdit *>(u"txt完工日期"_s)->text();
            sheet.click(3, RunCol::End); // no end before a start: only the cursor moves
            PressKey(sheet.grid, Qt::Key_Left);
            sheet.type(u"1151208-11:00"_s);
            sheet.click(3, RunCol::End);
            const auto note = [&](int col, int role) {
                return sheet.grid.findChild<QAbstractItemView *>()
                    ->model()
                    ->index(2, col - 1)
                    .data(role)
                    .toString();
            };
            seen << sheet.window.findChild<QLabel *>(u"lbl重疊"_s)->text()
                 << QString::number(!note(RunCol::Start, Qt::BackgroundRole).isEmpty())
                 << note(RunCol::Effective, Qt::ToolTipRole).section(u" = "_s, -1)
                 << sheet.grid.text(3, RunCol::Effective);
            sheet.button(u"scmd確定"_s);
        });
        QCOMPARE(seen, (QStringList{stamp, u"與 A1151121 序 2 第 1 筆 10:00–13:30 重疊"_s, u"1"_s,
                                    seen.value(4) + u" 小時"_s, seen.value(4)}));
        QCOMPARE(screen.runs(u"A1151116"_s, 1).size(), 3);
        QCOMPARE(QueryRows(screen.db,
                           u"select p.FDATE, s.FDATE from [PRINTING] p, [PRINTING_S] s where "
                           u"p.PO = 'A1151116' and p.[NO] = 1 and s.PO = p.PO and s.[NO] = 1"_s),
                 QStringList{stamp + u'|' + stamp});
    }

    void failedLoadLocksTheBoxes()
    {
        SheetScreen screen(u"海德堡四色"_s);
        screen.db.exec(u"alter table [預排資料耗時明細1] rename to [耗時明細_OLD]"_s);
        QStringList offered;
        screen.openSheet(u"A1151116"_s, 1, [&](Sheet &sheet) {
            if (!sheet.window.findChild<QObject *>(u"txt完工日期"_s)->property("readOnly").toBool())
                offered << u"txt完工日期"_s;
            for (const QString &name :
                 {u"scmd確定"_s, u"scmd刪除"_s, u"scmd輔助"_s, u"cmd日期"_s, u"ssc回前畫面"_s})
                if (sheet.window.findChild<QWidget *>(name)->isEnabled())
                    offered << name;
        });
        QCOMPARE(screen.messages.shown().value(0).title, u"錯誤"_s);
        // Nothing was read, so nothing can be written: only going back is offered.
        QCOMPARE(offered, QStringList{u"ssc回前畫面"_s});
    }

    // Keys with apostrophes save as typed; a quantity with thousands separators
    // keeps its value; the second of two saves replaces the runs of the first.
    void savesOneAfterTheOther()
    {
        TestDatabase db;
        const TimeSheetJob job = ScheduledLine(db, u"O'NEIL"_s, 2, u"P'9"_s, 3);
        const auto save = [&](const QStringList &finished, const QString &completion) {
            return SaveRuns(db.connectionString(), job, FinishedRows(finished), completion,
                            LoadRuns(db.connectionString(), job).value,
                            Editor{u"E003"_s, u"陳志明"_s, u"PRESSPC"_s, u"daily_report"_s});
        };
        const auto stored = [&] {
            return QueryRows(db,
                             u"select 完工數量, 序 from [預排資料耗時明細1] where 機別 = ? and "
                             u"工單單號 = ? and 工單序 = 2 order by 序"_s,
                             {job.press, job.po});
        };
        // Runs of the lines beside it: another press, another work order, another line.
        for (const auto &[press, po, line] :
             {std::tuple{u"小森五色"_s, job.po, 2}, std::tuple{job.press, u"O'NEI"_s, 2},
              std::tuple{job.press, job.po, 22}})
            db.exec(u"insert into [預排資料耗時明細1] (機別, 工單單號, 工單序, 完工數量, 序) "
                    u"values (?, ?, ?, 5, 1)"_s,
                    {press, po, line});
        const auto neighbours = [&] {
            return QueryRows(db,
                             u"select 機別, 工單單號, 工單序 from [預排資料耗時明細1] where not "
                             u"(機別 = ? and 工單單號 = ? and 工單序 = 2) order by 機別, 工單單號, "
                             u"工單序"_s,
                             {job.press, job.po});
        };
        const QStringList beside = neighbours();
        QCOMPARE(beside.size(), 3);
        QCOMPARE(save({u"1,200"_s, u"12.5kg"_s, u"7"_s}, u"1204-09"_s), std::nullopt);
        QCOMPARE(stored(), (QStringList{u"1200|1"_s, u"12.5|2"_s, u"7|3"_s}));
        db.exec(u"delete from [變更記錄]"_s);
        QCOMPARE(save({u"900"_s}, u"1204-10"_s), std::nullopt);
        QCOMPARE(stored(), QStringList{u"900|1"_s});
        QCOMPARE(neighbours(), beside);
        // Who changed what in the second save: the stamp, run 1's quantity, runs 2 and 3 gone.
        QStringList recorded = QueryRows(
            db, u"select 資料表, 動作, 序, 欄位, 原值, 新值, 使用者 from [變更記錄] where PO = ?"_s,
            {job.po});
        recorded.sort();
        QCOMPARE(recorded, (QStringList{u"PRINTING_S|修改||ACT|1204-09|1204-10|陳志明"_s,
                                        u"PRINTING_S|修改||FDATE|1204-09|1204-10|陳志明"_s,
                                        u"預排資料耗時明細1|修改|1|完工數量|1200|900|陳志明"_s,
                                        u"預排資料耗時明細1|刪除|2||–||陳志明"_s,
                                        u"預排資料耗時明細1|刪除|3||–||陳志明"_s}));
        QCOMPARE(db.scalar(u"select FDATE from [PRINTING_S] where PO = ? and ID = ?"_s,
                           {job.po, job.scheduleId}),
                 QVariant(u"1204-10"_s));
    }

    // Ten runs saved again, the fifth changed by another user after they were
    // read: no run is replaced, no stamp written and no history recorded.
    void runChangedInTheMiddleWritesNothing()
    {
        TestDatabase db;
        const TimeSheetJob job = ScheduledLine(db, u"W1"_s, 1, u"P1"_s, 1);
        for (int i = 1; i <= 10; ++i)
            db.exec(u"insert into [預排資料耗時明細1] (機別, 工單單號, 工單序, 完工數量, 序) "
                    u"values (?, 'W1', 1, 100, ?)"_s,
                    {job.press, i});
        const RecordArray seen = LoadRuns(db.connectionString(), job).value;
        Connection other;
        other.open(db.connectionString());
        other.execute(u"update [預排資料耗時明細1] set 完工數量 = 150 where 序 = 5"_s);
        const QStringList tables = {u"預排資料耗時明細1"_s, u"PRINTING_S"_s, u"變更記錄"_s};
        const QStringList before = TableRows(db, tables);

        const auto error = SaveRuns(
            db.connectionString(), job, FinishedRows(QStringList(10, u"200"_s)), u"1204-14"_s, seen,
            Editor{u"E001"_s, u"王小明"_s, u"PRESSPC"_s, u"daily_report"_s});
        QVERIFY(error && error->contains(u"其他使用者"_s));
        QCOMPARE(TableRows(db, tables), before);
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
