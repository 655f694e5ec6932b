#pragma once

#include "lookups/lookupdialog.h"

class QCheckBox;
class QComboBox;

// The vendor lookup 廠商輔助畫面 (frm廠商輔助畫面1): picks one usable vendor.
// Caller protocol: set LookupFilterText(), VendorLookupKind() and
// VendorEquipmentFlag(), call OpenVendorLookup, then read JobHandOff() slots 0
// to 8 (code, short name, RATE, telephone, contact, fax, MEMO, ADD1, 付款方式);
// an empty slot 0 means nothing was picked.
void OpenVendorLookup(QWidget *caller);

// The kind of vendor wanted (see VendorKindClause), or kAllVendors to let the
// user choose the kind of work in the dialog.
QString &VendorLookupKind();
// "設備" shows the dialog's equipment box.
QString &VendorEquipmentFlag();

class VendorLookupDialog : public LookupDialog
{
    Q_OBJECT

public:
    explicit VendorLookupDialog(QWidget *caller);

    // Lists the vendors of the kind that match the lookup filter text.
    void LoadVendorList(const QString &kind);

protected:
    void firstActivation() override;
    void confirm() override;

private:
    QLabel *lbl種類;
    QComboBox *cbo種類;
    QCheckBox *chk只秀設備;
};
