// Qt's own buttons and the program's own texts speak Chinese once the
// translations are installed, as the program installs them at start.

#include "common/translations.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(InstallChineseTranslations()); }

    void standardButtonsAreChinese_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("button");
        QTest::addColumn<QString>("caption");
        // clang-format off
        QTest::newRow("yes") << QMessageBox::Yes << u"是"_s;
        QTest::newRow("no")  << QMessageBox::No  << u"否"_s;
        QTest::newRow("ok")  << QMessageBox::Ok  << u"確定"_s;
        // clang-format on
    }
    void standardButtonsAreChinese()
    {
        QFETCH(QMessageBox::StandardButton, button);
        QFETCH(QString, caption);
        QMessageBox box(QMessageBox::Question, u"詢問"_s, u"確定離開嗎？"_s,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
        const QString text = box.button(button)->text();
        QVERIFY2(text.startsWith(caption), qPrintable(text));
    }

    void ownTextsAreChinese()
    {
        // The grid's name as a screen reader announces it.
        QCOMPARE(QCoreApplication::translate("SpreadsheetGrid", "Grid"), u"表格"_s);
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
