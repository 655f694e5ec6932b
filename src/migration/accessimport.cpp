#include "migration/accessimport.h"

#include "db/connection.h"
#include "db/connectioninfo.h"
#include "db/databasecreator.h"
#include "db/dberror.h"
#include "db/schemacheck.h"
#include "db/sqlquery.h"
#include "migration/accessfilesource.h"
#include "migration/tablemapping.h"
#include "migration/targetschema.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// Whether the server database the connection string names is there.
bool serverDatabaseExists(const QString &connectionString)
{
    ConnectionInfo admin = parseConnectionString(connectionString);
    const QString name = admin.database;
    admin.database = u"postgres"_s;
    Connection c;
    c.open(postgresConnectionString(admin));
    QSqlQuery q =
        runStatement(c.database(), u"select 1 from pg_database where datname = ?"_s, {name});
    return q.next();
}

// A database found at the target must be one the database tool made: every table
// of the schema is there. (That it holds no rows is checked as the copy begins.)
void requireSchemaTables(const QString &connectionString, const QString &target)
{
    Connection c;
    c.open(connectionString);
    QStringList present;
    for (const TargetTable &table : ReadTargetSchema(c))
        present.append(table.name);
    if (const std::optional<QString> table = MissingTable(present, PlovTables()))
        throw DbError(u"%1 不是本程式的資料庫（沒有資料表 %2），不會寫入"_s.arg(
            TargetForDisplay(target), *table));
}

} // namespace

QString AccessFileProblem(const QString &path)
{
    const QFileInfo fi(path);
    if (!fi.exists())
        return u"找不到 Access 資料庫檔案 %1"_s.arg(path);
    QFile f(path);
    if (!fi.isFile() || !f.open(QIODevice::ReadOnly))
        return u"無法讀取 Access 資料庫檔案 %1"_s.arg(path);
    const QByteArray head = f.read(32);
    if (head.mid(4, 15) != "Standard Jet DB" && head.mid(4, 15) != "Standard ACE DB")
        return u"%1 不是 Access 資料庫檔案"_s.arg(path);
    return {};
}

ImportReport ImportAccessDatabase(const AccessImportOptions &options, ImportProgress *progress)
{
    ImportReport failed;
    failed.error = AccessFileProblem(options.source);
    if (!failed.error.isEmpty())
        return failed;
    bool made = false;
    try {
        const QString connectionString = ConnectionStringForTarget(options.target);
        const bool found = IsServerTarget(options.target) ? serverDatabaseExists(connectionString)
                                                          : QFileInfo::exists(options.target);
        if (found) {
            requireSchemaTables(connectionString, options.target);
        } else {
            CreatePlovDatabase(options.target, false);
            made = true; // not before: a database another run made is never removed
        }
        AccessFileSource source(options.readerProgram, options.source, options.codepage);
        ImportReport report = CopyTables(source, connectionString, progress);
        if (report.error.isEmpty())
            return report;
        failed.error = report.error;
    } catch (const DbError &e) {
        failed.error = e.description();
    }
    if (made)
        RemoveUnfinishedDatabase(options.target);
    return failed;
}
