#include "db/historytable.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/engine.h"

#include <QMutex>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

void EnsureHistoryTable(Connection &connection)
{
    static QMutex mutex;
    static QSet<QString> made;
    const QSqlDatabase db = connection.database();
    const QString key = db.driverName() + u'|' + db.hostName() + u'|' + QString::number(db.port()) +
                        u'|' + db.databaseName();
    const QMutexLocker lock(&mutex);
    if (made.contains(key))
        return;
    // Not prepared: a server does not prepare statements that make tables.
    for (const QString &sql : connection.engine().historyTableSql()) {
        QSqlQuery query(connection.database());
        if (!query.exec(sql))
            throw DbError(query.lastError().text());
    }
    made.insert(key);
}
