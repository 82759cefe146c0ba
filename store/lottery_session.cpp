#include "store/lottery_session.h"

#include "app/u_public.h"
#include "store/lottery_store.h"
#include "store/u_datamod.h"

namespace tavrin {

void LotterySession::open(const QString& name) {
  close();
  CurrentLotteryState& cur = detail::WritableCurrentLottery();
  try {
    datamod().open(DatabaseFile(), name);
    const store::LotteryOptions options = datamod().connection().options(name);
    cur.name = name;
    cur.type = options.type;
    cur.drawTime = options.drawTime;
    cur.drawWeekdays = options.weekdays;
  } catch (...) {
    datamod().close();
    cur.open = false;
    throw;
  }
  cur.valueCount = 36;
  cur.valuesPerDraw = 1;
  cur.recordCount = static_cast<int>(datamod().t_caipiao().rows.size());
  cur.hasDraws = cur.recordCount > 0;
  cur.open = true;
  emit opened(name);
}

void LotterySession::close() {
  // A window that closes the lottery while reacting to aboutToClose must not
  // start the sequence again.
  if (closing_) return;
  closing_ = true;
  emit aboutToClose();
  datamod().close();
  detail::WritableCurrentLottery().open = false;
  closing_ = false;
  emit closed();
}

bool LotterySession::isOpen() const { return CurrentLottery().open; }

QString LotterySession::name() const { return isOpen() ? CurrentLottery().name : QString(); }

std::shared_ptr<const DrawSnapshot> LotterySession::snapshot() const { return datamod().snapshot(); }

void LotterySession::setGrouping(int valueCount, int valuesPerDraw) {
  CurrentLotteryState& cur = detail::WritableCurrentLottery();
  cur.valueCount = valueCount;
  cur.valuesPerDraw = valuesPerDraw;
}

LotterySession& lotterySession() {
  static LotterySession* instance = new LotterySession();
  return *instance;
}

}  // namespace tavrin
