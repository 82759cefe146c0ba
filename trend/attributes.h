#pragma once
// The groupings of the 36 numbers: zodiac sign, season and direction.
// Pure rules; a number outside 1..36 has no value under any grouping, which
// the optional results make impossible to use as a table index by mistake.

#include <array>
#include <optional>
#include <string>

namespace tavrin {

enum class AttributeKind { Number = 0, Zodiac = 1, Season = 2, Direction = 3 };

inline constexpr int kMinNumber = 1;
inline constexpr int kMaxNumber = 36;

// The kind for an item index of optqianhou / a trend tab; other indexes fall
// back the way the windows size their tables: 0 numbers, 1 zodiac, else season.
AttributeKind AttributeKindFromIndex(int index);

bool IsDrawableNumber(int n);

std::optional<int> ZodiacOf(int n);
std::optional<int> SeasonOf(int n);
std::optional<int> DirectionOf(int n);
std::optional<int> AttributeOf(AttributeKind kind, int n);

// 36, 12, 4, 4.
int ValueCountOf(AttributeKind kind);

// Item texts of optqianhou: "号码", "生肖", "季节", "方位".
const char* AttributeKindText(AttributeKind kind);

// The names of the 12 zodiac signs, 4 seasons and 4 directions (UTF-8). They
// are empty until Fill() runs.
class AttributeTables {
 public:
  void Fill();
  bool IsFilled() const { return filled_; }
  // Name of value k (1-based) of kinds 1..3; empty for kind 0, for a k out of
  // range and before Fill().
  std::string Name(AttributeKind kind, int k) const;

 private:
  std::array<std::string, 12> zodiac_{};
  std::array<std::string, 4> season_{};
  std::array<std::string, 4> direction_{};
  bool filled_ = false;
};

// The names as every window and the command-line tool show them.
const AttributeTables& FilledAttributeTables();

}  // namespace tavrin
