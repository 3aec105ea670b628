#pragma once

class Connection;

// Rows that belong together are written all or nothing: the guard rolls back
// unless commit() was reached.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void commit();

 private:
  Connection& connection_;
  bool done_ = false;
};
