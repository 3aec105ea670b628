#pragma once

#include <libpq-fe.h>

// The server engine's library, loaded the first time a server address is
// used: a file database never loads it, nor the dozens of libraries it brings
// (Kerberos, LDAP, TLS). The header gives only the functions' types.
#define VANTORA_LIBPQ_FUNCTIONS(F)                                                                          \
  F(PQcancel) F(PQclear) F(PQcmdTuples) F(PQconnectdbParams) F(PQdescribePrepared) F(PQerrorMessage) F(PQexec)         \
  F(PQexecParams) F(PQfinish) F(PQfname) F(PQfreeCancel) F(PQftype) F(PQgetCancel) F(PQgetisnull) F(PQgetlength) F(PQgetResult)           \
  F(PQgetvalue) F(PQhost) F(PQnfields) F(PQntuples) F(PQport) F(PQprepare) F(PQputCopyData)                \
  F(PQputCopyEnd) F(PQreset) F(PQresultErrorField) F(PQresultStatus) F(PQsetClientEncoding)                 \
  F(PQsetNoticeProcessor) F(PQstatus) F(PQtransactionStatus)

struct LibPq {
#define VANTORA_LIBPQ_POINTER(name) decltype(&::name) name = nullptr;
  VANTORA_LIBPQ_FUNCTIONS(VANTORA_LIBPQ_POINTER)
#undef VANTORA_LIBPQ_POINTER
};

// Throws DbError, naming the package to install, when the library is missing.
const LibPq& libpq();
