#include "store/u_datamod.h"

#include <stdexcept>

#include "store/lottery_store.h"

namespace tavrin {

Tdatamod::Tdatamod(QObject* parent) : QObject(parent) {}
Tdatamod::~Tdatamod() = default;

void Tdatamod::open(const QString& file, const QString& lottery) {
  close();
  auto con = std::make_unique<store::Database>(file);
  auto snap = std::make_shared<const DrawSnapshot>(con->snapshot(lottery));
  t_con = std::move(con);
  snapshot_ = std::move(snap);
}

void Tdatamod::close() {
  snapshot_.reset();
  t_con.reset();
}

store::Database& Tdatamod::connection() const {
  if (!t_con) throw std::runtime_error("t_con: 连接未打开");
  return *t_con;
}

const DrawSnapshot& Tdatamod::t_caipiao() const {
  if (!snapshot_) throw std::runtime_error("t_caipiao: 无法在关闭的数据集上执行此操作");
  return *snapshot_;
}

Tdatamod& datamod() {
  static Tdatamod* instance = new Tdatamod();
  return *instance;
}

}  // namespace tavrin
