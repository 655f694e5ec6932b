#include "db/historytable.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/engine.h"
#include "db/sqlquery.h"

#include <QMutex>
#include <QSet>
#include <QSqlDatabase>

using namespace Qt::StringLiterals;

void EnsureHistoryTable(Connection &connection)
{
    static QMutex mutex;
    static QSet<QString> made;
    const QSqlDatabase db = connection.database();
    const QString key = db.driverName() + u'|' + db.hostName() + u'|' + QString::number(db.port()) +
                        u'|' + db.databaseName() + u'|' + db.userName();
    const QMutexLocker lock(&mutex);
    if (made.contains(key))
        return;
    // Making it, even "if not exists", needs the right to make tables, which a
    // shop's users seldom have on a server. The catalogue is read rather than the
    // table tried, which would end a server's transaction when it is missing.
    if (!db.tables().contains(u"變更記錄"_s))
        for (const QString &sql : connection.engine().historyTableSql())
            runStatement(db, sql, {});
    made.insert(key);
}

bool HistoryTableReady(Connection &connection)
{
    try {
        EnsureHistoryTable(connection);
        return true;
    } catch (const DbError &e) {
        qCWarning(LogDataLayer).noquote()
            << u"the history of saves (變更記錄) is missing and cannot be made, so this save "
               u"records none:"_s
            << e.description();
        return false;
    }
}
