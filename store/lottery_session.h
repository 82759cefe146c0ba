#pragma once
// The one owner of the open lottery. Opening and closing go through here
// (the lottery manager, the data and download windows, the restore, the
// start-up option and the tests alike); windows learn of both from the
// signals and read the draws from the immutable snapshot.
//
//   opened(name)      the lottery is open; its snapshot is taken
//   aboutToClose()    windows stop their background work and let go
//   closed()          nothing is open; caption and menus go back

#include <QObject>
#include <QString>
#include <memory>

#include "base/draw_snapshot.h"

namespace tavrin {

class LotterySession : public QObject {
  Q_OBJECT
 public:
  // Closes what is open, then connects the shared connection to the
  // database file, reads the lottery's options and takes the snapshot of its
  // newest draws. Throws with the database's message; after a failure no
  // lottery is open (and opened is not emitted).
  void open(const QString& name);
  // Announces aboutToClose, closes the shared connection, drops the snapshot
  // and announces closed. Also when nothing was open: closing the lottery
  // always lets every window go.
  void close();

  bool isOpen() const;
  QString name() const;
  // Nullptr while nothing is open.
  std::shared_ptr<const DrawSnapshot> snapshot() const;

  // The grouping of the trend window shown: its value count and values per
  // draw go to CurrentLottery.
  void setGrouping(int valueCount, int valuesPerDraw);

 signals:
  void opened(const QString& name);
  void aboutToClose();
  void closed();

 private:
  bool closing_ = false;
};

// The instance of the program (created on first use).
LotterySession& lotterySession();

}  // namespace tavrin
