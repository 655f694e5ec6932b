#pragma once

#include <QString>
#include <stdexcept>

// A failure of the data-access layer. Operations catch it at their one error
// handler and show description() under the title the operation owns.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &description)
        : std::runtime_error(description.toStdString()), m_description(description)
    {
    }
    const QString &description() const { return m_description; }

private:
    QString m_description;
};

// A row written through a record set had been changed by someone else since it was read.
class DbConflictError : public DbError
{
public:
    using DbError::DbError;
};
