#pragma once
// The data module: the one shared connection t_con and the shared draw data
// t_caipiao, the newest draws of the open lottery taken when it was opened.

#include <QObject>
#include <QString>
#include <memory>

#include "base/draw_snapshot.h"

namespace tavrin {

namespace store {
class Database;
}

class Tdatamod : public QObject {
  Q_OBJECT
 public:
  explicit Tdatamod(QObject* parent = nullptr);
  ~Tdatamod() override;

  // Opens t_con on file and takes the snapshot of lottery; throws, leaving
  // everything closed, when that fails.
  void open(const QString& file, const QString& lottery);
  void close();

  bool connected() const { return t_con != nullptr; }
  // t_con; throws while none is open.
  store::Database& connection() const;
  // The shared draws; throws the data layer's error while none is open.
  const DrawSnapshot& t_caipiao() const;
  // Nullptr while no lottery is open.
  std::shared_ptr<const DrawSnapshot> snapshot() const { return snapshot_; }

 private:
  std::unique_ptr<store::Database> t_con;
  std::shared_ptr<const DrawSnapshot> snapshot_;
};

// The instance created at start; tests create their own through this too.
Tdatamod& datamod();

}  // namespace tavrin
