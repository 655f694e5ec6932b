#include "startup/loadsettings.h"

#include "common/numbertext.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/jetval.h"
#include "startup/commandline.h"
#include "startup/sessionsettings.h"

#include <QList>
#include <cmath>
#include <functional>

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

// The first row a statement read.
class FirstRow
{
public:
    FirstRow(const QStringList &columns, const QVariantList &values)
        : m_columns(columns), m_values(values)
    {
    }
    // A column as the settings keep it: Null as empty text, trimmed.
    QString field(const QString &column) const
    {
        for (qsizetype i = 0; i < m_columns.size(); ++i)
            if (m_columns.at(i).compare(column, Qt::CaseInsensitive) == 0)
                return m_values.at(i).isNull() ? QString() : m_values.at(i).toString().trimmed();
        throw DbError(u"在對應所要求名稱或序數的集合中，找不到項目：%1"_s.arg(column));
    }

private:
    const QStringList &m_columns;
    const QVariantList &m_values;
};

// A statement whose first row, when there is one, goes to `apply`.
struct Read
{
    QString sql;
    QVariantList params;
    std::function<void(const FirstRow &)> apply;
    std::function<void()> afterwards = {}; // once the statement ran, rows or none
};

// Runs the reads in one batch and applies their first rows in order; on a
// failure, those of the reads before it, then the failure throws.
void runReads(Connection &c, const QList<Read> &reads)
{
    QList<Statement> statements;
    for (const Read &read : reads)
        statements.append({read.sql, read.params});
    QVector<StatementResult> results;
    const auto apply = [&] {
        for (qsizetype i = 0; i < results.size(); ++i) {
            if (!results.at(i).rows.isEmpty())
                reads.at(i).apply(FirstRow(results.at(i).columns, results.at(i).rows.first()));
            if (reads.at(i).afterwards)
                reads.at(i).afterwards();
        }
    };
    try {
        c.runBatch(statements, results);
    } catch (const DbError &) {
        apply();
        throw;
    }
    apply();
}

void readEmployee(SessionSettings &s, const FirstRow &rs)
{
    for (int i = 0; i < 20; ++i)
        s.EmployeeGroup[i] = rs.field(i == 0 ? u"GROUP"_s : u"GROUP%1"_s.arg(i));
    s.ExtensionNo = rs.field(u"分機代號"_s);
}

void readIdentity(SessionSettings &s, Connection &c, QList<Read> &reads, const QString &commandLine)
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
        reads.append({u"select * from [EMPLOYEE] where ID = ?"_s,
                      {s.UserId},
                      [&](const FirstRow &rs) { readEmployee(s, rs); }});
        return;
    }
    // Without the launch token start-up refuses to run; the defaults still load.
    s.XlsExt = u".xlsx"_s;
    s.DocExt = u".docx"_s;
    // The administrator's name is what the reads after this one look for.
    runReads(c, {{u"select * from [使用者資料] where 管理者 = 'Y'"_s, {}, [&](const FirstRow &rs) {
                      s.UserName = rs.field(u"使用者"_s);
                      s.Ad = s.UserName;
                  }}});
    reads.append({u"select * from [EMPLOYEE] where NAME = ? and "
                  u"iif(ODATE is null,'',ODATE) = '' "_s,
                  {s.UserName},
                  [&](const FirstRow &rs) {
                      s.UserId = rs.field(u"ID"_s);
                      readEmployee(s, rs);
                  }});
}

void readCompanies(SessionSettings &s, QList<Read> &reads)
{
    reads.append({u"select * from [COMPANY] "_s, {}, [&](const FirstRow &rs) {
                      s.CompanyName = rs.field(u"COMPANY"_s);
                      s.CompanyAddress = rs.field(u"ADD"_s);
                      s.CompanyAddress1 = rs.field(u"ADD1"_s);
                      s.CompanyTaxNo = rs.field(u"TNO"_s);
                      s.CompanyTel = rs.field(u"TEL"_s);
                      s.CompanyFax = rs.field(u"FAX"_s);
                  }});
    reads.append({u"select * from [COMPANY1] "_s, {}, [&](const FirstRow &rs) {
                      s.Company1Name = rs.field(u"COMPANY"_s);
                      s.Company1Address = rs.field(u"ADD"_s);
                      s.Company1TaxNo = rs.field(u"TNO"_s);
                      s.Company1Tel = rs.field(u"TEL"_s);
                      s.Company1Fax = rs.field(u"FAX"_s);
                  }});
    reads.append({u"select * from [COMPANY2] "_s, {}, [&](const FirstRow &rs) {
                      s.Company2Name = rs.field(u"COMPANY"_s);
                      s.Company2Address = rs.field(u"ADD"_s);
                      s.Company2TaxNo = rs.field(u"TNO"_s);
                      s.Company2Tel = rs.field(u"TEL"_s);
                      s.Company2Fax = rs.field(u"FAX"_s);
                  }});
}

void readSystem(SessionSettings &s, QList<Read> &reads)
{
    s.SystemItem[1].clear();
    s.MfunFlag15 = false;
    reads.append({u"select * from [SYSTEM] "_s,
                  {},
                  [&](const FirstRow &rs) {
                      s.SystemMfun = rs.field(u"MFUN"_s);
                      s.MfunFlag15 = s.SystemMfun.size() >= 15 && s.SystemMfun.at(14) == u'1';
                      for (int n = 0; n <= 87; ++n) {
                          if (n == 68 || n == 79)
                              continue;
                          const QString text = rs.field(u"ITEM%1"_s.arg(n));
                          s.SystemItem[n] = (n >= 1 && n <= 3) ? NumberText(Val(text)) : text;
                      }
                  },
                  [&] {
                      s.SystemItem[68] = u"0"_s;
                      s.SystemItem[79] = u"0"_s;
                  }});

    reads.append({u"select * from [SYSTEM1] "_s, {}, [&](const FirstRow &rs) {
                      s.InvoiceIssueMethod = rs.field(u"發票開立方式"_s);
                      s.InvoicePlatformFolder = rs.field(u"發票平台路徑"_s);
                      if (!s.InvoicePlatformFolder.isEmpty())
                          s.InvoicePlatformFolder += u"\\TAREK_EINVOICE\\"_s;
                      for (int n : {87, 88, 89, 102, 110, 119, 120})
                          s.System1Item[n] = rs.field(u"ITEM%1"_s.arg(n));
                  }});
}

void readPermissions(SessionSettings &s, QList<Read> &reads)
{
    reads.append(
        {u"select * from [使用者資料] where 使用者 = ?"_s, {s.UserName}, [&](const FirstRow &rs) {
             for (const QString &col : kPermissionColumns)
                 s.Permissions[col] = rs.field(col);
         }});
    reads.append({u"select * from [使用者資料明細] where 使用者 = ?"_s,
                  {s.UserName},
                  [&](const FirstRow &rs) {
                      for (const QString &col : kDetailPermissionColumns)
                          s.Permissions[col] = rs.field(col);
                  }});
}

short wholeNumber(const QString &text)
{
    return short(std::lround(Val(text)));
}

void readSysOs(SessionSettings &s, QList<Read> &reads)
{
    reads.append({u"select * from [SYSOS] "_s, {}, [&](const FirstRow &rs) {
                      s.SysOsVm = wholeNumber(rs.field(u"VM"_s));
                      if (Val(rs.field(u"XP"_s)) == 1)
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
                          if (Val(rs.field(QString::fromLatin1(v.flag))) == 1) {
                              s.SysOsCode = QString::fromLatin1(v.code);
                              s.SysOsValue = wholeNumber(rs.field(QString::fromLatin1(v.value)));
                          }
                      }
                  }});
}

} // namespace

std::optional<QString> LoadSettings(SessionSettings &s, bool reloadIdentity,
                                    const QString &commandLine, const QString &machineName)
{
    try {
        Connection c;
        c.open(s.ConnectionString);
        // The reads in one batch (after the administrator's, without a launch
        // token): a server answers them all at once.
        QList<Read> reads;
        if (reloadIdentity)
            readIdentity(s, c, reads, commandLine);
        readCompanies(s, reads);
        readSystem(s, reads);
        readPermissions(s, reads);
        readSysOs(s, reads);
        reads.append({u"select * from [啟用發送EAMIL] "_s, {}, [&](const FirstRow &rs) {
                          s.EmailEnabled = rs.field(u"啟用發送EAMIL"_s);
                      }});
        reads.append({u"select * from [SYSLOAD] where ID = ? and COMPUTER = ? "_s,
                      {s.MachineUserId, machineName},
                      [&](const FirstRow &rs) { s.ExcelFolder = rs.field(u"EXCEL"_s); }});
        runReads(c, reads);
        return std::nullopt;
    } catch (const PlovError &e) { // the database's failure, or the command line's
        return e.description();
    }
}
