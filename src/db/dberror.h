#pragma once

#include "db/ploverror.h"

// A failure of the data-access layer, with the engine's own description.
// Operations catch it at their one error handler and show description() under
// the title the operation owns.
class DbError : public PlovError
{
public:
    using PlovError::PlovError;
};

// A row written through a record set had been changed by someone else since it was read.
class DbConflictError : public DbError
{
public:
    using DbError::DbError;
};
