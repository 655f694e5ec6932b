#include "migration/targetschema.h"

#include "db/connection.h"

#include <QRegularExpression>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

bool contains(const QString &text, const char16_t *part)
{
    return text.contains(QStringView(part), Qt::CaseInsensitive);
}

void setRange(TargetColumn &column, qint64 minimum, qint64 maximum)
{
    column.kind = TargetColumn::Kind::Integer;
    column.minimum = minimum;
    column.maximum = maximum;
}

QList<TargetTable> readSqlite(Connection &c)
{
    QList<TargetTable> tables;
    QSqlQuery &names =
        c.run(u"select name from sqlite_master where type = 'table' and name not like 'sqlite%' "
              u"order by rowid"_s,
              {});
    while (names.next())
        tables.append({names.value(0).toString(), {}});
    names.finish();
    for (TargetTable &table : tables) {
        QSqlQuery &q =
            c.run(u"select name, type, \"notnull\", dflt_value from pragma_table_info(?)"_s,
                  {table.name});
        while (q.next()) {
            TargetColumn column;
            column.name = q.value(0).toString();
            column.type = q.value(1).toString();
            SetTargetKind(column, column.type, false);
            column.notNull = q.value(2).toInt() != 0;
            if (!q.value(3).isNull())
                column.defaultValue = PlainDefault(q.value(3).toString());
            table.columns.append(column);
        }
        q.finish();
    }
    return tables;
}

QList<TargetTable> readPostgres(Connection &c)
{
    QList<TargetTable> tables;
    QSqlQuery &q = c.run(
        u"select t.relname, col.column_name, col.data_type, col.is_nullable, col.column_default, "
        u"col.is_identity, col.identity_generation, col.character_maximum_length "
        u"from pg_class t join pg_namespace n on n.oid = t.relnamespace "
        u"join information_schema.columns col on col.table_schema = n.nspname "
        u"and col.table_name = t.relname "
        u"where n.nspname = current_schema() and t.relkind in ('r', 'p') "
        u"order by t.oid, col.ordinal_position"_s,
        {});
    while (q.next()) {
        const QString table = q.value(0).toString();
        if (tables.isEmpty() || tables.last().name != table)
            tables.append({table, {}});
        TargetColumn column;
        column.name = q.value(1).toString();
        column.type = q.value(2).toString();
        SetTargetKind(column, column.type, true);
        column.maxLength = q.value(7).toInt();
        column.notNull = q.value(3).toString() == u"NO";
        const QString defaultText = q.value(4).toString();
        column.identity = q.value(5).toString() == u"YES" || defaultText.startsWith(u"nextval("_s);
        column.alwaysIdentity = q.value(6).toString() == u"ALWAYS";
        if (!q.value(4).isNull())
            column.defaultValue = PlainDefault(defaultText);
        tables.last().columns.append(column);
    }
    q.finish();
    return tables;
}

} // namespace

void SetTargetKind(TargetColumn &column, const QString &declaredType, bool postgres)
{
    using Kind = TargetColumn::Kind;
    const QString t = declaredType.trimmed().toLower();
    if (postgres) {
        if (t == u"smallint")
            setRange(column, std::numeric_limits<qint16>::min(),
                     std::numeric_limits<qint16>::max());
        else if (t == u"integer")
            setRange(column, std::numeric_limits<qint32>::min(),
                     std::numeric_limits<qint32>::max());
        else if (t == u"bigint")
            setRange(column, std::numeric_limits<qint64>::min(),
                     std::numeric_limits<qint64>::max());
        else if (t == u"double precision" || t == u"real")
            column.kind = Kind::Real;
        else if (t == u"numeric" || t == u"money")
            column.kind = Kind::Decimal;
        else if (t == u"boolean")
            column.kind = Kind::Boolean;
        else if (t == u"date")
            column.kind = Kind::Date;
        else if (t.startsWith(u"timestamp"_s))
            column.kind = Kind::DateTime;
        else if (t == u"bytea")
            column.kind = Kind::Blob;
        else
            column.kind =
                Kind::Text; // text, character varying, and what the server reads from text
        return;
    }
    // SQLite: the affinity of the declared type, with a closer look at the numeric one.
    if (t.contains(u"int"_s))
        setRange(column, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    else if (contains(t, u"char") || contains(t, u"clob") || contains(t, u"text"))
        column.kind = Kind::Text;
    else if (t.isEmpty())
        column.kind = Kind::Any;
    else if (contains(t, u"blob"))
        column.kind = Kind::Blob;
    else if (contains(t, u"real") || contains(t, u"floa") || contains(t, u"doub"))
        column.kind = Kind::Real;
    else if (contains(t, u"bool"))
        column.kind = Kind::Boolean;
    else if (t == u"date")
        column.kind = Kind::Date;
    else if (contains(t, u"time"))
        column.kind = Kind::DateTime;
    else
        column.kind = Kind::Decimal;
}

QVariant PlainDefault(const QString &defaultText)
{
    // A cast (::text, ::double precision) changes nothing of a plain value.
    static const QRegularExpression castEnd(u"(::[a-z ]+(\\([0-9, ]*\\))?)+$"_s);
    static const QRegularExpression number(
        u"^\\(?[+-]?[0-9]+(\\.[0-9]*)?([eE][+-]?[0-9]+)?\\)?$"_s);
    QString t = defaultText.trimmed();
    t.remove(castEnd);
    if (t.size() >= 2 && t.startsWith(u'\'') && t.endsWith(u'\''))
        return t.mid(1, t.size() - 2).replace(u"''"_s, u"'"_s);
    if (number.match(t).hasMatch()) {
        t.remove(u'(').remove(u')');
        bool whole = false;
        const qlonglong n = t.toLongLong(&whole);
        return whole ? QVariant(n) : QVariant(t.toDouble());
    }
    return {};
}

QList<TargetTable> ReadTargetSchema(Connection &connection)
{
    return connection.engine().rowIdentity() == u"rowid" ? readSqlite(connection)
                                                         : readPostgres(connection);
}
