#include "trend/attributes.h"

namespace tavrin {

AttributeKind AttributeKindFromIndex(int index) {
  switch (index) {
    case 0:
      return AttributeKind::Number;
    case 1:
      return AttributeKind::Zodiac;
    case 3:
      return AttributeKind::Direction;
    default:
      return AttributeKind::Season;
  }
}

bool IsDrawableNumber(int n) { return n >= kMinNumber && n <= kMaxNumber; }

std::optional<int> ZodiacOf(int n) {
  if (!IsDrawableNumber(n)) return std::nullopt;
  return (n - 1) % 12 + 1;
}

std::optional<int> SeasonOf(int n) {
  if (!IsDrawableNumber(n)) return std::nullopt;
  return (n - 1) / 9 + 1;
}

std::optional<int> DirectionOf(int n) {
  if (!IsDrawableNumber(n)) return std::nullopt;
  const bool odd = n % 2 != 0;
  if (n <= 17 && odd) return 1;
  if (n <= 18 && !odd) return 2;
  if (n >= 19 && odd) return 3;
  return 4;
}

std::optional<int> AttributeOf(AttributeKind kind, int n) {
  switch (kind) {
    case AttributeKind::Number:
      if (!IsDrawableNumber(n)) return std::nullopt;
      return n;
    case AttributeKind::Zodiac:
      return ZodiacOf(n);
    case AttributeKind::Season:
      return SeasonOf(n);
    case AttributeKind::Direction:
      return DirectionOf(n);
  }
  return std::nullopt;
}

int ValueCountOf(AttributeKind kind) {
  switch (kind) {
    case AttributeKind::Number:
      return 36;
    case AttributeKind::Zodiac:
      return 12;
    case AttributeKind::Season:
    case AttributeKind::Direction:
      return 4;
  }
  return 0;
}

const char* AttributeKindText(AttributeKind kind) {
  switch (kind) {
    case AttributeKind::Number:
      return "号码";
    case AttributeKind::Zodiac:
      return "生肖";
    case AttributeKind::Season:
      return "季节";
    case AttributeKind::Direction:
      return "方位";
  }
  return "";
}

void AttributeTables::Fill() {
  zodiac_ = {"鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪"};
  season_ = {"春", "夏", "秋", "冬"};
  direction_ = {"东", "南", "西", "北"};
  filled_ = true;
}

std::string AttributeTables::Name(AttributeKind kind, int k) const {
  auto pick = [k](const auto& table) -> std::string {
    if (k < 1 || k > static_cast<int>(table.size())) return {};
    return table[static_cast<std::size_t>(k - 1)];
  };
  switch (kind) {
    case AttributeKind::Number:
      return {};
    case AttributeKind::Zodiac:
      return pick(zodiac_);
    case AttributeKind::Season:
      return pick(season_);
    case AttributeKind::Direction:
      return pick(direction_);
  }
  return {};
}

const AttributeTables& FilledAttributeTables() {
  static const AttributeTables tables = [] {
    AttributeTables t;
    t.Fill();
    return t;
  }();
  return tables;
}

}  // namespace tavrin
