#include "store/engine/libpq.h"

#include "store/engine/enginelibrary.h"

namespace {

LibPq load() {
  EngineLibrary library("pq", 5, "server databases", "libpq5", ", or use a database file");
  LibPq functions;
#define VANTORA_LIBPQ_RESOLVE(name) library.resolve(functions.name, #name);
  VANTORA_LIBPQ_FUNCTIONS(VANTORA_LIBPQ_RESOLVE)
#undef VANTORA_LIBPQ_RESOLVE
  return functions;  // QLibrary unloads only when asked: the functions stay valid
}

}  // namespace

const LibPq& libpq() {
  static const LibPq functions = load();
  return functions;
}
