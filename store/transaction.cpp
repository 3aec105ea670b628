#include "store/transaction.h"

#include "store/connection.h"

Transaction::Transaction(Connection& connection) : connection_(connection) { connection_.begin(); }

Transaction::~Transaction() {
  if (!done_) connection_.rollback();
}

void Transaction::commit() {
  connection_.commit();
  done_ = true;
}
