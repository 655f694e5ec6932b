#include "lookups/vendorlist.h"

#include "grid/choiceitems.h"

using namespace Qt::StringLiterals;

namespace {

const QString kSelect =
    u"SELECT VENDER.ID as 廠商代號, VENDER.SNAME as 廠商簡稱, VENDER.RATE, VENDER.TEL1 as 電話, "
    u"VENDER.NAM2 as 聯絡人, VENDER.FAX as 傳真, VENDER.MEMO, VENDER.ADD1, VENDER.付款方式 "
    u"From [VENDER] "_s;
// Closes the parenthesis opened before it: a vendor is usable unless suspended.
const QString kUsable = u"VENDER.停用 = '0' or VENDER.停用 = '' or VENDER.停用 is null) "_s;
const QString kOrder = u"Order By VENDER.ID"_s;

QString equipmentClause(const VendorListRequest &request)
{
    return request.equipmentOnly ? u"and 製作 <> 0 "_s : QString();
}

} // namespace

QStringList VendorListHeadings()
{
    return {u"廠商代號"_s, u"廠商簡稱"_s, u"RATE"_s, u"電話"_s,    u"聯絡人"_s,
            u"傳真"_s,     u"MEMO"_s,     u"ADD1"_s, u"付款方式"_s};
}

QStringList VendorWorkChoices()
{
    QStringList choices{QString()};
    for (int i = 0; i < WorkKinds().size(); ++i)
        choices.append(QChar(u'A' + i) + u'-' + WorkKinds().at(i));
    return choices;
}

QString VendorKindClause(const QString &kind)
{
    if (kind == u"紙品採購"_s)
        return u"Where (ITEM3 = '1' or ITEM6 = '1' or ITEM14 = '1') "_s;
    qsizetype flag = WorkKinds().indexOf(kind);
    if (kind == u"裁工"_s)
        flag = WorkKinds().indexOf(u"裁摺"_s);
    else if (kind == u"其他"_s)
        flag = WorkKinds().indexOf(u"其它"_s);
    if (flag < 0)
        return u"Where VENDER.ID like '%' "_s;
    return u"Where ITEM%1 = '1' "_s.arg(flag + 1);
}

QString VendorWorkClause(const QString &choice)
{
    const qsizetype flag = VendorWorkChoices().indexOf(choice.trimmed());
    if (flag <= 0)
        return {};
    return u" and VENDER.ITEM%1 = '1' "_s.arg(flag);
}

LookupStatement VendorListStatement(const VendorListRequest &request)
{
    const QString pattern = ContainsPattern(request.filter);
    if (request.kind == kAllVendors)
        return {kSelect + u"Where (VENDER.ID Like ? or VENDER.SNAME Like ?) and ( "_s + kUsable +
                    equipmentClause(request) + VendorWorkClause(request.workChoice) + kOrder,
                {pattern, pattern}};
    return {kSelect + VendorKindClause(request.kind) + equipmentClause(request) +
                u" and ( VENDER.ID Like ? or VENDER.SNAME Like ? ) and ( "_s + kUsable + kOrder,
            {pattern, pattern}};
}

LookupStatement VendorListFallbackStatement(const VendorListRequest &request)
{
    if (request.kind == kAllVendors)
        return {kSelect + u"where ("_s + kUsable + equipmentClause(request) +
                    VendorWorkClause(request.workChoice) + kOrder,
                {}};
    return {kSelect + VendorKindClause(request.kind) + equipmentClause(request) + u" and ("_s +
                kUsable + kOrder,
            {}};
}

VendorRows ReadVendorList(const QString &connectionString, const VendorListRequest &request)
{
    VendorRows result;
    static_cast<LookupRows &>(result) = ReadLookupRows(
        connectionString, VendorListStatement(request), VendorListFallbackStatement(request));
    result.clearFilterBox = result.filterDropped && request.kind != kAllVendors;
    return result;
}
