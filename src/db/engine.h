#pragma once

#include "db/connectioninfo.h"
#include "db/statementbatch.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <memory>

class QSqlError;

// Everything that differs between the database engines lives in one class per
// engine: how a connection is opened and given back, how a transaction begins and
// ends, and how the suite's Jet statements read in the engine's SQL (names, "like",
// "top", a row's identity). Connection and Recordset know no engine by name.
class Engine
{
public:
    virtual ~Engine() = default;

    static std::unique_ptr<Engine> create(ConnectionInfo::Engine kind);

    // How long a statement waits for rows or tables that another session holds
    // (a computer that hung halfway through a save, an open transaction in an
    // administrator's console) before it fails, on every engine.
    static constexpr int kLockWaitSeconds = 10;

    // Opens (or takes from a pool) a database connection. Throws DbError.
    virtual QSqlDatabase acquire(const ConnectionInfo &info) = 0;
    // Gives the connection back; an open transaction has already been rolled back.
    virtual void release(QSqlDatabase &db) = 0;
    // Whether the server ended the connection's session (a restart, an administrator).
    virtual bool sessionLost(const QSqlDatabase &db) const { return !db.isOpen(); }
    // Closes a connection whose session the server has ended, and whatever else
    // went down with it, so that the next acquire opens a fresh one.
    virtual void discard(QSqlDatabase &db) { release(db); }

    // The driver's own transaction calls unless an engine says otherwise. Begin and
    // commit throw DbError with the engine's description; rollback never throws.
    virtual void beginTransaction(QSqlDatabase &db) const;
    virtual void commitTransaction(QSqlDatabase &db) const;
    virtual void rollbackTransaction(QSqlDatabase &db) const;
    // The statement (one "?" for a key) that makes transactions naming the same key
    // wait for each other from there to their end. None by default: the engine
    // already lets one transaction write at a time. A save also sends it in a
    // batch of Jet statements, so it is written to read the same in Jet.
    virtual QString lockStatement() const { return {}; }

    // Whether runBatch sends a batch at once (a server a network away).
    virtual bool sendsBatches() const { return false; }
    // Where sendsBatches(), runs engine statements as one batch: all sent at
    // once, the answers read after, so a batch costs one exchange whatever its
    // length. The results of the statements before the first failure go into
    // `results`, then the failure throws DbError; the statements after it do not
    // run. Elsewhere the connection runs them one after the other instead.
    virtual void runBatch(QSqlDatabase &db, const QList<Statement> &statements,
                          QVector<StatementResult> &results) const
    {
        Q_UNUSED(db)
        Q_UNUSED(statements)
        Q_UNUSED(results)
    }

    // Whether a statement failed because it waited kLockWaitSeconds for another
    // session, and the description such a failure is shown with.
    virtual bool isLockTimeout(const QSqlError &error) const = 0;
    static QString lockTimeoutDescription();

    // A Jet statement in the engine's SQL, remembered per engine: the program sends
    // the same few statements again and again.
    QString translate(const QString &jetSql) const;
    // A table or column name as the engine's SQL writes it: in double quotes, a
    // double quote inside doubled, spelled as the engine's schema spells it.
    QString quoteIdentifier(const QString &name) const;
    // A name quoted the same way but spelled exactly as given: one the schema does
    // not spell, such as a database's.
    static QString quoted(const QString &name);
    // What a Jet "json_records(?) as alias (name text, name number, …)" becomes: the
    // records of a JSON array bound to the "?" as a table of those columns, each
    // read from the member of its name (lower case).
    virtual QString jsonRecords(const QString &alias,
                                const QList<std::pair<QString, bool>> &columns) const = 0;
    // The server's local time as text "YYYY-MM-DD HH:MM:SS", taken once per
    // statement: what a Jet "server_time()" becomes.
    virtual QString serverTime() const = 0;
    // The hidden column that identifies a row of a table ("rowid", "ctid").
    virtual QString rowIdentity() const = 0;
    // The statements that make the history table 變更記錄 and its index when
    // missing, in the engine's own SQL; its time is the server's.
    virtual QStringList historyTableSql() const = 0;
    // What a Jet "like" becomes. Jet's "like" ignores case, as the engine's must.
    virtual QString likeOperator() const { return QStringLiteral("like"); }
    // What follows the pattern of a "like": Jet has no escape character, so a "\"
    // in a pattern is an ordinary character on every engine.
    virtual QString likeEscape() const { return {}; }
    // What ends a statement that reads only its first `rows` rows (Jet's "select top").
    virtual QString limitClause(const QString &rows) const
    {
        return QStringLiteral("limit ") + rows;
    }

protected:
    // How the engine's schema spells a name of the suite (as written by default).
    virtual QString foldIdentifier(const QString &name) const { return name; }
    // The statements this engine has translated so far, by their Jet text.
    virtual QHash<QString, QString> &translations() const = 0;
};
