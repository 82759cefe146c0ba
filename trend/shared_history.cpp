#include "trend/shared_history.h"

#include <mutex>

namespace tavrin {

namespace {
std::mutex& guard() {
  static std::mutex m;
  return m;
}
std::shared_ptr<const DrawHistory>& current() {
  static std::shared_ptr<const DrawHistory> h = std::make_shared<const DrawHistory>();
  return h;
}
}  // namespace

std::shared_ptr<const DrawHistory> SharedDrawHistory() {
  std::lock_guard lock(guard());
  return current();
}

void PublishDrawHistory(std::shared_ptr<const DrawHistory> history) {
  if (!history) history = std::make_shared<const DrawHistory>();
  std::lock_guard lock(guard());
  current() = std::move(history);
}

}  // namespace tavrin
