#pragma once

#include <QString>
#include <stdexcept>

// The base of the program's failures: what failed is said by the type (DbError for
// the database, CommandLineError, ReportOutputError), and description() is the text
// an operation's one error handler shows or returns.
class PlovError : public std::runtime_error
{
public:
    explicit PlovError(const QString &description)
        : std::runtime_error(description.toStdString()), m_description(description)
    {
    }
    const QString &description() const { return m_description; }

private:
    QString m_description;
};
