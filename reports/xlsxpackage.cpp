#include "reports/xlsxpackage.h"

#include <zip.h>

#include <QFile>

#include "toolkit/refusal.h"

XlsxPackage::XlsxPackage(const QString& path, const QString& madeFrom)
    : path_(path), shownName_(madeFrom.isEmpty() ? path : madeFrom) {
  int error = 0;
  archive_ = zip_open(QFile::encodeName(path).constData(), 0, &error);
  if (archive_) return;
  if (error == ZIP_ER_NOZIP || error == ZIP_ER_INCONS) fail(QStringLiteral("it is not a spreadsheet workbook (.xlsx)"));
  zip_error_t details;
  zip_error_init_with_code(&details, error);
  const QString why = QString::fromUtf8(zip_error_strerror(&details));
  zip_error_fini(&details);
  fail(why);
}

XlsxPackage::~XlsxPackage() {
  if (archive_) zip_discard(archive_);
}

void XlsxPackage::fail(const QString& why) const {
  throw Refusal{QStringLiteral("The workbook %1 cannot be used: %2.").arg(shownName_, why), QStringLiteral("ALERT!!!"),
                Prompter::Icon::Error};
}

bool XlsxPackage::has(const QString& entry) const {
  return zip_name_locate(archive_, entry.toUtf8().constData(), 0) >= 0;
}

QByteArray XlsxPackage::read(const QString& entry) const {
  const QByteArray name = entry.toUtf8();
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat(archive_, name.constData(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
    fail(QStringLiteral("its part %1 is missing").arg(entry));
  zip_file_t* file = zip_fopen(archive_, name.constData(), 0);
  if (!file) fail(QStringLiteral("its part %1 cannot be read").arg(entry));
  QByteArray content(qsizetype(stat.size), Qt::Uninitialized);
  const zip_int64_t got = zip_fread(file, content.data(), stat.size);
  zip_fclose(file);
  if (got != zip_int64_t(stat.size)) fail(QStringLiteral("its part %1 is damaged").arg(entry));
  return content;
}

void XlsxPackage::replace(const QString& entry, QByteArray content) {
  remove(entry);
  QByteArray& kept = written_.emplace_back(std::move(content));
  add(entry, zip_source_buffer(archive_, kept.constData(), zip_uint64_t(kept.size()), 0));
}

void XlsxPackage::replaceFromFile(const QString& entry, const QString& file) {
  remove(entry);
  add(entry, zip_source_file(archive_, QFile::encodeName(file).constData(), 0, -1));
}

// Removed and added anew: libzip keeps the compression level only for new entries.
void XlsxPackage::add(const QString& entry, zip_source* source) {
  const zip_int64_t index = source ? zip_file_add(archive_, entry.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) : -1;
  if (index < 0) {
    if (source) zip_source_free(source);
    fail(QStringLiteral("its part %1 cannot be written").arg(entry));
  }
  // A report's rows repeat themselves: fast compression packs them nearly as well as the slowest.
  zip_set_file_compression(archive_, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
}

void XlsxPackage::remove(const QString& entry) {
  const zip_int64_t index = zip_name_locate(archive_, entry.toUtf8().constData(), 0);
  if (index >= 0) zip_delete(archive_, zip_uint64_t(index));
}

void XlsxPackage::commit(const QString& destination) {
  if (zip_close(archive_) != 0)
    throw Refusal{QStringLiteral("The workbook %1 cannot be written: %2.")
                      .arg(destination, QString::fromUtf8(zip_strerror(archive_))),
                  QStringLiteral("ALERT!!!"), Prompter::Icon::Error};
  archive_ = nullptr;
}
