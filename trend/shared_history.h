#pragma once
// The process-wide copy of the draws that the trend window created last
// publishes in the values of its grouping, and the investment mode reads.
// It is an immutable value: publishing replaces it, never changes it, so a
// reader (a worker thread among them) keeps its own reference as long as it
// needs it.

#include <memory>

#include "trend/draw_history.h"

namespace tavrin {

// Never null: an empty history before anything was published.
std::shared_ptr<const DrawHistory> SharedDrawHistory();
void PublishDrawHistory(std::shared_ptr<const DrawHistory> history);

}  // namespace tavrin
