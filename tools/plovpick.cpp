#include "plovpick.h"

#include "common/handoff.h"
#include "db/databasecreator.h"
#include "lookups/stafflist.h"
#include "lookups/stafflookup.h"
#include "lookups/vendorlist.h"
#include "lookups/vendorlookup.h"
#include "startup/sessionsettings.h"

#include <QRegularExpression>
#include <QTextStream>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct PickRequest
{
    QString subject; // "staff" or "vendor"
    QString database;
    QString filter;
    QString kind;
    bool equipment = false;
};

std::optional<PickRequest> parse(const QStringList &args)
{
    if (args.size() < 2 || (args.at(0) != u"staff"_s && args.at(0) != u"vendor"_s))
        return std::nullopt;
    PickRequest request;
    request.subject = args.at(0);
    request.database = args.at(1);
    if (request.database.isEmpty() || request.database.startsWith(u'-'))
        return std::nullopt;
    const bool vendor = request.subject == u"vendor"_s;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString &option = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (option == u"--filter"_s && hasValue)
            request.filter = args.at(++i);
        else if (vendor && option == u"--kind"_s && hasValue)
            request.kind = args.at(++i);
        else if (vendor && option == u"--equipment"_s)
            request.equipment = true;
        else
            return std::nullopt;
    }
    return request;
}

int usage(QTextStream &err)
{
    err << "usage: plov pick staff DB [--filter TEXT]\n"
           "       plov pick vendor DB [--kind KIND] [--filter TEXT] [--equipment]\n";
    return 2;
}

QString oneLine(const QString &cell)
{
    static const QRegularExpression breaks(u"[\\t\\r\\n]"_s);
    return QString(cell).replace(breaks, u" "_s);
}

} // namespace

bool PickArgumentsValid(const QStringList &args)
{
    return parse(args).has_value();
}

int PlovPick(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const std::optional<PickRequest> request = parse(args);
    if (!request)
        return usage(err);

    SessionSettings &session = Session();
    session.ConnectionString = ConnectionStringForTarget(request->database);
    SetColours(session);
    LookupFilterText() = request->filter;
    std::unique_ptr<LookupDialog> dialog;
    qsizetype columns = 0;
    if (request->subject == u"staff"_s) {
        dialog = std::make_unique<StaffLookupDialog>(nullptr);
        columns = StaffListHeadings().size();
    } else {
        VendorLookupKind() = request->kind;
        VendorEquipmentFlag() = request->equipment ? u"設備"_s : QString();
        dialog = std::make_unique<VendorLookupDialog>(nullptr);
        columns = VendorListHeadings().size();
    }
    // A list that cannot be read ends the pick once its box is closed.
    QObject::connect(dialog.get(), &LookupDialog::listLoadFailed, dialog.get(), &QDialog::reject);
    dialog->exec();
    if (dialog->loadFailed())
        return 2;
    const JobHandOffList &handOff = JobHandOff();
    if (handOff[0].isEmpty())
        return 1;
    QStringList cells;
    for (qsizetype i = 0; i < columns; ++i)
        cells.append(oneLine(handOff[i]));
    out << cells.join(u'\t') << "\n";
    out.flush();
    return 0;
}
