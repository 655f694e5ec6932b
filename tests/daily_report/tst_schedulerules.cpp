// The rules of the schedule grid, without a grid or a database: which cells take
// stamps and entries, what keys do there, how long entries may be, how colour
// counts show, and which lines a save writes with the stamps they were listed with.

#include "daily_report/completionsave.h"
#include "daily_report/schedulecolumns.h"
#include "grid/virtualkey.h"
#include "testtables.h"

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
        // Whether the cell takes stamps (clicks, typing and Delete), keeps an ended
        // edit, and is stamped by a click.
        AddColumns<int, QString, QString, bool, bool, bool>("col", "closingMark", "cell", "stamp",
                                                            "entry", "click");
        // clang-format off
        QTest::newRow("預定日, empty") << int(C::Planned) << QString() << QString() << true << true << true;
        QTest::newRow("完工日, blanks") << int(C::Completion) << u"  "_s << u" "_s << true << true << true;
        QTest::newRow("完工日, stamped") << int(C::Completion) << QString() << u"1204-08"_s << true << true << false;
        QTest::newRow("完工日, closed row") << int(C::Completion) << u"11512"_s << QString() << false << false << false;
        QTest::newRow("順序, closed row") << int(C::Order) << u"11512"_s << QString() << false << true << false;
        QTest::newRow("數量") << int(C::Qty) << QString() << QString() << false << false << false;
        // clang-format on
    }
    void cellsThatTakeStampsAndEntries()
    {
        const int col = Fetch<int>("col");
        const QString closingMark = Fetch<QString>("closingMark");
        QTEST(TakesStamp(col, closingMark), "stamp");
        QTEST(TakesEntry(col, closingMark), "entry");
        QTEST(ClickStamps(col, closingMark, Fetch<QString>("cell")), "click");
    }

    void keys_data()
    {
        // A character typed, or else a key down; the code passed on (0: swallowed).
        AddColumns<bool, int, bool, int, bool>("typed", "code", "takesStamp", "passed", "marks");
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
        const int code = Fetch<int>("code");
        const bool takesStamp = Fetch<bool>("takesStamp");
        const KeyEffect effect = Fetch<bool>("typed") ? TypedKeyEffect(code, takesStamp)
                                                      : KeyDownEffect(code, takesStamp);
        QTEST(effect.code, "passed");
        QTEST(effect.marks, "marks");
    }

    void entryLimits_data()
    {
        AddColumns<int, QString, QString, QString>("col", "entry", "kept", "message");
        // clang-format off
        QTest::newRow("stamp cut") << int(C::Planned) << u"12345678"_s << u"1234567"_s << u"最多只可輸入7個字元!"_s;
        QTest::newRow("stamp fits") << int(C::Completion) << u"1204-16"_s << u"1204-16"_s << QString();
        QTest::newRow("stamp in bytes") << int(C::Completion) << u"中文字元"_s << u"中文字"_s << u"最多只可輸入7個字元!"_s;
        QTest::newRow("running order cut") << int(C::Order) << u"12345678901"_s << u"1234567890"_s << u"最多只可輸入10個字元!"_s;
        QTest::newRow("other column, untouched") << int(C::Qty) << u"12345678901"_s << QString() << QString();
        // clang-format on
    }
    void entryLimits()
    {
        const LimitedEntry limited = LimitScheduleEntry(Fetch<int>("col"), Fetch<QString>("entry"));
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

        // Each line as po|no|id|ino|planned|completion|listed planned|listed completion.
        QStringList saved;
        for (const CompletionLine &l : LinesToSave(cells, 4, marks, ListedStampsOf(records)))
            saved << u"%1|%2|%3|%4|%5|%6|%7|%8"_s.arg(
                l.po, QString::number(l.no), l.id, QString::number(l.ino), l.planned, l.completion,
                l.listedPlanned.value_or(u"-"_s), l.listedCompletion.value_or(u"-"_s));
        QCOMPARE(saved, QStringList({u"A1151121|2|P1151208|13|1204-09|1204-15|1204-08|"_s,
                                     u"A1151123|2|P1151208|13||1204-14|1203-09|1201-14"_s}));
        marks.reset(5, C::Last); // a new listing
        QVERIFY(LinesToSave(cells, 4, marks, {}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScheduleRules)
#include "tst_schedulerules.moc"
