#pragma once

#include <sqlite3.h>

// The file engine's library, loaded the first time a database file is opened:
// the program's first window shows before it, and before the cryptography
// library it brings. The header gives only the functions' types.
#define VANTORA_SQLCIPHER_FUNCTIONS(F)                                                                     \
  F(sqlite3_backup_finish) F(sqlite3_backup_init) F(sqlite3_backup_step) F(sqlite3_bind_double)            \
  F(sqlite3_bind_int64) F(sqlite3_bind_null) F(sqlite3_bind_text) F(sqlite3_busy_timeout) F(sqlite3_changes) \
  F(sqlite3_clear_bindings) F(sqlite3_close_v2) F(sqlite3_column_bytes) F(sqlite3_column_count)             \
  F(sqlite3_column_double) F(sqlite3_column_int64) F(sqlite3_column_name) F(sqlite3_column_text)            \
  F(sqlite3_column_type) F(sqlite3_db_readonly) F(sqlite3_errcode) F(sqlite3_errmsg) F(sqlite3_exec)       \
  F(sqlite3_extended_result_codes) F(sqlite3_file_control) F(sqlite3_finalize) F(sqlite3_interrupt)         \
  F(sqlite3_key) F(sqlite3_last_insert_rowid) F(sqlite3_open_v2) F(sqlite3_prepare_v2) F(sqlite3_reset)    \
  F(sqlite3_step)

struct SqlCipher {
#define VANTORA_SQLCIPHER_POINTER(name) decltype(&::name) name = nullptr;
  VANTORA_SQLCIPHER_FUNCTIONS(VANTORA_SQLCIPHER_POINTER)
#undef VANTORA_SQLCIPHER_POINTER
};

// Throws DbError, naming the package to install, when the library is missing.
const SqlCipher& sqlcipher();
