#include "db/engine.h"

#include "db/dberror.h"
#include "db/jetdialect.h"
#include "db/postgresengine.h"
#include "db/sqliteengine.h"

#include <QSqlError>

using namespace Qt::StringLiterals;

std::unique_ptr<Engine> Engine::create(ConnectionInfo::Engine kind)
{
    if (kind == ConnectionInfo::Engine::Postgres)
        return std::make_unique<PostgresEngine>();
    return std::make_unique<SqliteEngine>();
}

void Engine::beginTransaction(QSqlDatabase &db) const
{
    if (!db.transaction())
        throw DbError(db.lastError().text());
}

void Engine::commitTransaction(QSqlDatabase &db) const
{
    if (!db.commit())
        throw DbError(db.lastError().text());
}

void Engine::rollbackTransaction(QSqlDatabase &db) const
{
    db.rollback();
}

QString Engine::lockTimeoutDescription()
{
    return u"資料正由其他使用者使用中（可能是另一台電腦正在儲存同一筆資料），等候 %1 秒後仍無法"
           u"存取，這次沒有寫入任何資料。請稍後再試一次。"_s.arg(kLockWaitSeconds);
}

QString Engine::translate(const QString &jetSql) const
{
    QHash<QString, QString> &known = translations();
    const auto it = known.constFind(jetSql);
    if (it != known.constEnd())
        return *it;
    const QString sql = TranslateJet(jetSql, *this);
    if (known.size() < 1000)
        known.insert(jetSql, sql);
    return sql;
}

QString Engine::quoteIdentifier(const QString &name) const
{
    return quoted(foldIdentifier(name));
}

QString Engine::quoted(const QString &name)
{
    QString n = name;
    n.replace(u'"', u"\"\""_s);
    return u'"' + n + u'"';
}
