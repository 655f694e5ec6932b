#include "lookups/stafflist.h"

using namespace Qt::StringLiterals;

QStringList StaffListHeadings()
{
    return {u"業務員代號"_s, u"業務員名稱"_s, u"工務人員代號"_s, u"工務人員"_s};
}

LookupStatement StaffListStatement(const QString &filter)
{
    const QString pattern = ContainsPattern(filter);
    return {u"select EMPLOYEE.ID as 業務員代號, EMPLOYEE.NAME as 業務員名稱, "
            u"EMPLOYEE.工務人員代號, EMPLOYEE.工務人員 from EMPLOYEE "
            u"Where (EMPLOYEE.ID Like ? or EMPLOYEE.NAME Like ?) "
            u"and EMPLOYEE.部門 <> '運送部' and EMPLOYEE.ODATE = '' Order By EMPLOYEE.ID"_s,
            {pattern, pattern}};
}

LookupRows ReadStaffList(const QString &connectionString, const QString &filter)
{
    return ReadLookupRows(connectionString, StaffListStatement(filter));
}
