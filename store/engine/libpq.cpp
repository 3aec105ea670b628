#include "store/engine/libpq.h"

#include <QLibrary>

#include "store/basics/dberror.h"

namespace {

LibPq load() {
  QLibrary library(QStringLiteral("pq"), 5);
  if (!library.load())
    throw DbError(DbErrorKind::Other,
                  QStringLiteral("The library for server databases could not be loaded (%1). Install the package "
                                 "libpq5, or use a database file.")
                      .arg(library.errorString()));
  LibPq functions;
#define VANTORA_LIBPQ_RESOLVE(name)                                                                   \
  functions.name = reinterpret_cast<decltype(functions.name)>(library.resolve(#name));               \
  if (!functions.name)                                                                                \
    throw DbError(DbErrorKind::Other,                                                                 \
                  QStringLiteral("The library for server databases lacks %1; install a newer libpq5.") \
                      .arg(QLatin1String(#name)));
  VANTORA_LIBPQ_FUNCTIONS(VANTORA_LIBPQ_RESOLVE)
#undef VANTORA_LIBPQ_RESOLVE
  return functions;  // the library stays loaded: QLibrary unloads only when asked
}

}  // namespace

const LibPq& libpq() {
  static const LibPq functions = load();
  return functions;
}
