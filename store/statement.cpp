#include "store/statement.h"

#include <sqlite3.h>

#include "store/connection.h"

Statement::Statement(Connection& connection, const QString& sql) : connection_(connection) {
  const QByteArray text = sql.toUtf8();
  const int rc = sqlite3_prepare_v2(connection.handle(), text.constData(), int(text.size()), &stmt_, nullptr);
  if (rc != SQLITE_OK) connection_.raise(rc);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int position, const QVariant& value) {
  int rc = SQLITE_OK;
  if (value.isNull() || !value.isValid()) {
    rc = sqlite3_bind_null(stmt_, position);
  } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
             value.typeId() == QMetaType::Short || value.typeId() == QMetaType::UInt) {
    rc = sqlite3_bind_int64(stmt_, position, value.toLongLong());
  } else if (value.typeId() == QMetaType::Double) {
    rc = sqlite3_bind_double(stmt_, position, value.toDouble());
  } else {
    const QByteArray text = value.toString().toUtf8();
    rc = sqlite3_bind_text(stmt_, position, text.constData(), int(text.size()), SQLITE_TRANSIENT);
  }
  if (rc != SQLITE_OK) connection_.raise(rc);
}

void Statement::bindAll(const QVariantList& values) {
  for (int i = 0; i < values.size(); ++i) bind(i + 1, values[i]);
}

bool Statement::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(stmt_);
  connection_.raise(rc);
}

void Statement::reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

QString Statement::columnName(int column) const {
  return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

QVariant Statement::value(int column) const {
  switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
      return QVariant(qint64(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
      return QVariant(sqlite3_column_double(stmt_, column));
    case SQLITE_NULL:
      return QVariant();
    default:
      return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                                        sqlite3_column_bytes(stmt_, column)));
  }
}
