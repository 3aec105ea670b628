#pragma once

#include <QLibrary>

// An engine's library, loaded the first time the engine is used and kept
// loaded. Both throw DbError naming the Debian package that brings it.
class EngineLibrary {
 public:
  // `purpose` completes "The library for ..."; `instead` is another way, if any.
  EngineLibrary(const char* name, int version, const char* purpose, const char* package, const char* instead = "");

  template <typename Function>
  void resolve(Function*& pointer, const char* function) {
    pointer = reinterpret_cast<Function*>(resolved(function));
  }

 private:
  QFunctionPointer resolved(const char* function);

  QLibrary library_;
  QString purpose_;
  QString package_;
};
