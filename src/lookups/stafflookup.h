#pragma once

#include "lookups/lookupdialog.h"

#include <functional>

// The staff lookup 業務員輔助視窗 (frm業務員輔助視窗1): picks one current staff
// member. Caller protocol: set LookupFilterText(), call OpenStaffLookup, then
// read JobHandOff() slots 0 to 3 (code, name, 工務人員代號, 工務人員); an empty
// slot 0 means nothing was picked.
void OpenStaffLookup(QWidget *caller);

// What OpenStaffLookup runs instead of the dialog, so that tests of a calling
// screen need not meet a modal dialog; an empty function puts the dialog back.
using LookupOpener = std::function<void(QWidget *caller)>;
void SetStaffLookupOpener(LookupOpener opener);

class StaffLookupDialog : public LookupDialog
{
    Q_OBJECT

public:
    explicit StaffLookupDialog(QWidget *caller);

    // Lists the staff whose code or name contains the filter, as given.
    void LoadStaffList(const QString &filter);

protected:
    void firstActivation() override;
    void confirm() override;
};
