#include "analysis/value_statistics.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

#include "base/integer_text.h"

namespace tavrin::analysis {

namespace {

// Values per draw: one number per draw, so one value under every grouping.
// It stays in the formulas because the theoretical figures are defined by it.
constexpr std::int64_t d = 1;

std::string Decimal(std::int64_t v) { return std::to_string(v); }

// The chase value cell without its trailing "%".
std::int64_t ChaseKey(const std::string& cell) {
  return ToInteger(cell.empty() ? cell : cell.substr(0, cell.size() - 1));
}

std::int64_t SortKey(const StatisticsRow& row, SortMode mode) {
  switch (mode) {
    case SortMode::ChaseValue:
      return ChaseKey(row[kColChaseValue]);
    case SortMode::Omission:
      return ToInteger(row[kColOmission]);
    case SortMode::ActualHits:
      return ToInteger(row[kColActualHits]);
    case SortMode::None:
      break;
  }
  return 0;
}

std::string ValueText(AttributeKind kind, int k, const AttributeTables& names) {
  if (kind == AttributeKind::Number) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2d", k);
    return buf;
  }
  return names.Name(kind, k);
}

// What the walk over the history gathers for one value, newest draw first.
struct ValueWalk {
  std::int64_t hits = 0;
  std::int64_t longest = 0;
  std::int64_t previous = 0;  // position of the last hit seen (newest at start)
  std::int64_t omission = 0;  // column 5: current omission, or rebound spell
  bool omissionSet = false;   // column 6 is written only once this is set
  std::array<std::int64_t, 4> gaps{};
};

}  // namespace

std::string FormatOneDecimal(std::int64_t num, std::int64_t den) {
  if (den == 0) throw std::invalid_argument("FormatOneDecimal: 除数为零");
  if (den < 0) {
    num = -num;
    den = -den;
  }
  const bool negative = num < 0;
  const std::int64_t a = negative ? -num : num;
  // Tenths, rounded half up on the magnitude: away from zero.
  const std::int64_t tenths = (a * 20 + den) / (den * 2);
  std::string s = Decimal(tenths / 10) + "." + Decimal(tenths % 10);
  return negative && tenths != 0 ? "-" + s : s;
}

std::int64_t ChaseValue(std::int64_t omission, std::int64_t drawCount, int valueCount, std::int64_t hits) {
  if (hits == 0 || valueCount == 0) return 0;
  const std::int64_t v = valueCount;
  return (omission * 100 * d * d * drawCount) / (v * v * hits);
}

std::array<std::string, kColumnCount> ColumnTitles(AttributeKind kind, StatisticsMode mode) {
  const char* first = "待选号码";
  switch (kind) {
    case AttributeKind::Number:
      first = "待选号码";
      break;
    case AttributeKind::Zodiac:
      first = "待选生肖";
      break;
    case AttributeKind::Season:
      first = "待选季节";
      break;
    case AttributeKind::Direction:
      first = "待选方位";
      break;
  }
  return {first,
          "理论周期",
          "理论中奖总次数",
          "实际总奖总次数",
          "历史最大遗漏",
          mode == StatisticsMode::Skew ? "目前遗漏" : "前次遗漏",
          "目前冷态倍数",
          "追号价值"};
}

StatisticsTable BuildStatisticsTable(const DrawHistory& history, AttributeKind kind, StatisticsMode mode,
                                     const AttributeTables& names) {
  const int V = ValueCountOf(kind);
  const auto N = static_cast<std::int64_t>(history.entries.size());

  // One pass from the newest draw back gives every value's figures at once;
  // the result is the same as walking the history once per value.
  std::vector<ValueWalk> walks(static_cast<std::size_t>(V) + 1);
  for (ValueWalk& w : walks) w.previous = N - 1;
  for (std::int64_t p = N - 1; p >= 0; --p) {
    const std::optional<int>& value = history.entries[static_cast<std::size_t>(p)].value;
    if (!value || *value < 1 || *value > V) continue;  // nobody's hit
    ValueWalk& w = walks[static_cast<std::size_t>(*value)];
    ++w.hits;
    const std::int64_t gap = w.previous - p;
    if (mode == StatisticsMode::Skew) {
      if (w.hits == 1) {
        w.omission = N - 1 - p;
        w.omissionSet = true;
      }
    } else {
      if (w.hits <= 4) w.gaps[static_cast<std::size_t>(w.hits - 1)] = gap;
      // Thresholds 1.5·P, P and 3·P with P = V / d, compared exactly in
      // integers: g ≤ 1.5·V/d  ⇔  2·g·d ≤ 3·V.
      const auto quick1 = [&](std::int64_t g) { return 2 * g * d <= 3 * V; };
      const auto quick = [&](std::int64_t g) { return g * d <= V; };
      const auto cold = [&](std::int64_t g) { return g * d >= 3 * V; };
      const auto& g = w.gaps;
      if ((w.hits == 3 && quick1(g[0]) && quick(g[1]) && cold(g[2])) ||
          (w.hits == 4 && quick1(g[0]) && quick(g[1]) && quick(g[2]) && cold(g[3]))) {
        w.omission = g[static_cast<std::size_t>(w.hits - 1)];
        w.omissionSet = true;
      }
    }
    if (gap > w.longest) w.longest = gap;
    w.previous = p;
  }

  StatisticsTable table;
  table.kind = kind;
  table.mode = mode;
  table.titles = ColumnTitles(kind, mode);
  table.rows.reserve(static_cast<std::size_t>(V));
  const std::string period = FormatOneDecimal(V, d);
  const std::string theoretical = FormatOneDecimal(N * d, V);
  for (int k = 1; k <= V; ++k) {
    const ValueWalk& w = walks[static_cast<std::size_t>(k)];
    StatisticsRow row;
    row[kColValue] = ValueText(kind, k, names);
    row[kColPeriod] = period;
    row[kColTheoreticalHits] = theoretical;
    row[kColActualHits] = Decimal(w.hits);
    row[kColLongestOmission] = Decimal(w.longest);
    row[kColOmission] = Decimal(w.omission);
    row[kColColdMultiple] = w.omissionSet ? FormatOneDecimal(w.omission * d, V) : "0";
    row[kColChaseValue] = Decimal(ChaseValue(w.omission, N, V, w.hits)) + "%";
    table.rows.push_back(std::move(row));
  }
  return table;
}

void SortStatisticsTable(StatisticsTable& table, SortMode mode) {
  if (mode == SortMode::None) return;
  auto& rows = table.rows;
  const std::size_t n = rows.size();
  // The keys travel with their rows, so each text is read back once.
  std::vector<std::int64_t> keys(n);
  for (std::size_t i = 0; i < n; ++i) keys[i] = SortKey(rows[i], mode);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      const bool exchange = mode == SortMode::ActualHits ? keys[j] < keys[i] : keys[i] < keys[j];
      if (exchange) {
        std::swap(rows[i], rows[j]);
        std::swap(keys[i], keys[j]);
      }
    }
  }
}

StatisticsTable AnalyseHistory(const DrawHistory& history, AttributeKind kind, StatisticsMode mode, SortMode sort,
                               const AttributeTables& names) {
  StatisticsTable t = BuildStatisticsTable(history, kind, mode, names);
  SortStatisticsTable(t, sort);
  return t;
}

ChartSeriesData ChartFromTable(const StatisticsTable& table) {
  ChartSeriesData c;
  c.labels.reserve(table.rows.size());
  for (auto& v : c.values) v.reserve(table.rows.size());
  for (const StatisticsRow& row : table.rows) {
    c.labels.push_back(row[kColValue]);
    c.values[0].push_back(static_cast<double>(ChaseKey(row[kColChaseValue])));
    c.values[1].push_back(static_cast<double>(ToInteger(row[kColOmission])));
    c.values[2].push_back(static_cast<double>(ToInteger(row[kColActualHits])));
    c.values[3].push_back(static_cast<double>(ToInteger(row[kColLongestOmission])));
  }
  return c;
}

std::array<std::string, 4> SeriesTitles(StatisticsMode mode) {
  return {"追号价值", mode == StatisticsMode::Skew ? "目前遗漏" : "前次遗漏", "中奖次数", "历史最大遗漏"};
}

}  // namespace tavrin::analysis
