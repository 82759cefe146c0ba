#pragma once
// Small builders the investment mode suites share: marks from hit
// positions, and the inputs of the worked examples.

#include <initializer_list>
#include <random>
#include <vector>

#include "mode/draw_marks.h"
#include "mode/mode_settings.h"

namespace tavrin::mode::test {

// N draws, issues 1..N, hit at the given 1-based positions.
inline std::vector<DrawMark> Marks(int n, std::initializer_list<int> hitPositions) {
  std::vector<bool> hits(static_cast<std::size_t>(n), false);
  for (int t : hitPositions) hits[static_cast<std::size_t>(t - 1)] = true;
  return MarksOfHits(hits);
}

// N draws, each a hit with the given probability.
inline std::vector<DrawMark> RandomMarks(std::mt19937_64& rng, int n, double hitRate) {
  std::bernoulli_distribution hit(hitRate);
  std::vector<bool> hits(static_cast<std::size_t>(n));
  for (std::size_t i = 0; i < hits.size(); ++i) hits[i] = hit(rng);
  return MarksOfHits(hits);
}

// U 200 (100 codes), W 1000, R 10, wide limits.
inline ModeInputs ExampleInputs(int planLength, int interval, int count, int wait, bool carriedLoss) {
  ModeInputs in;
  in.rate = 10;
  in.unitCost = 200;
  in.prize = 1000;
  in.stakeLimit = 1000000;
  in.outlayLimit = 1000000;
  in.planLength = planLength;
  in.interval = interval;
  in.count = count;
  in.wait = wait;
  in.carriedLoss = carriedLoss;
  return in;
}

}  // namespace tavrin::mode::test
