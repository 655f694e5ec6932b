#include "startup/loadsettings.h"

#include "common/numbertext.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/jetval.h"
#include "db/recordset.h"
#include "startup/commandline.h"
#include "startup/sessionsettings.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QStringList kPermissionColumns = {
    u"估價審單金額"_s, u"採購審單金額"_s, u"工單作業權限"_s, u"生產管理權限"_s, u"成本分析權限"_s,
    u"基本資料權限"_s, u"應收帳款權限"_s, u"應付帳款權限"_s, u"物料管理權限"_s, u"產品管理權限"_s,
    u"印刷作業權限"_s, u"製版作業權限"_s, u"發票權限"_s,     u"其它權限"_s,     u"報價權限"_s,
    u"維護權限"_s,     u"會計權限"_s,     u"績效權限"_s,     u"稽核權限"_s,     u"速算權限"_s,
    u"運送權限"_s,     u"授信額度權限"_s, u"產能權限"_s,     u"CRM權限"_s,      u"網印權限"_s,
    u"代收權限"_s,     u"雜支權限"_s,     u"刀模權限"_s,     u"標籤權限"_s,     u"公告權限"_s,
    u"寄庫權限"_s,     u"捲筒權限"_s,     u"接稿權限"_s,
};

const QStringList kDetailPermissionColumns = {
    u"工單作業細部"_s, u"生產管理細部"_s, u"成本分析細部"_s, u"基本資料細部"_s, u"應收帳款細部"_s,
    u"應付帳款細部"_s, u"物料管理細部"_s, u"產品管理細部"_s, u"印刷作業細部"_s, u"製版作業細部"_s,
    u"發票細部"_s,     u"其它細部"_s,     u"報價細部"_s,     u"維護細部"_s,     u"會計細部"_s,
    u"績效細部"_s,     u"稽核細部"_s,     u"速算細部"_s,     u"運送細部"_s,     u"產能細部"_s,
    u"CRM細部"_s,      u"網印細部"_s,     u"代收細部"_s,     u"雜支細部"_s,     u"刀模細部"_s,
    u"標籤細部"_s,     u"公告細部"_s,     u"寄庫細部"_s,     u"捲筒細部"_s,     u"接稿細部"_s,
};

// A column as the settings keep it: Null as empty text, trimmed.
QString field(const Recordset &rs, const QString &column)
{
    return rs.text(column).trimmed();
}

// Opens a statement and hands its first row to `read` when there is one.
template <typename Read>
void readFirstRow(Connection &connection, const QString &sql, const QVariantList &params, Read read)
{
    Recordset rs(connection);
    rs.open(sql, params);
    if (rs.recordCount() > 0)
        read(rs);
    rs.close();
}

void readEmployee(SessionSettings &s, const Recordset &rs)
{
    for (int i = 0; i < 20; ++i)
        s.EmployeeGroup[i] = field(rs, i == 0 ? u"GROUP"_s : u"GROUP%1"_s.arg(i));
    s.ExtensionNo = field(rs, u"分機代號"_s);
}

void readIdentity(SessionSettings &s, Connection &c, const QString &commandLine)
{
    s.Ad.clear();
    s.UserName.clear();
    s.UserId.clear();
    for (QString &g : s.EmployeeGroup)
        g.clear();
    s.ExtensionNo.clear();

    const QString line = commandLine.trimmed();
    if (HasLaunchToken(line)) {
        // The fields cut before a failure keep their values.
        CommandLineIdentity id;
        try {
            CutCommandLine(line, &id);
        } catch (const CommandLineError &) {
            s.setIdentity(id);
            throw;
        }
        s.setIdentity(id);
        readFirstRow(c, u"select * from [EMPLOYEE] where ID = ?"_s, {s.UserId},
                     [&](const Recordset &rs) { readEmployee(s, rs); });
        return;
    }
    // Without the launch token start-up refuses to run; the defaults still load.
    s.XlsExt = u".xlsx"_s;
    s.DocExt = u".docx"_s;
    readFirstRow(c, u"select * from [使用者資料] where 管理者 = 'Y'"_s, {},
                 [&](const Recordset &rs) {
                     s.UserName = field(rs, u"使用者"_s);
                     s.Ad = s.UserName;
                 });
    readFirstRow(c,
                 u"select * from [EMPLOYEE] where NAME = ? and "
                 u"iif(ODATE is null,'',ODATE) = '' "_s,
                 {s.UserName}, [&](const Recordset &rs) {
                     s.UserId = field(rs, u"ID"_s);
                     readEmployee(s, rs);
                 });
}

void readCompanies(SessionSettings &s, Connection &c)
{
    readFirstRow(c, u"select * from [COMPANY] "_s, {}, [&](const Recordset &rs) {
        s.CompanyName = field(rs, u"COMPANY"_s);
        s.CompanyAddress = field(rs, u"ADD"_s);
        s.CompanyAddress1 = field(rs, u"ADD1"_s);
        s.CompanyTaxNo = field(rs, u"TNO"_s);
        s.CompanyTel = field(rs, u"TEL"_s);
        s.CompanyFax = field(rs, u"FAX"_s);
    });
    readFirstRow(c, u"select * from [COMPANY1] "_s, {}, [&](const Recordset &rs) {
        s.Company1Name = field(rs, u"COMPANY"_s);
        s.Company1Address = field(rs, u"ADD"_s);
        s.Company1TaxNo = field(rs, u"TNO"_s);
        s.Company1Tel = field(rs, u"TEL"_s);
        s.Company1Fax = field(rs, u"FAX"_s);
    });
    readFirstRow(c, u"select * from [COMPANY2] "_s, {}, [&](const Recordset &rs) {
        s.Company2Name = field(rs, u"COMPANY"_s);
        s.Company2Address = field(rs, u"ADD"_s);
        s.Company2TaxNo = field(rs, u"TNO"_s);
        s.Company2Tel = field(rs, u"TEL"_s);
        s.Company2Fax = field(rs, u"FAX"_s);
    });
}

void readSystem(SessionSettings &s, Connection &c)
{
    s.SystemItem[1].clear();
    s.MfunFlag15 = false;
    readFirstRow(c, u"select * from [SYSTEM] "_s, {}, [&](const Recordset &rs) {
        s.SystemMfun = field(rs, u"MFUN"_s);
        s.MfunFlag15 = s.SystemMfun.size() >= 15 && s.SystemMfun.at(14) == u'1';
        for (int n = 0; n <= 87; ++n) {
            if (n == 68 || n == 79)
                continue;
            const QString text = field(rs, u"ITEM%1"_s.arg(n));
            s.SystemItem[n] = (n >= 1 && n <= 3) ? NumberText(Val(text)) : text;
        }
    });
    s.SystemItem[68] = u"0"_s;
    s.SystemItem[79] = u"0"_s;

    readFirstRow(c, u"select * from [SYSTEM1] "_s, {}, [&](const Recordset &rs) {
        s.InvoiceIssueMethod = field(rs, u"發票開立方式"_s);
        s.InvoicePlatformFolder = field(rs, u"發票平台路徑"_s);
        if (!s.InvoicePlatformFolder.isEmpty())
            s.InvoicePlatformFolder += u"\\TAREK_EINVOICE\\"_s;
        for (int n : {87, 88, 89, 102, 110, 119, 120})
            s.System1Item[n] = field(rs, u"ITEM%1"_s.arg(n));
    });
}

void readPermissions(SessionSettings &s, Connection &c)
{
    readFirstRow(c, u"select * from [使用者資料] where 使用者 = ?"_s, {s.UserName},
                 [&](const Recordset &rs) {
                     for (const QString &col : kPermissionColumns)
                         s.Permissions[col] = field(rs, col);
                 });
    readFirstRow(c, u"select * from [使用者資料明細] where 使用者 = ?"_s, {s.UserName},
                 [&](const Recordset &rs) {
                     for (const QString &col : kDetailPermissionColumns)
                         s.Permissions[col] = field(rs, col);
                 });
}

short wholeNumber(const QString &text)
{
    return short(std::lround(Val(text)));
}

void readSysOs(SessionSettings &s, Connection &c)
{
    readFirstRow(c, u"select * from [SYSOS] "_s, {}, [&](const Recordset &rs) {
        s.SysOsVm = wholeNumber(field(rs, u"VM"_s));
        if (Val(field(rs, u"XP"_s)) == 1)
            s.SysOsCode = u"X"_s;
        const struct
        {
            const char *flag;
            const char *value;
            const char *code;
        } versions[] = {{"WIN7", "WIN7C", "S"},
                        {"WIN8", "WIN8C", "E"},
                        {"WIN10", "WIN10C", "T"},
                        {"WIN11", "WIN11C", "11W"}};
        for (const auto &v : versions) {
            if (Val(field(rs, QString::fromLatin1(v.flag))) == 1) {
                s.SysOsCode = QString::fromLatin1(v.code);
                s.SysOsValue = wholeNumber(field(rs, QString::fromLatin1(v.value)));
            }
        }
    });
}

} // namespace

std::optional<QString> LoadSettings(SessionSettings &s, bool reloadIdentity,
                                    const QString &commandLine, const QString &machineName)
{
    try {
        Connection c;
        c.open(s.ConnectionString);
        if (reloadIdentity)
            readIdentity(s, c, commandLine);
        readCompanies(s, c);
        readSystem(s, c);
        readPermissions(s, c);
        readSysOs(s, c);
        readFirstRow(c, u"select * from [啟用發送EAMIL] "_s, {},
                     [&](const Recordset &rs) { s.EmailEnabled = field(rs, u"啟用發送EAMIL"_s); });
        readFirstRow(c, u"select * from [SYSLOAD] where ID = ? and COMPUTER = ? "_s,
                     {s.MachineUserId, machineName},
                     [&](const Recordset &rs) { s.ExcelFolder = field(rs, u"EXCEL"_s); });
        return std::nullopt;
    } catch (const PlovError &e) { // the database's failure, or the command line's
        return e.description();
    }
}
