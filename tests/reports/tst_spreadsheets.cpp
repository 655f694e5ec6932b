// Spreadsheet files without a database: the CSV's text, the workbook read back
// by another program, the file written whole or not at all, and the rules that
// turn the main screen's listing into a sheet and name its file.

#include "reports/listingsheet.h"
#include "reports/sheetfile.h"
#include "testtables.h"
#include "workbookrows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// A cell written as "n:12" for a number, "t:x" for a text, "" for an empty cell.
QString Written(const QVariant &cell)
{
    if (cell.isNull())
        return {};
    return cell.typeId() == QMetaType::Double ? u"n:"_s + QString::number(cell.toDouble(), 'g', 15)
                                              : u"t:"_s + cell.toString();
}

const SheetTable Sample{u"印刷排程"_s,
                        {u"工單單號"_s, u"品名"_s, u"台數"_s, u"耗時"_s},
                        {{u"A1151121"_s, u"感冒糖漿外盒, 大"_s, 1200.0, 2.5},
                         {u"0012"_s, u"說\"明\"\n第二行"_s, QVariant(), -0.25}}};

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class TestSpreadsheets : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void csvText()
    {
        const QByteArray bytes = CsvBytes(Sample);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(QString::fromUtf8(bytes.mid(3)), u"工單單號,品名,台數,耗時\r\n"
                                                  u"A1151121,\"感冒糖漿外盒, 大\",1200,2.5\r\n"
                                                  u"0012,\"說\"\"明\"\"\n第二行\",,-0.25\r\n"_s);
    }

    // Another program reads the workbook back: headings, texts as texts, numbers
    // as numbers, empty cells empty.
    void workbookReadBack()
    {
        const QString file = m_dir.filePath(u"sample.xlsx"_s);
        QCOMPARE(WriteSheetFile(Sample, file), std::nullopt);
        QCOMPARE(WorkbookRows(file), QStringList({
                                         u"[印刷排程]"_s,
                                         u"t:工單單號|t:品名|t:台數|t:耗時"_s,
                                         u"t:A1151121|t:感冒糖漿外盒, 大|n:1200|n:2.5"_s,
                                         u"t:0012|t:說\"明\"\\n第二行||n:-0.25"_s,
                                     }));
    }

    // A file is written whole or not at all: a folder that cannot take it leaves
    // nothing, and a name held by a folder leaves that folder as it was.
    void failedWritesLeaveNoFile_data()
    {
        AddColumns<QString>("extension");
        QTest::newRow("workbook") << u".xlsx"_s;
        QTest::newRow("csv") << u".csv"_s;
    }
    void failedWritesLeaveNoFile()
    {
        const QString extension = Fetch<QString>("extension");
        const QString folder = m_dir.filePath(u"out"_s + extension);
        QVERIFY(QDir().mkpath(folder));
        const QString notAFolder = QDir(folder).filePath(u"plain.txt"_s);
        QFile plain(notAFolder);
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("x") == 1);
        plain.close();
        QVERIFY(QDir(folder).mkdir(u"taken"_s + extension));

        for (const QString &path :
             {QDir(folder).filePath(u"missing/a"_s + extension), notAFolder + u"/a"_s + extension,
              QDir(folder).filePath(u"taken"_s + extension)}) {
            const std::optional<QString> error = WriteSheetFile(Sample, path);
            QVERIFY2(error && error->startsWith(u"無法寫入 "_s + path), qPrintable(path));
        }
        QCOMPARE(FilesIn(folder), QStringList({u"plain.txt"_s, u"taken"_s + extension}));
        QCOMPARE(FilesIn(QDir(folder).filePath(u"taken"_s + extension)), QStringList());
    }

    void listingCells_data()
    {
        AddColumns<QString, bool, QString>("shown", "keepsText", "cell");
        // clang-format off
        QTest::newRow("a whole number") << u"12"_s << false << u"n:12"_s;
        QTest::newRow("a negative decimal") << u"-2.5"_s << false << u"n:-2.5"_s;
        QTest::newRow("blanks around it") << u" 3 "_s << false << u"n:3"_s;
        QTest::newRow("trailing zero shows") << u"2.50"_s << false << u"t:2.50"_s;
        QTest::newRow("leading zero shows") << u"0012"_s << false << u"t:0012"_s;
        QTest::newRow("grouped") << u"1,200"_s << false << u"t:1,200"_s;
        QTest::newRow("quantity with units") << u"0.167令+80張"_s << false << u"t:0.167令+80張"_s;
        QTest::newRow("a date kept as text") << u"1151204"_s << true << u"t:1151204"_s;
        QTest::newRow("empty") << QString() << false << u"t:"_s;
        // clang-format on
    }
    void listingCells()
    {
        QCOMPARE(Written(ListingCellValue(Fetch<QString>("shown"), Fetch<bool>("keepsText"))),
                 Fetch<QString>("cell"));
    }

    void listingColumnsKeptAsText()
    {
        const QStringList headings{u"工單單號"_s, u"序"_s, u"預定日"_s, u"完工日"_s, u"耗時"_s};
        const SheetTable sheet =
            ListingSheet(headings, {{u"1151121"_s, u"1"_s, u"1151204"_s, u"1204-14"_s, u"2.5"_s}});
        QStringList cells;
        for (const QVariant &cell : sheet.rows.first())
            cells.append(Written(cell));
        QCOMPARE(cells.join(u'|'), u"t:1151121|n:1|t:1151204|t:1204-14|n:2.5"_s);
    }

    // The listing's file: the press and the moment in its name, the extension the
    // shop prefers when it is one the program writes.
    void listingFileName_data()
    {
        AddColumns<QString, QString, QString>("press", "preferred", "name");
        // clang-format off
        QTest::newRow("press and moment") << u" 海德堡四色 "_s << u".xlsx"_s << u"印刷排程_海德堡四色_1151207-1405.xlsx"_s;
        QTest::newRow("no press, csv in capitals") << QString() << u".CSV"_s << u"印刷排程_1151207-1405.csv"_s;
        QTest::newRow("characters a name cannot hold, csv without its dot") << u"A/B:C"_s << u"csv"_s << u"印刷排程_A_B_C_1151207-1405.csv"_s;
        QTest::newRow("an old workbook") << u"P"_s << u".xls"_s << u"印刷排程_P_1151207-1405.xlsx"_s;
        QTest::newRow("no extension") << u"P"_s << QString() << u"印刷排程_P_1151207-1405.xlsx"_s;
        // clang-format on
    }
    void listingFileName()
    {
        const QDateTime moment(QDate(2026, 12, 7), QTime(14, 5, 59));
        QCOMPARE(ListingFileName(Fetch<QString>("press"), moment,
                                 SheetFileExtension(Fetch<QString>("preferred"))),
                 Fetch<QString>("name"));
    }

    void spreadsheetFolder_data()
    {
        AddColumns<QString, QString>("excelFolder", "folder");
        // clang-format off
        QTest::newRow("a folder of this system") << u"/srv/excel/"_s << u"/srv/excel/"_s;
        QTest::newRow("the suite's default drive") << u"C:\\"_s << u"/home/op/Documents"_s;
        QTest::newRow("a drive's folder") << u"d:/報表"_s << u"/home/op/Documents"_s;
        QTest::newRow("a Windows share") << u"\\\\server\\excel"_s << u"/home/op/Documents"_s;
        QTest::newRow("nothing") << u"  "_s << u"/home/op/Documents"_s;
        // clang-format on
    }
    void spreadsheetFolder()
    {
        QCOMPARE(SpreadsheetFolder(Fetch<QString>("excelFolder"), u"/home/op/Documents"_s),
                 Fetch<QString>("folder"));
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheets)
#include "tst_spreadsheets.moc"
