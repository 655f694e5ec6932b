#include "time_sheet/operatorlookup.h"

#include "common/handoff.h"
#include "common/messagebox.h"
#include "lookups/stafflookup.h"
#include "startup/sessionsettings.h"

using namespace Qt::StringLiterals;

namespace {

std::optional<StaffMember> operatorInHandOff()
{
    const QString id = JobHandOff()[0].trimmed();
    if (id.isEmpty())
        return std::nullopt;
    return StaffMember{id, JobHandOff()[1].trimmed()};
}

} // namespace

std::optional<StaffMember> PickOperator(QWidget *parent)
{
    OpenStaffLookup(parent);
    return operatorInHandOff();
}

std::optional<StaffMember> FindOperator(QWidget *parent, const QString &typed)
{
    ClearJobHandOff();
    const StoreRead<std::optional<StaffMember>> found =
        ReadOperator(Session().ConnectionString, typed);
    if (found.error) {
        ShowMessage(*found.error, u"取得業務員資料錯誤"_s, MessageService::Icon::Critical);
        return std::nullopt;
    }
    if (found.value) {
        JobHandOff()[0] = found.value->id;
        JobHandOff()[1] = found.value->name;
    }
    if (const std::optional<StaffMember> member = operatorInHandOff())
        return member;
    LookupFilterText() = typed;
    return PickOperator(parent);
}
