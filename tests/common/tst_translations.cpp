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
    void qtsAndOwnTextsAreChinese()
    {
        QVERIFY(InstallChineseTranslations());
        QMessageBox box(QMessageBox::Question, u"詢問"_s, u"確定離開嗎？"_s,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
        QStringList captions; // with their keys: 是(&Y)
        for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok})
            captions << box.button(button)->text().section(u'(', 0, 0);
        QCOMPARE(captions, (QStringList{u"是"_s, u"否"_s, u"確定"_s}));
        // The grid's name as a screen reader announces it.
        QCOMPARE(QCoreApplication::translate("SpreadsheetGrid", "Grid"), u"表格"_s);
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
