#include "store/basics/dberror.h"

DbError::DbError(DbErrorKind kind, const QString& message)
    : std::runtime_error(message.toStdString()), kind_(kind), message_(message) {}
