#pragma once
// Every SQL statement of the program lives in the store. Names of tables and
// columns are always quoted through QuoteIdentifier; a lottery's name is
// checked once, when the lottery is created.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "base/draw_snapshot.h"

namespace tavrin::store {

inline constexpr int kSnapshotCap = 20000;

struct LotteryOptions {
  QString name;
  int type = 1;          // 0 "乐透型", 1 "数字型"
  int numberTotal = 10;  // 号码总数
  int picks = 3;         // 选择号码数: the number columns of the draw table
  QString drawTime;      // 开奖时间
  QString weekdays;      // 开奖星期, digits 1..7 ascending
};

QString QuoteIdentifier(const QString& identifier);
QString DrawTableName(const QString& lottery);     // name + "彩票号码表"
QString OptionsTableName(const QString& lottery);  // name + "彩票选项表"

// Why a new lottery cannot take this name, or nothing when it can: not empty,
// at most 20 characters, only letters (Chinese among them), digits and "_".
std::optional<QString> LotteryNameProblem(const QString& name);

// Draw weekdays text from ticked boxes 1..7 ("135"), and back.
QString WeekdaysText(const std::vector<bool>& ticked);

// The default lottery every new database file starts with.
LotteryOptions DefaultLottery();

// A private connection to the database file, closed when the object goes.
// Throws std::runtime_error with the database's message on every failure.
class Database {
 public:
  // A missing file is an error unless create is set, which also lays the
  // folder.
  explicit Database(const QString& file, bool create = false);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  QSqlDatabase& connection() { return db_; }
  const QString& file() const { return file_; }

  // The lotteries: user tables ending in 彩票号码表, in the database's order.
  QStringList lotteries();
  // Throws "彩票“NAME”不存在" unless the lottery is there.
  void requireLottery(const QString& lottery);
  LotteryOptions options(const QString& lottery);
  void createLottery(const LotteryOptions& options);
  // The two empty tables of a lottery as createLottery makes them, without
  // checking the name and without the options row: for copying a lottery
  // made elsewhere. Runs inside the caller's transaction, if any.
  void createLotteryTables(const QString& lottery, int picks);
  void dropLottery(const QString& lottery);
  // The number columns of a lottery's draw table.
  int numberColumns(const QString& lottery);
  // The newest cap draws ordered by 记录期号 as text; the table keeps all rows.
  // A negative cap takes every row.
  DrawSnapshot snapshot(const QString& lottery, int cap = kSnapshotCap);
  int drawCount(const QString& lottery);
  // Appends draws in one transaction: all or nothing.
  void appendDraws(const QString& lottery, const std::vector<DrawRecord>& draws);

  // Throws with the query's message when ok is false.
  static void check(bool ok, const class QSqlQuery& query);

 private:
  QString file_;
  QString name_;
  QSqlDatabase db_;
};

// Creates the folder and the file with the default lottery when the file is
// missing or holds no table at all (made under a temporary name and renamed
// into place); leaves any other existing file alone.
void EnsureDefaultDatabase(const QString& file);

}  // namespace tavrin::store
