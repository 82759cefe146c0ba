#include "store/transaction.h"

#include <QSqlError>
#include <stdexcept>

namespace tavrin::store {

namespace {
[[noreturn]] void Fail(const QSqlError& e) {
  const QString t = e.databaseText().isEmpty() ? e.text() : e.databaseText();
  throw std::runtime_error(t.toStdString());
}
}  // namespace

Transaction::Transaction(QSqlDatabase& db) : db_(db) {
  if (!db_.transaction()) Fail(db_.lastError());
}

Transaction::~Transaction() {
  if (open_) db_.rollback();
}

void Transaction::commit() {
  if (!db_.commit()) Fail(db_.lastError());
  open_ = false;
}

}  // namespace tavrin::store
