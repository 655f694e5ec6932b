#pragma once

#include "production/changehistory.h"
#include "startup/commandline.h"

#include <QString>
#include <array>
#include <map>

// The one process-wide record of the session: filled at start-up, read by every
// operation. Text fields start empty and numbers at 0.
struct SessionSettings
{
    // Location and connection
    QString ConnectionString;
    QString TempFolder;
    QString MachineUserId;
    QString Site;
    QString DatabaseFolder;

    // Identity from the command line
    QString Ad;
    QString UserName;
    QString UserId;
    QString XlsExt;
    QString DocExt;
    double ParentWindow = 0;
    double MainWindow = 0;
    QString LockUser;
    // The identity as the command line carries it, both ways.
    CommandLineIdentity identity() const;
    void setIdentity(const CommandLineIdentity &id);

    // EMPLOYEE row of the signed-in user
    std::array<QString, 20> EmployeeGroup;
    QString ExtensionNo;

    // Company data
    QString CompanyName, CompanyAddress, CompanyAddress1, CompanyTaxNo, CompanyTel, CompanyFax;
    QString Company1Name, Company1Address, Company1TaxNo, Company1Tel, Company1Fax;
    QString Company2Name, Company2Address, Company2TaxNo, Company2Tel, Company2Fax;

    // System switches
    QString SystemMfun;
    bool MfunFlag15 = false;
    std::array<QString, 88> SystemItem; // ITEM0 .. ITEM87
    QString InvoiceIssueMethod;
    QString InvoicePlatformFolder;
    std::map<int, QString> System1Item; // ITEM87, 88, 89, 102, 110, 119, 120
    short SysOsVm = 0;
    QString SysOsCode;
    short SysOsValue = 0;
    QString EmailEnabled;
    QString ExcelFolder;

    // Permissions: each column of the user's permission rows, by column name.
    std::map<QString, QString> Permissions;
    QString permission(const QString &column) const;

    // Colours of the lookup grids, as the decimal text of a colour value.
    QString Color1, Color2, Color3, Color4, Color5, Color6, Color7;
};

SessionSettings &Session();

// Who saves, for the history of saves: the session's user on this computer,
// in this program.
Editor SessionEditor();

// Sets Color1 to Color7 to the colours the suite gives its lookup grids.
void SetColours(SessionSettings &s);
