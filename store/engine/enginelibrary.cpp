#include "store/engine/enginelibrary.h"

#include "store/basics/dberror.h"

EngineLibrary::EngineLibrary(const char* name, int version, const char* purpose, const char* package,
                             const char* instead)
    : library_(QString::fromLatin1(name), version),
      purpose_(QString::fromLatin1(purpose)),
      package_(QString::fromLatin1(package)) {
  if (!library_.load())
    throw DbError(DbErrorKind::Other,
                  QStringLiteral("The library for %1 could not be loaded (%2). Install the package %3%4.")
                      .arg(purpose_, library_.errorString(), package_, QString::fromLatin1(instead)));
}

QFunctionPointer EngineLibrary::resolved(const char* function) {
  const QFunctionPointer pointer = library_.resolve(function);
  if (!pointer)
    throw DbError(DbErrorKind::Other, QStringLiteral("The library for %1 lacks %2; install a newer %3.")
                                          .arg(purpose_, QLatin1String(function), package_));
  return pointer;
}
