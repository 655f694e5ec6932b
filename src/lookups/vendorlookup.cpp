#include "lookups/vendorlookup.h"

#include "common/handoff.h"
#include "common/waitcursor.h"
#include "lookups/vendorlist.h"
#include "startup/sessionsettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

void OpenVendorLookup(QWidget *caller)
{
    VendorLookupDialog dialog(caller);
    dialog.exec();
}

QString &VendorLookupKind()
{
    static QString kind;
    return kind;
}

QString &VendorEquipmentFlag()
{
    static QString flag;
    return flag;
}

VendorLookupDialog::VendorLookupDialog(QWidget *caller)
    : LookupDialog(caller, {u"frm廠商輔助畫面1"_s,
                            u"廠商輔助畫面"_s,
                            u"代號或名稱："_s,
                            {7455, 6660},
                            VendorListHeadings(),
                            {1200, 1500, 0, 1500, 1200, 1500, 0, 0, 0},
                            false})
{
    lbl種類 = new QLabel(u"種類："_s, SSPanel1);
    lbl種類->setObjectName(u"lbl種類"_s);
    cbo種類 = new QComboBox(SSPanel1);
    cbo種類->setObjectName(u"cbo種類"_s);
    cbo種類->setMinimumContentsLength(6);
    lbl種類->setBuddy(cbo種類);
    chk只秀設備 = new QCheckBox(u"設備"_s, SSPanel1);
    chk只秀設備->setObjectName(u"chk只秀設備"_s);
    filterRow()->addWidget(lbl種類);
    filterRow()->addWidget(cbo種類);
    filterRow()->addWidget(chk只秀設備);

    const bool allVendors = VendorLookupKind() == kAllVendors;
    lbl種類->setVisible(allVendors);
    cbo種類->setVisible(allVendors);
    chk只秀設備->setVisible(VendorEquipmentFlag() == u"設備"_s);
    connect(cbo種類, &QComboBox::activated, this, &VendorLookupDialog::confirm);
    connect(chk只秀設備, &QCheckBox::clicked, this, &VendorLookupDialog::confirm);
}

void VendorLookupDialog::LoadVendorList(const QString &kind)
{
    WaitCursor wait;
    const VendorRows rows = ReadVendorList(
        Session().ConnectionString,
        {kind, LookupFilterText(), chk只秀設備->isChecked(), cbo種類->currentText()});
    wait.restore();
    if (showRows(rows, u"依類別取得廠商資料錯誤"_s) && rows.clearFilterBox)
        txt篩選->clear();
}

void VendorLookupDialog::firstActivation()
{
    txt篩選->setText(LookupFilterText());
    cbo種類->addItems(VendorWorkChoices());
    LoadVendorList(VendorLookupKind());
}

void VendorLookupDialog::confirm()
{
    LookupFilterText() = txt篩選->text().trimmed();
    LoadVendorList(VendorLookupKind());
}
