#pragma once
// The history every benchmark measures on: count draws of a 36-choose-7
// lottery, issues from 2000001 upwards, the same numbers on every run.

#include <random>
#include <string>
#include <vector>

#include "base/draw_snapshot.h"

namespace tavrin::bench {

inline std::vector<DrawRecord> SyntheticHistory(int count) {
  std::mt19937 rng(7);
  std::vector<DrawRecord> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    DrawRecord r;
    r.issue = std::to_string(2000001 + i);
    for (int k = 0; k < 7; ++k) r.numbers.push_back(static_cast<int>(rng() % 36) + 1);
    r.date = "2001-01-01";
    out.push_back(std::move(r));
  }
  return out;
}

// The same draws as a lottery's snapshot, as the core analyses read it.
inline DrawSnapshot SyntheticSnapshot(int count) {
  DrawSnapshot snapshot;
  snapshot.lottery = "bench";
  snapshot.numberColumns = 7;
  snapshot.rows = SyntheticHistory(count);
  return snapshot;
}

}  // namespace tavrin::bench
