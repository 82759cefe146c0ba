#include "app/u_public.h"

namespace tavrin {

namespace detail {
CurrentLotteryState& WritableCurrentLottery() {
  static CurrentLotteryState state;
  return state;
}
}  // namespace detail

const CurrentLotteryState& CurrentLottery() { return detail::WritableCurrentLottery(); }

}  // namespace tavrin
