#include "common/cp950.h"
#include "common/texttrim.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestByteText : public QObject
{
    Q_OBJECT

private slots:
    void byteLength_data();
    void byteLength();
    void toCp950_data();
    void toCp950();
    void fromCp950_data();
    void fromCp950();
    void roundTrip();
    void leftByBytes_data();
    void leftByBytes();
    void leftByBytesFitsItsWidth();
};

void TestByteText::byteLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("ASCII") << "ABC" << 3;
    QTest::newRow("Chinese") << u"中文字"_s << 6;
    QTest::newRow("mixed") << u"A中B"_s << 4;
    QTest::newRow("full-width digit") << u"１"_s << 2;
    QTest::newRow("euro sign") << u"€"_s << 2;
    QTest::newRow("stamp") << "1151204-14:05" << 13;
    QTest::newRow("no CP950 form") << u"é"_s << 1;
    QTest::newRow("outside the BMP") << u"😀"_s << 1;
}

void TestByteText::byteLength()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(Cp950ByteLength(text), bytes);
}

void TestByteText::toCp950_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ASCII") << "Ab1-" << QByteArray("Ab1-");
    QTest::newRow("Chinese") << u"中文"_s << QByteArray("\xA4\xA4\xA4\xE5");
    QTest::newRow("question marks for the rest") << u"aé中😀b"_s << QByteArray("a?\xA4\xA4?b");
}

void TestByteText::toCp950()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(::toCp950(text), bytes);
}

void TestByteText::fromCp950_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("Chinese") << QByteArray("\xA4\xA4\xA4\xE5") << u"中文"_s;
    QTest::newRow("bad byte replaced alone") << QByteArray("A\xFF"
                                                           "B")
                                             << u"A\uFFFDB"_s;
    QTest::newRow("cut character at the end") << QByteArray("A\xA4") << u"A\uFFFD"_s;
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestByteText::fromCp950()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(::fromCp950(bytes), text);
}

void TestByteText::roundTrip()
{
    const QString text = u"印刷日報 No.12 完工"_s;
    QCOMPARE(::fromCp950(::toCp950(text)), text);
}

void TestByteText::leftByBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fits") << "ABC" << 10 << "ABC";
    QTest::newRow("empty text") << "" << 5 << "";
    QTest::newRow("Chinese, odd width") << u"中文字"_s << 5 << u"中文"_s;
    QTest::newRow("Chinese, exact width") << u"中文字"_s << 6 << u"中文字"_s;
    QTest::newRow("mixed, straddling") << u"A中文"_s << 4 << u"A中"_s;
    QTest::newRow("mixed, exact") << u"A中文"_s << 3 << u"A中"_s;
    QTest::newRow("ASCII cut") << "12345678" << 7 << "1234567";
    QTest::newRow("six Chinese to ten bytes") << u"一二三四五六"_s << 10 << u"一二三四五"_s;
    QTest::newRow("first character too wide") << u"中"_s << 1 << "";
    QTest::newRow("zero width") << "ABC" << 0 << "";
    QTest::newRow("negative width") << "ABC" << -3 << "";
    QTest::newRow("surrogate pair kept whole") << u"A😀B"_s << 2 << u"A😀"_s;
}

void TestByteText::leftByBytes()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(LeftByBytes(text, width), expected);
}

void TestByteText::leftByBytesFitsItsWidth()
{
    // Whatever the width, the result fits it, and one more character would not.
    const QString text = u"A中B文字CD印刷"_s;
    for (int width = 0; width <= Cp950ByteLength(text) + 1; ++width) {
        const QString cut = LeftByBytes(text, width);
        QVERIFY2(text.startsWith(cut), qPrintable(cut));
        QVERIFY(Cp950ByteLength(cut) <= width);
        if (cut.size() < text.size())
            QVERIFY(Cp950ByteLength(text.left(cut.size() + 1)) > width);
    }
}

QTEST_GUILESS_MAIN(TestByteText)
#include "tst_bytetext.moc"
