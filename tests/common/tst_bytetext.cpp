#include "common/cp950.h"
#include "common/texttrim.h"
#include "testtables.h"

using namespace Qt::StringLiterals;

class TestByteText : public QObject
{
    Q_OBJECT

private slots:
    void cp950_data()
    {
        // A text's bytes (none for bytes no text gives) and the text the bytes read as.
        AddColumns<QString, QByteArray, QString>("text", "bytes", "read");
        // clang-format off
        QTest::newRow("ASCII") << u"Ab1-"_s << QByteArray("Ab1-") << u"Ab1-"_s;
        QTest::newRow("Chinese, two bytes each") << u"中文"_s << QByteArray("\xA4\xA4\xA4\xE5") << u"中文"_s;
        QTest::newRow("one question mark for each character without a form") << u"aé中😀b"_s << QByteArray("a?\xA4\xA4?b") << u"a?中?b"_s;
        QTest::newRow("bad byte replaced alone") << QString() << QByteArray("A\xFF" "B") << u"A\uFFFDB"_s;
        QTest::newRow("cut character at the end") << QString() << QByteArray("A\xA4") << u"A\uFFFD"_s;
        // clang-format on
    }
    void cp950()
    {
        const auto text = Fetch<QString>("text");
        if (!text.isNull()) {
            QTEST(::toCp950(text), "bytes");
            QCOMPARE(Cp950ByteLength(text), Fetch<QByteArray>("bytes").size());
        }
        QTEST(::fromCp950(Fetch<QByteArray>("bytes")), "read");
    }

    void leftByBytes_data()
    {
        AddColumns<QString, int, QString>("text", "width", "left");
        // clang-format off
        QTest::newRow("fits") << "ABC" << 10 << "ABC";
        QTest::newRow("Chinese cut before the straddling character") << u"中文字"_s << 5 << u"中文"_s;
        QTest::newRow("mixed, exact width") << u"A中文"_s << 3 << u"A中"_s;
        QTest::newRow("first character too wide") << u"中"_s << 1 << "";
        QTest::newRow("negative width") << "ABC" << -3 << "";
        QTest::newRow("surrogate pair kept whole") << u"A😀B"_s << 2 << u"A😀"_s;
        // clang-format on
    }
    void leftByBytes() { QTEST(LeftByBytes(Fetch<QString>("text"), Fetch<int>("width")), "left"); }
};

QTEST_GUILESS_MAIN(TestByteText)
#include "tst_bytetext.moc"
