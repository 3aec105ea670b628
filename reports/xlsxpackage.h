#pragma once

#include <QByteArray>
#include <QString>
#include <list>

struct zip;
struct zip_source;

// The zip package of a workbook opened for changes. Entries replaced or
// removed reach the file only at commit(); a package destroyed before that
// leaves the file as it was.
class XlsxPackage {
 public:
  // Opens an existing file; a file that is not a zip package is refused.
  // Messages about what the package holds name `madeFrom`, the file the
  // office can mend (the template a copy was made of), when given.
  explicit XlsxPackage(const QString& path, const QString& madeFrom = {});
  ~XlsxPackage();
  XlsxPackage(const XlsxPackage&) = delete;
  XlsxPackage& operator=(const XlsxPackage&) = delete;

  bool has(const QString& entry) const;
  QByteArray read(const QString& entry) const;  // refused when missing
  void replace(const QString& entry, QByteArray content);
  // The file is read at commit(), so it must stay until then.
  void replaceFromFile(const QString& entry, const QString& file);
  void remove(const QString& entry);
  // Writes the changes into the file; a failure is a Refusal naming
  // `destination`, the file the user was to get.
  void commit(const QString& destination);

 private:
  [[noreturn]] void fail(const QString& why) const;
  void add(const QString& entry, zip_source* source);

  QString path_;
  QString shownName_;
  zip* archive_ = nullptr;
  std::list<QByteArray> written_;  // kept alive until commit: the archive reads them then
};
