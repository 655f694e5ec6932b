#pragma once

#include "lookups/lookuprows.h"

#include <QString>
#include <QStringList>

// The vendor list of the vendor lookup: usable (not suspended) vendors of a
// kind of work whose code or short name contains the filter, in code order.

// The vendor kind that lets the user choose the kind of work in the dialog.
inline const QString kAllVendors = QStringLiteral("所有廠商");

// The list's headings, in column order (RATE, MEMO, ADD1 and 付款方式 are not shown).
QStringList VendorListHeadings();

// The work choices of the dialog's kind box: the empty text, then "A-印前" to
// "N-其它", one per flag column ITEM1 to ITEM14 of VENDER.
QStringList VendorWorkChoices();

// The clause that narrows the vendors to a vendor kind; every vendor for a kind
// it does not know, the empty kind included.
QString VendorKindClause(const QString &kind);

// The clause of a work choice of the kind box (" and VENDER.ITEMn = '1' "); empty
// for the empty choice.
QString VendorWorkClause(const QString &choice);

struct VendorListRequest
{
    QString kind;       // a vendor kind, or kAllVendors
    QString filter;     // used as given
    bool equipmentOnly; // only vendors whose 製作 is not 0
    QString workChoice; // the kind box's choice, for kAllVendors
};

// The statement with the filter, and the one without it that runs when the
// filter matches nobody.
LookupStatement VendorListStatement(const VendorListRequest &request);
LookupStatement VendorListFallbackStatement(const VendorListRequest &request);

// Runs the statement and, when nothing matches, the fallback. For a vendor kind
// other than kAllVendors the dialog then empties its filter box
// (clearFilterBox); for kAllVendors the box keeps the filter.
struct VendorRows : LookupRows
{
    bool clearFilterBox = false;
};
VendorRows ReadVendorList(const QString &connectionString, const VendorListRequest &request);
