#include "store/engine/sqlcipher.h"

#include "store/engine/enginelibrary.h"

namespace {

SqlCipher load() {
  EngineLibrary library("sqlcipher", 0, "database files", "libsqlcipher0");
  SqlCipher functions;
#define VANTORA_SQLCIPHER_RESOLVE(name) library.resolve(functions.name, #name);
  VANTORA_SQLCIPHER_FUNCTIONS(VANTORA_SQLCIPHER_RESOLVE)
#undef VANTORA_SQLCIPHER_RESOLVE
  return functions;  // QLibrary unloads only when asked: the functions stay valid
}

}  // namespace

const SqlCipher& sqlcipher() {
  static const SqlCipher functions = load();
  return functions;
}
