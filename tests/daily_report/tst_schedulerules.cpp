// The rules of the schedule grid, without a grid or a database: which cells take
// stamps and entries, what keys do there, how long entries may be, how colour
// counts show, and which lines a save writes with the stamps they were listed with.

#include "daily_report/completionsave.h"
#include "daily_report/schedulecolumns.h"
#include "grid/virtualkey.h"

#include <QTest>

using namespace Qt::StringLiterals;
namespace C = ScheduleCol;

class TestScheduleRules : public QObject
{
    Q_OBJECT

private slots:
    void colourCountText()
    {
        QCOMPARE(ColourCountText(1500.0), u"1,500"_s);
        QCOMPARE(ColourCountText(0.0), QString());
        QCOMPARE(ColourCountText(QVariant()), QString());
    }

    void cellsThatTakeStampsAndEntries_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("closingMark");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("stamp"); // clicks, typing and Delete
        QTest::addColumn<bool>("entry"); // an ended edit is kept
        QTest::addColumn<bool>("click"); // a click stamps
        // clang-format off
        QTest::newRow("預定日, empty") << u"預定日"_s << QString() << QString() << true << true << true;
        QTest::newRow("完工日, blanks") << u"完工日"_s << u"  "_s << u" "_s << true << true << true;
        QTest::newRow("完工日, stamped") << u"完工日"_s << QString() << u"1204-08"_s << true << true << false;
        QTest::newRow("完工日, closed row") << u"完工日"_s << u"11512"_s << QString() << false << false << false;
        QTest::newRow("順序, closed row") << u"順序"_s << u"11512"_s << QString() << false << true << false;
        QTest::newRow("數量") << u"數量"_s << QString() << QString() << false << false << false;
        // clang-format on
    }
    void cellsThatTakeStampsAndEntries()
    {
        QFETCH(QString, heading);
        QFETCH(QString, closingMark);
        QFETCH(QString, cell);
        QTEST(TakesStamp(heading, closingMark), "stamp");
        QTEST(TakesEntry(heading, closingMark), "entry");
        QTEST(ClickStamps(heading, closingMark, cell), "click");
    }

    void keys_data()
    {
        QTest::addColumn<bool>("typed"); // a character typed, or else a key down
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("takesStamp");
        QTest::addColumn<int>("passed"); // 0: swallowed
        QTest::addColumn<bool>("marks");
        // clang-format off
        QTest::newRow("character, stamp cell") << true << int('1') << true << int('1') << true;
        QTest::newRow("character elsewhere") << true << int('1') << false << 0 << false;
        QTest::newRow("Backspace elsewhere") << true << 8 << false << 8 << false;
        QTest::newRow("Enter elsewhere") << true << 13 << false << 13 << false;
        QTest::newRow("Delete, stamp cell") << false << VirtualKey::Delete << true << VirtualKey::Delete << true;
        QTest::newRow("Delete elsewhere") << false << VirtualKey::Delete << false << 0 << false;
        QTest::newRow("F2, stamp cell") << false << VirtualKey::F2 << true << 0 << false;
        QTest::newRow("Left elsewhere") << false << VirtualKey::Left << false << VirtualKey::Left << false;
        // clang-format on
    }
    void keys()
    {
        QFETCH(bool, typed);
        QFETCH(int, code);
        QFETCH(bool, takesStamp);
        const KeyEffect effect =
            typed ? TypedKeyEffect(code, takesStamp) : KeyDownEffect(code, takesStamp);
        QTEST(effect.code, "passed");
        QTEST(effect.marks, "marks");
    }

    void entryLimits_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("stamp cut") << u"預定日"_s << u"12345678"_s << u"1234567"_s << u"最多只可輸入7個字元!"_s;
        QTest::newRow("stamp fits") << u"完工日"_s << u"1204-16"_s << u"1204-16"_s << QString();
        QTest::newRow("stamp in bytes") << u"完工日"_s << u"中文字元"_s << u"中文字"_s << u"最多只可輸入7個字元!"_s;
        QTest::newRow("running order cut") << u"順序"_s << u"12345678901"_s << u"1234567890"_s << u"最多只可輸入10個字元!"_s;
        QTest::newRow("other column, untouched") << u"數量"_s << u"12345678901"_s << QString() << QString();
        // clang-format on
    }
    void entryLimits()
    {
        QFETCH(QString, heading);
        QFETCH(QString, entry);
        const LimitedEntry limited = LimitScheduleEntry(heading, entry);
        QTEST(limited.setsText ? limited.text : QString(), "kept");
        QTEST(limited.message, "message");
    }

    void linesToSaveAreTheMarkedListedRows()
    {
        // Four listed rows and one below. Rows 1 and 2 list one line (its work order has
        // two ITEM_P rows), stamped on either copy; row 4 has only its running order marked.
        QVector<QVector<QString>> cells(5, QVector<QString>(C::Last));
        for (int r = 0; r < 5; ++r) {
            cells[r][C::Po - 1] = u" A115112%1 "_s.arg(r == 1 ? 1 : r + 1);
            cells[r][C::No - 1] = u"2"_s;
            cells[r][C::ScheduleId - 1] = u" P1151208 "_s;
            cells[r][C::ScheduleLine - 1] = u"13"_s;
            cells[r][C::Completion - 1] = u" 1204-14 "_s;
        }
        cells[0][C::Planned - 1] = u" 1204-09 "_s;
        cells[1][C::Planned - 1] = u"1204-08"_s; // as listed
        cells[1][C::Completion - 1] = u"1204-15"_s;
        RecordArray records(C::Last, QVector<QVariant>(4));
        records[C::Planned - 1] = {u"1204-08"_s, u"1204-08"_s, u"1203-09"_s, QVariant()};
        records[C::Completion - 1] = {QVariant(), QVariant(), u"1201-14"_s, QVariant()};
        ScheduleMarks marks;
        marks.reset(5, C::Last);
        for (const auto &[row, col] :
             {std::pair(1, C::Planned), std::pair(2, C::Completion), std::pair(3, C::Completion),
              std::pair(4, C::Order), std::pair(5, C::Completion)})
            marks.mark(row, col);

        const auto lines = LinesToSave(cells, 4, marks, ListedStampsOf(records));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].po, u"A1151121"_s);
        QCOMPARE(lines[0].listedPlanned, u"1204-08"_s);
        QCOMPARE(lines[0].planned + u'/' + lines[0].completion, u"1204-09/1204-15"_s);
        const CompletionLine &third = lines[1];
        QCOMPARE(third.po, u"A1151123"_s);
        QCOMPARE(third.no, 2.0);
        QCOMPARE(third.id, u"P1151208"_s);
        QCOMPARE(third.ino, 13.0);
        QCOMPARE(third.planned, QString());
        QCOMPARE(third.completion, u"1204-14"_s);
        QCOMPARE(third.listedPlanned, u"1203-09"_s);
        QCOMPARE(third.listedCompletion, u"1201-14"_s);
        marks.reset(5, C::Last); // a new listing
        QVERIFY(LinesToSave(cells, 4, marks, {}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScheduleRules)
#include "tst_schedulerules.moc"
