#include "store/engine/serverengine.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "store/basics/dberror.h"
#include "store/engine/libpq.h"
#include "store/engine/serverlocation.h"

namespace {

// Type numbers of the server's built-in types (pg_type.oid), fixed for all versions.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;
constexpr Oid kUnknown = 0;  // the server infers the type from where the value goes
constexpr int kLockWaitMs = 4000;
constexpr char kConnectSeconds[] = "10";

QString text(const char* utf8) { return QString::fromUtf8(utf8 ? utf8 : "").trimmed(); }

// The store writes '?' (or '?N') for a bound value; the server numbers them $1, $2, ...
// Quoted texts and names are copied as they are.
QByteArray numberedParameters(const QString& sql) {
  QString out;
  out.reserve(sql.size() + 16);
  QChar quote;
  int highest = 0;
  for (int i = 0; i < sql.size(); ++i) {
    const QChar c = sql[i];
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
      out += c;
    } else if (c == '\'' || c == '"') {
      quote = c;
      out += c;
    } else if (c == '?') {
      int end = i + 1;
      while (end < sql.size() && sql[end].isDigit()) ++end;
      const int number = end > i + 1 ? sql.mid(i + 1, end - i - 1).toInt() : highest + 1;
      highest = std::max(highest, number);
      out += '$' + QString::number(number);
      i = end - 1;
    } else {
      out += c;
    }
  }
  return out.toUtf8();
}

bool lostConnection(const QByteArray& state) {
  return state.startsWith("08") || state == "57P01" || state == "57P02" || state == "57P03";
}

const char kLostMessage[] =
    "The connection to the database server was lost, so nothing was saved. What you typed is still here: try "
    "again when the server is back.";

[[noreturn]] void refuseSignIn(const QString& shown, const QString& detail) {
  throw DbError(DbErrorKind::SignInRefused,
                QStringLiteral("The database server refused the sign-in for %1: %2\nCheck the user name and the "
                               "password (in ~/.pgpass or PGPASSWORD).")
                    .arg(shown, detail));
}

// libpq reports a failed connection in words only; these are its and the server's.
[[noreturn]] void failConnecting(pg_conn* connection, const QString& shown) {
  const QString detail = text(libpq().PQerrorMessage(connection));
  libpq().PQfinish(connection);
  const auto says = [&detail](const char* words) { return detail.contains(QLatin1String(words), Qt::CaseInsensitive); };
  if (says("password authentication failed") || says("no password supplied") || says("authentication failed") ||
      says("pg_hba.conf rejects") || (says("role \"") && says("does not exist")))
    refuseSignIn(shown, detail);
  if (says("database \"") && says("does not exist"))
    throw DbError(DbErrorKind::FileMissing,
                  QStringLiteral("The database server has no such database: %1\n%2\nCreate it first (see the README), "
                                 "or point VANTORA_DATABASE or --database at the right one.")
                      .arg(detail, shown));
  if (says("permission denied"))
    throw DbError(DbErrorKind::NoPermission,
                  QStringLiteral("The database server does not let this user connect to %1: %2").arg(shown, detail));
  throw DbError(DbErrorKind::Unreachable,
                QStringLiteral("The database server at %1 cannot be reached: %2\nIs the server running, and is the "
                               "address right?")
                    .arg(shown, detail));
}

// The address and, when it leaves them to libpq's defaults (PGHOST, the
// socket folder), the server and port libpq used.
QString withServer(const QString& shown, const pg_conn* connection) {
  const QString host = connection ? text(libpq().PQhost(connection)) : QString();
  if (host.isEmpty() || shown.contains(host)) return shown;
  return QStringLiteral("%1 (server %2, port %3)").arg(shown, host, text(libpq().PQport(connection)));
}

QVariant converted(const pg_result* result, int row, int column) {
  if (libpq().PQgetisnull(result, row, column)) return QVariant();
  const char* value = libpq().PQgetvalue(result, row, column);
  switch (libpq().PQftype(result, column)) {
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
      return QVariant(qint64(QByteArray(value).toLongLong()));
    case kFloat4:
    case kFloat8:
      return QVariant(QByteArray(value).toDouble());
    case kNumeric: {  // sums of whole numbers
      bool whole = false;
      const qint64 number = QByteArray(value).toLongLong(&whole);
      return whole ? QVariant(number) : QVariant(QByteArray(value).toDouble());
    }
    case kBool:
      return QVariant(qint64(value[0] == 't' ? 1 : 0));
    default:
      return QVariant(QString::fromUtf8(value, libpq().PQgetlength(result, row, column)));
  }
}

class ServerStatement : public EngineStatement {
 public:
  ServerStatement(ServerSession& session, const QString& sql) : session_(session), sql_(numberedParameters(sql)) {}
  ~ServerStatement() override { libpq().PQclear(result_); }

  void bind(int position, const QVariant& value) override {
    if (position < 1) return;
    if (size_t(position) > values_.size()) {
      values_.resize(size_t(position));
      types_.resize(size_t(position), kUnknown);
    }
    auto& slot = values_[size_t(position - 1)];
    Oid& type = types_[size_t(position - 1)];
    type = kUnknown;
    if (value.isNull() || !value.isValid()) {
      slot.reset();
    } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
               value.typeId() == QMetaType::Short || value.typeId() == QMetaType::UInt) {
      slot = QByteArray::number(value.toLongLong());
      type = kInt8;
    } else if (value.typeId() == QMetaType::Double) {
      slot = QByteArray::number(value.toDouble(), 'g', 17);
      type = kFloat8;
    } else {
      slot = value.toString().toUtf8();
    }
  }

  bool step() override {
    if (!result_) run();
    if (row_ + 1 >= libpq().PQntuples(result_)) {
      row_ = libpq().PQntuples(result_);
      return false;
    }
    ++row_;
    return true;
  }

  void reset() override {
    libpq().PQclear(result_);
    result_ = nullptr;
    row_ = -1;
    values_.clear();
    types_.clear();
  }

  int columnCount() override { return libpq().PQnfields(described()); }
  QString columnName(int column) override { return QString::fromUtf8(libpq().PQfname(described(), column)); }
  QVariant value(int column) const override {
    if (!result_ || row_ < 0 || row_ >= libpq().PQntuples(result_)) return QVariant();
    return converted(result_, row_, column);
  }

 private:
  void run() {
    std::vector<const char*> pointers;
    for (const auto& v : values_) pointers.push_back(v ? v->constData() : nullptr);
    pg_result* result = session_.run(sql_, [&](pg_conn* connection) {
      return libpq().PQexecParams(connection, sql_.constData(), int(values_.size()), types_.data(), pointers.data(),
                                  nullptr, nullptr, 0);
    });
    result_ = result;
    row_ = -1;
  }

  // The columns, before a run: the server describes the text without running it.
  const pg_result* described() {
    if (result_) return result_;
    if (!description_) {
      pg_conn* connection = session_.handle();
      session_.check(libpq().PQprepare(connection, "", sql_.constData(), 0, nullptr));
      pg_result* description = libpq().PQdescribePrepared(connection, "");
      session_.check(description);
      description_.reset(description);
    }
    return description_.get();
  }

  struct ResultDeleter {
    void operator()(pg_result* result) const { libpq().PQclear(result); }
  };

  ServerSession& session_;
  QByteArray sql_;
  std::vector<std::optional<QByteArray>> values_;
  std::vector<Oid> types_;
  pg_result* result_ = nullptr;
  std::unique_ptr<pg_result, ResultDeleter> description_;
  int row_ = -1;
};

// COPY ... FROM STDIN in its text format: the server reads rows as fast as
// they arrive, where INSERTs would make it parse every value as a parameter.
class ServerBulkLoad : public EngineBulkLoad {
 public:
  ServerBulkLoad(ServerSession& session, const QString& table, const QStringList& columns) : session_(session) {
    QStringList names;
    for (const QString& column : columns) names << '"' + column + '"';
    const QByteArray copy =
        QStringLiteral("COPY \"%1\" (%2) FROM STDIN").arg(table, names.join(QStringLiteral(", "))).toUtf8();
    pg_result* result = libpq().PQexec(session_.handle(), copy.constData());
    if (libpq().PQresultStatus(result) != PGRES_COPY_IN) session_.check(result);
    libpq().PQclear(result);
  }

  ~ServerBulkLoad() override {
    if (!finished_) session_.abandonCopy();
  }

  void add(const QVariantList& row) override {
    for (int i = 0; i < row.size(); ++i) {
      if (i > 0) buffer_ += '\t';
      appendValue(row[i]);
    }
    buffer_ += '\n';
    if (buffer_.size() >= kFlushBytes) flush();
  }

  void finish() override {
    flush();
    finished_ = true;
    if (libpq().PQputCopyEnd(session_.handle(), nullptr) != 1) session_.check(nullptr);
    while (pg_result* result = libpq().PQgetResult(session_.handle())) {
      session_.check(result);
      libpq().PQclear(result);
    }
  }

 private:
  static constexpr qsizetype kFlushBytes = 1 << 20;

  void appendValue(const QVariant& value) {
    if (value.isNull() || !value.isValid()) {
      buffer_ += "\\N";
      return;
    }
    const QByteArray text = value.typeId() == QMetaType::Double ? QByteArray::number(value.toDouble(), 'g', 17)
                                                                 : value.toString().toUtf8();
    for (const char c : text) {
      switch (c) {
        case '\\': buffer_ += "\\\\"; break;
        case '\t': buffer_ += "\\t"; break;
        case '\n': buffer_ += "\\n"; break;
        case '\r': buffer_ += "\\r"; break;
        default: buffer_ += c;
      }
    }
  }

  void flush() {
    if (buffer_.isEmpty()) return;
    if (libpq().PQputCopyData(session_.handle(), buffer_.constData(), int(buffer_.size())) != 1)
      session_.check(nullptr);
    buffer_.clear();
  }

  ServerSession& session_;
  QByteArray buffer_;
  bool finished_ = false;
};

}  // namespace

std::unique_ptr<ServerSession> ServerSession::open(const QString& uri, bool createNew) {
  const QByteArray address = libpqAddress(uri).toUtf8();
  // Defaults first: what the address names wins over them.
  const char* keys[] = {"application_name", "connect_timeout", "dbname", nullptr};
  const char* values[] = {"VANTORA", kConnectSeconds, address.constData(), nullptr};
  pg_conn* connection = libpq().PQconnectdbParams(keys, values, 1);
  const QString shown = withServer(shownServerLocation(uri), connection);
  if (!connection || libpq().PQstatus(connection) != CONNECTION_OK) failConnecting(connection, shown);

  std::unique_ptr<ServerSession> session(new ServerSession(connection, shown));
  session->prepareSession();
  // The catalog, unlike information_schema, lists tables this user may not read:
  // a user without rights is told so, not that the database is empty.
  pg_result* tables = libpq().PQexec(connection,
                             "SELECT current_schema() IS NULL, EXISTS (SELECT 1 FROM pg_catalog.pg_tables WHERE "
                             "schemaname = current_schema() AND tablename = 'tinquiry')");
  session->check(tables);
  const bool noSchema = QByteArray(libpq().PQgetvalue(tables, 0, 0)) == "t";
  const bool holdsTables = QByteArray(libpq().PQgetvalue(tables, 0, 1)) == "t";
  libpq().PQclear(tables);
  if (noSchema)
    throw DbError(DbErrorKind::NoPermission,
                  QStringLiteral("The database server does not let this user use the schema that %1 names. Ask whoever "
                                 "looks after the server to grant VANTORA's user its rights (see the README).")
                      .arg(shown));
  if (createNew && holdsTables)
    throw DbError(DbErrorKind::Other,
                  QStringLiteral("The database %1 already holds a VANTORA database; it was left untouched. A new "
                                 "database or a copy needs one without VANTORA's tables: make another database on "
                                 "the server (createdb) or give a schema of its own in the address (%2); see the "
                                 "README.")
                      .arg(shown, QStringLiteral("options=-csearch_path%3DSCHEMA")));
  if (!createNew && !holdsTables)
    throw DbError(DbErrorKind::EmptyFile,
                  QStringLiteral("The database %1 holds no VANTORA tables yet. Create them with \"vantora-db init\", "
                                 "or bring an office's data in with \"vantora-db copy\".")
                      .arg(shown));
  return session;
}

ServerSession::~ServerSession() {
  libpq().PQfreeCancel(cancel_);
  libpq().PQfinish(connection_);
}

void ServerSession::interrupt() {
  char error[256];
  if (cancel_) libpq().PQcancel(cancel_, error, int(sizeof error));
}

void ServerSession::prepareSession() {
  libpq().PQfreeCancel(cancel_);
  cancel_ = libpq().PQgetCancel(connection_);
  libpq().PQsetClientEncoding(connection_, "UTF8");
  // The server's notices ("drop cascades to ...") are for people at a console.
  libpq().PQsetNoticeProcessor(connection_, [](void*, const char*) {}, nullptr);
  // A write waiting longer than this for another program's lock is told to try again.
  execute(QStringLiteral("SET lock_timeout = %1").arg(kLockWaitMs));
}

pg_conn* ServerSession::handle() {
  if (!broken_ && libpq().PQstatus(connection_) == CONNECTION_OK) return connection_;
  // Inside a transaction a new connection would lose what the transaction
  // wrote and commit the rest alone: the transaction fails as a whole instead.
  if (transaction_ != Open::Nothing) throw DbError(DbErrorKind::ConnectionLost, QString::fromLatin1(kLostMessage));
  libpq().PQreset(connection_);
  if (libpq().PQstatus(connection_) != CONNECTION_OK)
    throw DbError(DbErrorKind::ConnectionLost, QString::fromLatin1(kLostMessage));
  broken_ = false;
  prepareSession();
  return connection_;
}

void ServerSession::check(pg_result* result) {
  const ExecStatusType status = result ? libpq().PQresultStatus(result) : PGRES_FATAL_ERROR;
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return;
  const QByteArray state = result ? QByteArray(libpq().PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QByteArray();
  const QString detail = result ? text(libpq().PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY)) : QString();
  const QString connectionDetail = text(libpq().PQerrorMessage(connection_));
  libpq().PQclear(result);
  // A failure the server did not report (no SQLSTATE) is libpq's own: the
  // socket went away, though libpq may not know it yet. The next transaction
  // starts on a new connection.
  if (libpq().PQstatus(connection_) != CONNECTION_OK || lostConnection(state) || state.isEmpty()) {
    broken_ = true;
    throw DbError(DbErrorKind::ConnectionLost, QString::fromLatin1(kLostMessage));
  }
  if (state == "23505")
    throw DbError(DbErrorKind::Duplicate,
                  QStringLiteral("This document number is already stored, so nothing was saved. Please write "
                                 "another number."));
  if (state.startsWith("23") || state.startsWith("22"))
    throw DbError(DbErrorKind::BadValue, QStringLiteral("A value does not fit its column: %1").arg(detail));
  if (state == "55P03" || state == "40001" || state == "40P01")
    throw DbError(DbErrorKind::Locked,
                  QStringLiteral("The database is busy in another window or program. Nothing was saved; please try "
                                 "again."));
  if (state == "42501")
    throw DbError(DbErrorKind::NoPermission,
                  QStringLiteral("The database server does not allow this: %1.%2 Ask whoever looks after the server to "
                                 "grant VANTORA's user its rights (see the README).")
                      .arg(detail, transaction_ == Open::Writing ? QStringLiteral(" Nothing was saved.") : QString()));
  if (state == "53100")
    throw DbError(DbErrorKind::DiskFull,
                  QStringLiteral("The database server's disk is full. Nothing was saved; please tell whoever looks "
                                 "after the server."));
  throw DbError(DbErrorKind::Other,
                QStringLiteral("Database error: %1").arg(detail.isEmpty() ? connectionDetail : detail));
}

// Leaves the copy state; the transaction the copy ran in fails and is rolled back.
void ServerSession::abandonCopy() {
  if (broken_ || libpq().PQstatus(connection_) != CONNECTION_OK) return;
  libpq().PQputCopyEnd(connection_, "the copy was abandoned");
  while (pg_result* result = libpq().PQgetResult(connection_)) libpq().PQclear(result);
}

// A statement that failed only because the server went away since the last
// one is sent once more, on a new connection, where nothing can happen twice:
// the start of a transaction, or a read outside one. A restarted server then
// costs no failed SAVE.
pg_result* ServerSession::run(const QByteArray& sql, const std::function<pg_result*(pg_conn*)>& send) {
  const QByteArray verb = sql.trimmed().left(6).toUpper();
  bool mayRetry = transaction_ == Open::Nothing && (verb.startsWith("BEGIN") || verb == "SELECT");
  for (;;) {
    pg_result* result = send(handle());
    try {
      check(result);
    } catch (const DbError&) {
      if (!mayRetry || !broken_) throw;
      mayRetry = false;
      continue;
    }
    changedRows_ = QByteArray(libpq().PQcmdTuples(result)).toInt();
    return result;
  }
}

std::unique_ptr<EngineStatement> ServerSession::prepare(const QString& sql) {
  return std::make_unique<ServerStatement>(*this, sql);
}

std::unique_ptr<EngineBulkLoad> ServerSession::bulkLoad(const QString& table, const QStringList& columns) {
  return std::make_unique<ServerBulkLoad>(*this, table, columns);
}

void ServerSession::execute(const QString& sql) {
  const QByteArray text = sql.toUtf8();
  libpq().PQclear(run(text, [&text](pg_conn* connection) { return libpq().PQexec(connection, text.constData()); }));
}

// One writer at a time within this database's schema, as the file's write lock:
// the commit-time checks and the change log's chain rely on it.
void ServerSession::beginWriting() {
  execute(QStringLiteral("BEGIN"));
  transaction_ = Open::Writing;
  try {
    execute(QStringLiteral("SELECT pg_advisory_xact_lock(1447128654, (SELECT oid::integer FROM pg_namespace "
                           "WHERE nspname = current_schema()))"));
  } catch (...) {
    rollbackQuietly();
    throw;
  }
}

// A snapshot that never holds up a writer.
void ServerSession::beginReading() {
  execute(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
  transaction_ = Open::Reading;
}

void ServerSession::commit() {
  try {
    execute(QStringLiteral("COMMIT"));
  } catch (const DbError& error) {
    if (error.kind() != DbErrorKind::ConnectionLost) throw;
    throw DbError(
        DbErrorKind::ConnectionLost,
        QStringLiteral("The connection to the database server was lost while saving. The server kept all of "
                       "it or none of it: look at the list before saving again. What you typed is still here."));
  }
  transaction_ = Open::Nothing;
}

bool ServerSession::canBeReused() const {
  return transaction_ == Open::Nothing && !broken_ && libpq().PQstatus(connection_) == CONNECTION_OK &&
         libpq().PQtransactionStatus(connection_) == PQTRANS_IDLE;
}

void ServerSession::rollbackQuietly() {
  transaction_ = Open::Nothing;
  if (!broken_ && libpq().PQstatus(connection_) == CONNECTION_OK)
    libpq().PQclear(libpq().PQexec(connection_, "ROLLBACK"));
}
