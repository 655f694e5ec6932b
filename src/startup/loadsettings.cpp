#include "loadsettings.h"

#include "commandline.h"
#include "common/numbertext.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "sessionsettings.h"

#include <cmath>

namespace {

const QStringList permissionColumns = {
    QStringLiteral("估價審單金額"), QStringLiteral("採購審單金額"), QStringLiteral("工單作業權限"),
    QStringLiteral("生產管理權限"), QStringLiteral("成本分析權限"), QStringLiteral("基本資料權限"),
    QStringLiteral("應收帳款權限"), QStringLiteral("應付帳款權限"), QStringLiteral("物料管理權限"),
    QStringLiteral("產品管理權限"), QStringLiteral("印刷作業權限"), QStringLiteral("製版作業權限"),
    QStringLiteral("發票權限"),     QStringLiteral("其它權限"),     QStringLiteral("報價權限"),
    QStringLiteral("維護權限"),     QStringLiteral("會計權限"),     QStringLiteral("績效權限"),
    QStringLiteral("稽核權限"),     QStringLiteral("速算權限"),     QStringLiteral("運送權限"),
    QStringLiteral("授信額度權限"), QStringLiteral("產能權限"),     QStringLiteral("CRM權限"),
    QStringLiteral("網印權限"),     QStringLiteral("代收權限"),     QStringLiteral("雜支權限"),
    QStringLiteral("刀模權限"),     QStringLiteral("標籤權限"),     QStringLiteral("公告權限"),
    QStringLiteral("寄庫權限"),     QStringLiteral("捲筒權限"),     QStringLiteral("接稿權限"),
};

const QStringList detailPermissionColumns = {
    QStringLiteral("工單作業細部"), QStringLiteral("生產管理細部"), QStringLiteral("成本分析細部"),
    QStringLiteral("基本資料細部"), QStringLiteral("應收帳款細部"), QStringLiteral("應付帳款細部"),
    QStringLiteral("物料管理細部"), QStringLiteral("產品管理細部"), QStringLiteral("印刷作業細部"),
    QStringLiteral("製版作業細部"), QStringLiteral("發票細部"),     QStringLiteral("其它細部"),
    QStringLiteral("報價細部"),     QStringLiteral("維護細部"),     QStringLiteral("會計細部"),
    QStringLiteral("績效細部"),     QStringLiteral("稽核細部"),     QStringLiteral("速算細部"),
    QStringLiteral("運送細部"),     QStringLiteral("產能細部"),     QStringLiteral("CRM細部"),
    QStringLiteral("網印細部"),     QStringLiteral("代收細部"),     QStringLiteral("雜支細部"),
    QStringLiteral("刀模細部"),     QStringLiteral("標籤細部"),     QStringLiteral("公告細部"),
    QStringLiteral("寄庫細部"),     QStringLiteral("捲筒細部"),     QStringLiteral("接稿細部"),
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
        s.EmployeeGroup[i] =
            field(rs, i == 0 ? QStringLiteral("GROUP") : QStringLiteral("GROUP%1").arg(i));
    s.ExtensionNo = field(rs, QStringLiteral("分機代號"));
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
        } catch (const DbError &) {
            s.setIdentity(id);
            throw;
        }
        s.setIdentity(id);
        readFirstRow(c, QStringLiteral("select * from [EMPLOYEE] where ID = ?"), {s.UserId},
                     [&](const Recordset &rs) { readEmployee(s, rs); });
        return;
    }
    // Without the launch token start-up refuses to run; the defaults still load.
    s.XlsExt = QStringLiteral(".xlsx");
    s.DocExt = QStringLiteral(".docx");
    readFirstRow(c, QStringLiteral("select * from [使用者資料] where 管理者 = 'Y'"), {},
                 [&](const Recordset &rs) {
                     s.UserName = field(rs, QStringLiteral("使用者"));
                     s.Ad = s.UserName;
                 });
    readFirstRow(c,
                 QStringLiteral("select * from [EMPLOYEE] where NAME = ? and "
                                "iif(ODATE is null,'',ODATE) = '' "),
                 {s.UserName}, [&](const Recordset &rs) {
                     s.UserId = field(rs, QStringLiteral("ID"));
                     readEmployee(s, rs);
                 });
}

void readCompanies(SessionSettings &s, Connection &c)
{
    readFirstRow(c, QStringLiteral("select * from [COMPANY] "), {}, [&](const Recordset &rs) {
        s.CompanyName = field(rs, QStringLiteral("COMPANY"));
        s.CompanyAddress = field(rs, QStringLiteral("ADD"));
        s.CompanyAddress1 = field(rs, QStringLiteral("ADD1"));
        s.CompanyTaxNo = field(rs, QStringLiteral("TNO"));
        s.CompanyTel = field(rs, QStringLiteral("TEL"));
        s.CompanyFax = field(rs, QStringLiteral("FAX"));
    });
    readFirstRow(c, QStringLiteral("select * from [COMPANY1] "), {}, [&](const Recordset &rs) {
        s.Company1Name = field(rs, QStringLiteral("COMPANY"));
        s.Company1Address = field(rs, QStringLiteral("ADD"));
        s.Company1TaxNo = field(rs, QStringLiteral("TNO"));
        s.Company1Tel = field(rs, QStringLiteral("TEL"));
        s.Company1Fax = field(rs, QStringLiteral("FAX"));
    });
    readFirstRow(c, QStringLiteral("select * from [COMPANY2] "), {}, [&](const Recordset &rs) {
        s.Company2Name = field(rs, QStringLiteral("COMPANY"));
        s.Company2Address = field(rs, QStringLiteral("ADD"));
        s.Company2TaxNo = field(rs, QStringLiteral("TNO"));
        s.Company2Tel = field(rs, QStringLiteral("TEL"));
        s.Company2Fax = field(rs, QStringLiteral("FAX"));
    });
}

void readSystem(SessionSettings &s, Connection &c)
{
    s.SystemItem[1].clear();
    s.MfunFlag15 = false;
    readFirstRow(c, QStringLiteral("select * from [SYSTEM] "), {}, [&](const Recordset &rs) {
        s.SystemMfun = field(rs, QStringLiteral("MFUN"));
        s.MfunFlag15 = s.SystemMfun.size() >= 15 && s.SystemMfun.at(14) == u'1';
        for (int n = 0; n <= 87; ++n) {
            if (n == 68 || n == 79)
                continue;
            const QString text = field(rs, QStringLiteral("ITEM%1").arg(n));
            s.SystemItem[n] = (n >= 1 && n <= 3) ? NumberText(Val(text)) : text;
        }
    });
    s.SystemItem[68] = QStringLiteral("0");
    s.SystemItem[79] = QStringLiteral("0");

    readFirstRow(c, QStringLiteral("select * from [SYSTEM1] "), {}, [&](const Recordset &rs) {
        s.InvoiceIssueMethod = field(rs, QStringLiteral("發票開立方式"));
        s.InvoicePlatformFolder = field(rs, QStringLiteral("發票平台路徑"));
        if (!s.InvoicePlatformFolder.isEmpty())
            s.InvoicePlatformFolder += QStringLiteral("\\TAREK_EINVOICE\\");
        for (int n : {87, 88, 89, 102, 110, 119, 120})
            s.System1Item[n] = field(rs, QStringLiteral("ITEM%1").arg(n));
    });
}

void readPermissions(SessionSettings &s, Connection &c)
{
    readFirstRow(c, QStringLiteral("select * from [使用者資料] where 使用者 = ?"), {s.UserName},
                 [&](const Recordset &rs) {
                     for (const QString &col : permissionColumns)
                         s.Permissions[col] = field(rs, col);
                 });
    readFirstRow(c, QStringLiteral("select * from [使用者資料明細] where 使用者 = ?"), {s.UserName},
                 [&](const Recordset &rs) {
                     for (const QString &col : detailPermissionColumns)
                         s.Permissions[col] = field(rs, col);
                 });
}

short wholeNumber(const QString &text)
{
    return short(std::lround(Val(text)));
}

void readSysOs(SessionSettings &s, Connection &c)
{
    readFirstRow(c, QStringLiteral("select * from [SYSOS] "), {}, [&](const Recordset &rs) {
        s.SysOsVm = wholeNumber(field(rs, QStringLiteral("VM")));
        if (Val(field(rs, QStringLiteral("XP"))) == 1)
            s.SysOsCode = QStringLiteral("X");
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
        readFirstRow(c, QStringLiteral("select * from [啟用發送EAMIL] "), {},
                     [&](const Recordset &rs) {
                         s.EmailEnabled = field(rs, QStringLiteral("啟用發送EAMIL"));
                     });
        readFirstRow(c, QStringLiteral("select * from [SYSLOAD] where ID = ? and COMPUTER = ? "),
                     {s.MachineUserId, machineName}, [&](const Recordset &rs) {
                         s.ExcelFolder = field(rs, QStringLiteral("EXCEL"));
                     });
        return std::nullopt;
    } catch (const DbError &e) {
        return e.description();
    }
}
