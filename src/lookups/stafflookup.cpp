#include "lookups/stafflookup.h"

#include "common/handoff.h"
#include "common/waitcursor.h"
#include "lookups/stafflist.h"
#include "startup/sessionsettings.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

LookupOpener &installedOpener()
{
    static LookupOpener opener;
    return opener;
}

} // namespace

void SetStaffLookupOpener(LookupOpener opener)
{
    installedOpener() = std::move(opener);
}

void OpenStaffLookup(QWidget *caller)
{
    if (installedOpener()) {
        installedOpener()(caller);
        return;
    }
    StaffLookupDialog dialog(caller);
    dialog.exec();
}

StaffLookupDialog::StaffLookupDialog(QWidget *caller)
    : LookupDialog(caller, {u"frm業務員輔助視窗1"_s,
                            u"業務員輔助視窗"_s,
                            u"篩選代號或名稱："_s,
                            {4590, 6660},
                            StaffListHeadings(),
                            {1500, 2500, 0, 0}})
{
}

void StaffLookupDialog::LoadStaffList(const QString &filter)
{
    WaitCursor wait;
    const LookupRows rows = ReadStaffList(Session().ConnectionString, filter);
    wait.restore();
    showRows(rows, u"取得所有業務員資料錯誤"_s);
}

void StaffLookupDialog::firstActivation()
{
    // The first list uses the filter as the caller handed it over, untrimmed.
    txt篩選->setText(LookupFilterText());
    LoadStaffList(LookupFilterText());
}

void StaffLookupDialog::confirm()
{
    LoadStaffList(txt篩選->text().trimmed());
}
