#include "db/engine.h"

#include "db/postgresengine.h"
#include "db/sqliteengine.h"

std::unique_ptr<Engine> Engine::create(ConnectionInfo::Engine kind)
{
    if (kind == ConnectionInfo::Engine::Postgres)
        return std::make_unique<PostgresEngine>();
    return std::make_unique<SqliteEngine>();
}
