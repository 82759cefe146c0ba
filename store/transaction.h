#pragma once
// All-or-nothing changes: begin on construction, commit() when every
// statement succeeded; leaving the scope without commit() rolls back.
//
//   Transaction t(db);
//   ... statements that throw on failure ...
//   t.commit();

#include <QSqlDatabase>

namespace tavrin::store {

class Transaction {
 public:
  // Throws std::runtime_error with the database's message.
  explicit Transaction(QSqlDatabase& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  QSqlDatabase& db_;
  bool open_ = true;
};

}  // namespace tavrin::store
