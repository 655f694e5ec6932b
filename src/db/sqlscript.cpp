#include "db/sqlscript.h"

#include "db/connection.h"
#include "db/sqlquery.h"

using namespace Qt::StringLiterals;

QStringList SplitSqlScript(const QString &script)
{
    QStringList statements;
    QString current;
    bool inBody = false;
    const QStringList lines = script.split(u'\n');
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (!inBody && (line.isEmpty() || line.startsWith(u"--"_s)))
            continue;
        current += raw + u'\n';
        if (line.count(u"$$"_s) % 2 == 1)
            inBody = !inBody;
        if (!inBody && line.endsWith(u';')) {
            current = current.trimmed();
            current.chop(1);
            if (!current.trimmed().isEmpty())
                statements.append(current);
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

void RunSchemaScript(Connection &connection, const QString &script)
{
    const QStringList statements = SplitSqlScript(script);
    for (const QString &sql : statements)
        runStatement(connection.database(), sql, {});
}

void RunDataScript(Connection &connection, const QString &script)
{
    const QStringList statements = SplitSqlScript(script);
    for (const QString &sql : statements)
        connection.execute(sql);
}
