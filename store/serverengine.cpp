#include "store/serverengine.h"

#include <libpq-fe.h>

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "store/dberror.h"
#include "store/serverlocation.h"

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
  const QString detail = text(PQerrorMessage(connection));
  PQfinish(connection);
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

QVariant converted(const pg_result* result, int row, int column) {
  if (PQgetisnull(result, row, column)) return QVariant();
  const char* value = PQgetvalue(result, row, column);
  switch (PQftype(result, column)) {
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
      return QVariant(QString::fromUtf8(value, PQgetlength(result, row, column)));
  }
}

class ServerStatement : public EngineStatement {
 public:
  ServerStatement(ServerSession& session, const QString& sql) : session_(session), sql_(numberedParameters(sql)) {}
  ~ServerStatement() override { PQclear(result_); }

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
    if (row_ + 1 >= PQntuples(result_)) {
      row_ = PQntuples(result_);
      return false;
    }
    ++row_;
    return true;
  }

  void reset() override {
    PQclear(result_);
    result_ = nullptr;
    row_ = -1;
    values_.clear();
    types_.clear();
  }

  int columnCount() override { return PQnfields(described()); }
  QString columnName(int column) override { return QString::fromUtf8(PQfname(described(), column)); }
  QVariant value(int column) const override {
    if (!result_ || row_ < 0 || row_ >= PQntuples(result_)) return QVariant();
    return converted(result_, row_, column);
  }

 private:
  void run() {
    std::vector<const char*> pointers;
    for (const auto& v : values_) pointers.push_back(v ? v->constData() : nullptr);
    pg_result* result = PQexecParams(session_.handle(), sql_.constData(), int(values_.size()), types_.data(),
                                     pointers.data(), nullptr, nullptr, 0);
    session_.check(result);
    session_.noteChanged(result);
    result_ = result;
    row_ = -1;
  }

  // The columns, before a run: the server describes the text without running it.
  const pg_result* described() {
    if (result_) return result_;
    if (!description_) {
      pg_conn* connection = session_.handle();
      session_.check(PQprepare(connection, "", sql_.constData(), 0, nullptr));
      pg_result* description = PQdescribePrepared(connection, "");
      session_.check(description);
      description_.reset(description);
    }
    return description_.get();
  }

  struct ResultDeleter {
    void operator()(pg_result* result) const { PQclear(result); }
  };

  ServerSession& session_;
  QByteArray sql_;
  std::vector<std::optional<QByteArray>> values_;
  std::vector<Oid> types_;
  pg_result* result_ = nullptr;
  std::unique_ptr<pg_result, ResultDeleter> description_;
  int row_ = -1;
};

}  // namespace

std::unique_ptr<ServerSession> ServerSession::open(const QString& uri, bool createNew) {
  const QString shown = shownServerLocation(uri);
  const QByteArray address = uri.toUtf8();
  // Defaults first: what the address names wins over them.
  const char* keys[] = {"application_name", "connect_timeout", "dbname", nullptr};
  const char* values[] = {"VANTORA", kConnectSeconds, address.constData(), nullptr};
  pg_conn* connection = PQconnectdbParams(keys, values, 1);
  if (!connection || PQstatus(connection) != CONNECTION_OK) failConnecting(connection, shown);

  std::unique_ptr<ServerSession> session(new ServerSession(connection, shown));
  session->prepareSession();
  // The catalog, unlike information_schema, lists tables this user may not read:
  // a user without rights is told so, not that the database is empty.
  pg_result* tables = PQexec(connection,
                             "SELECT current_schema() IS NULL, EXISTS (SELECT 1 FROM pg_catalog.pg_tables WHERE "
                             "schemaname = current_schema() AND tablename = 'tinquiry')");
  session->check(tables);
  const bool noSchema = QByteArray(PQgetvalue(tables, 0, 0)) == "t";
  const bool holdsTables = QByteArray(PQgetvalue(tables, 0, 1)) == "t";
  PQclear(tables);
  if (noSchema)
    throw DbError(DbErrorKind::NoPermission,
                  QStringLiteral("The database server does not let this user use the schema that %1 names. Ask whoever "
                                 "looks after the server to grant VANTORA's user its rights (see the README).")
                      .arg(shown));
  if (createNew && holdsTables)
    throw DbError(DbErrorKind::Other,
                  QStringLiteral("The database %1 already holds a VANTORA database; it was left untouched.").arg(shown));
  if (!createNew && !holdsTables)
    throw DbError(DbErrorKind::EmptyFile,
                  QStringLiteral("The database %1 holds no VANTORA tables yet. Create them with \"vantora-db init\", "
                                 "or bring an office's data in with \"vantora-db copy\".")
                      .arg(shown));
  return session;
}

ServerSession::~ServerSession() {
  PQfreeCancel(cancel_);
  PQfinish(connection_);
}

void ServerSession::interrupt() {
  char error[256];
  if (cancel_) PQcancel(cancel_, error, int(sizeof error));
}

void ServerSession::prepareSession() {
  PQfreeCancel(cancel_);
  cancel_ = PQgetCancel(connection_);
  PQsetClientEncoding(connection_, "UTF8");
  // The server's notices ("drop cascades to ...") are for people at a console.
  PQsetNoticeProcessor(connection_, [](void*, const char*) {}, nullptr);
  // A write waiting longer than this for another program's lock is told to try again.
  execute(QStringLiteral("SET lock_timeout = %1").arg(kLockWaitMs));
}

pg_conn* ServerSession::handle() {
  if (PQstatus(connection_) == CONNECTION_OK) return connection_;
  // Inside a transaction a new connection would lose what the transaction
  // wrote and commit the rest alone: the transaction fails as a whole instead.
  if (inTransaction_) throw DbError(DbErrorKind::ConnectionLost, QString::fromLatin1(kLostMessage));
  PQreset(connection_);
  if (PQstatus(connection_) != CONNECTION_OK)
    throw DbError(DbErrorKind::Unreachable,
                  QStringLiteral("The database server at %1 cannot be reached: %2\nNothing was saved; what you typed is "
                                 "still here. Try again when the server is back.")
                      .arg(shown_, text(PQerrorMessage(connection_))));
  prepareSession();
  return connection_;
}

void ServerSession::check(pg_result* result) {
  const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return;
  const QByteArray state = result ? QByteArray(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QByteArray();
  const QString detail = result ? text(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY)) : QString();
  const QString connectionDetail = text(PQerrorMessage(connection_));
  PQclear(result);
  if (PQstatus(connection_) != CONNECTION_OK || lostConnection(state))
    throw DbError(DbErrorKind::ConnectionLost, QString::fromLatin1(kLostMessage));
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
                  QStringLiteral("The database server does not allow this: %1. Nothing was saved. Ask whoever looks "
                                 "after the server to grant VANTORA's user its rights (see the README).")
                      .arg(detail));
  if (state == "53100")
    throw DbError(DbErrorKind::DiskFull,
                  QStringLiteral("The database server's disk is full. Nothing was saved; please tell whoever looks "
                                 "after the server."));
  throw DbError(DbErrorKind::Other,
                QStringLiteral("Database error: %1").arg(detail.isEmpty() ? connectionDetail : detail));
}

void ServerSession::noteChanged(pg_result* result) { changedRows_ = QByteArray(PQcmdTuples(result)).toInt(); }

std::unique_ptr<EngineStatement> ServerSession::prepare(const QString& sql) {
  return std::make_unique<ServerStatement>(*this, sql);
}

void ServerSession::execute(const QString& sql) {
  pg_result* result = PQexec(handle(), sql.toUtf8().constData());
  check(result);
  noteChanged(result);
  PQclear(result);
}

// One writer at a time within this database's schema, as the file's write lock:
// the commit-time checks and the change log's chain rely on it.
void ServerSession::beginWriting() {
  execute(QStringLiteral("BEGIN"));
  inTransaction_ = true;
  try {
    execute(QStringLiteral("SELECT pg_advisory_xact_lock(1447128654, (SELECT oid::integer FROM pg_namespace "
                           "WHERE nspname = current_schema()))"));
  } catch (...) {
    rollbackQuietly();
    throw;
  }
}

void ServerSession::commit() {
  try {
    execute(QStringLiteral("COMMIT"));
  } catch (const DbError& error) {
    if (error.kind() != DbErrorKind::ConnectionLost) throw;
    throw DbError(DbErrorKind::ConnectionLost,
                  QStringLiteral("The connection to the database server was lost while saving. The server kept all of "
                                 "it or none of it: look at the list before saving again. What you typed is still here."));
  }
  inTransaction_ = false;
}

bool ServerSession::canBeReused() const {
  return !inTransaction_ && PQstatus(connection_) == CONNECTION_OK && PQtransactionStatus(connection_) == PQTRANS_IDLE;
}

void ServerSession::rollbackQuietly() {
  inTransaction_ = false;
  if (PQstatus(connection_) == CONNECTION_OK) PQclear(PQexec(connection_, "ROLLBACK"));
}
