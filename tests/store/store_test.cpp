#include <gtest/gtest.h>

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include "store/lottery_store.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::store;

namespace {

class StoreTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString file() const { return dir.path() + QStringLiteral("/数据库/彩票数据.mdb"); }
  void SetUp() override { EnsureDefaultDatabase(file()); }

  std::vector<QString> issues(Database& db, const QString& lottery) {
    std::vector<QString> out;
    for (const DrawRecord& r : db.snapshot(lottery).rows) out.push_back(QString::fromStdString(r.issue));
    return out;
  }
};

LotteryOptions options(const QString& name, int picks = 2) {
  LotteryOptions o;
  o.name = name;
  o.picks = picks;
  o.type = 1;
  o.numberTotal = 10;
  o.drawTime = QStringLiteral("20:00");
  o.weekdays = QStringLiteral("135");
  return o;
}

}  // namespace

TEST_F(StoreTest, NewFileHoldsTheDefaultLottery) {
  Database db(file());
  EXPECT_EQ(db.lotteries(), QStringList{QStringLiteral("南粤风采36选7")});
  const LotteryOptions o = db.options(QStringLiteral("南粤风采36选7"));
  EXPECT_EQ(o.numberTotal, 36);
  EXPECT_EQ(o.picks, 7);
  EXPECT_EQ(o.weekdays, QStringLiteral("1234567"));
  EXPECT_EQ(db.numberColumns(o.name), 7);
  EXPECT_TRUE(db.snapshot(o.name).rows.empty());
}

TEST_F(StoreTest, CreateListShowAndDrop) {
  Database db(file());
  db.createLottery(options(QStringLiteral("X"), 2));
  EXPECT_EQ(db.lotteries(), (QStringList{QStringLiteral("南粤风采36选7"), QStringLiteral("X")}));
  const LotteryOptions o = db.options(QStringLiteral("X"));
  EXPECT_EQ(o.name, QStringLiteral("X"));
  EXPECT_EQ(o.type, 1);
  EXPECT_EQ(o.picks, 2);
  EXPECT_EQ(o.drawTime, QStringLiteral("20:00"));
  EXPECT_EQ(o.weekdays, QStringLiteral("135"));
  // The draw table's columns are 记录期号, 1..S, 开奖日期 in that order.
  QSqlQuery q(db.connection());
  ASSERT_TRUE(q.exec(QStringLiteral("SELECT * FROM \"X彩票号码表\"")));
  ASSERT_EQ(q.record().count(), 4);
  EXPECT_EQ(q.record().fieldName(0), QStringLiteral("记录期号"));
  EXPECT_EQ(q.record().fieldName(1), QStringLiteral("1"));
  EXPECT_EQ(q.record().fieldName(2), QStringLiteral("2"));
  EXPECT_EQ(q.record().fieldName(3), QStringLiteral("开奖日期"));
  q = QSqlQuery();
  db.dropLottery(QStringLiteral("X"));
  EXPECT_EQ(db.lotteries(), QStringList{QStringLiteral("南粤风采36选7")});
}

TEST_F(StoreTest, OnlyDrawTablesAreListed) {
  Database db(file());
  // SQLite's own tables start with "sqlite_"; a lottery may start with "SQLite".
  db.createLottery(options(QStringLiteral("SQLite甲"), 7));
  db.createLottery(options(QStringLiteral("sqliteX"), 7));
  QSqlQuery q(db.connection());
  ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE 备注(内容 varchar(50))")));
  ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE \"甲彩票号码表备份\"(a integer)")));
  EXPECT_EQ(db.lotteries(),
            (QStringList{QStringLiteral("南粤风采36选7"), QStringLiteral("SQLite甲"), QStringLiteral("sqliteX")}));
}

struct NameCase {
  const char* name;
  bool accepted;
};

class LotteryNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(LotteryNames, CheckedBeforeAnythingIsCreated) {
  const NameCase c = GetParam();
  EXPECT_EQ(!LotteryNameProblem(QString::fromUtf8(c.name)).has_value(), c.accepted) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, LotteryNames,
                         ::testing::Values(NameCase{"南粤风采36选7", true}, NameCase{"ABC_3d", true},
                                           NameCase{"", false}, NameCase{"a b", false}, NameCase{"x\"y", false},
                                           NameCase{"x'y", false}, NameCase{"x;drop", false}, NameCase{"x-y", false},
                                           NameCase{"一二三四五六七八九十一二三四五六七八九十", true},
                                           NameCase{"一二三四五六七八九十一二三四五六七八九十一", false}));

TEST_F(StoreTest, ABadNameCreatesNothing) {
  Database db(file());
  EXPECT_THROW(db.createLottery(options(QStringLiteral("a b"))), std::runtime_error);
  EXPECT_THROW(db.createLottery(options(QStringLiteral("q\"x"))), std::runtime_error);
  EXPECT_EQ(db.lotteries().size(), 1);
}

TEST_F(StoreTest, CreatingAnExistingLotteryLeavesNoHalfLottery) {
  Database db(file());
  QSqlQuery q(db.connection());
  // The options table exists already, the draw table does not: the create
  // fails at the second table and must take the first one back.
  ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE \"Y彩票选项表\"(a integer)")));
  EXPECT_THROW(db.createLottery(options(QStringLiteral("Y"))), std::runtime_error);
  EXPECT_FALSE(db.lotteries().contains(QStringLiteral("Y")));
  ASSERT_TRUE(q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name='Y彩票号码表'")));
  q.next();
  EXPECT_EQ(q.value(0).toInt(), 0);
}

TEST_F(StoreTest, DroppingIsAllOrNothing) {
  Database db(file());
  db.createLottery(options(QStringLiteral("Z")));
  QSqlQuery q(db.connection());
  ASSERT_TRUE(q.exec(QStringLiteral("DROP TABLE \"Z彩票选项表\"")));
  // The second drop fails, so the first is taken back: the draws survive.
  EXPECT_THROW(db.dropLottery(QStringLiteral("Z")), std::runtime_error);
  EXPECT_TRUE(db.lotteries().contains(QStringLiteral("Z")));
}

TEST_F(StoreTest, NamesThatNeedQuotingStillWork) {
  // A database made elsewhere may hold names our own check would refuse.
  Database db(file());
  QSqlQuery q(db.connection());
  ASSERT_TRUE(q.exec(QStringLiteral(
      "CREATE TABLE \"a \"\"b彩票号码表\"(记录期号 varchar(7), \"1\" integer, \"2\" integer, \"3\" integer, "
      "\"4\" integer, \"5\" integer, \"6\" integer, \"7\" integer, 开奖日期 varchar(10))")));
  const QString name = QStringLiteral("a \"b");
  EXPECT_TRUE(db.lotteries().contains(name));
  db.appendDraws(name, test::MakeDraws({5, 6}));
  EXPECT_EQ(db.snapshot(name).rows.size(), 2u);
  // A name holding a place marker of Qt's text formatting.
  ASSERT_TRUE(
      q.exec(QStringLiteral("CREATE TABLE \"x%1彩票号码表\"(记录期号 varchar(7), \"1\" integer, 开奖日期 text)")));
  ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO \"x%1彩票号码表\" VALUES('2001001', 4, NULL)")));
  EXPECT_EQ(db.snapshot(QStringLiteral("x%1")).rows.size(), 1u);
  // Such a table may hold numbers as text: digits read as numbers, the rest
  // as an empty field.
  ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE \"文本彩票号码表\"(记录期号 text, \"1\" text, 开奖日期 text)")));
  ASSERT_TRUE(
      q.exec(QStringLiteral("INSERT INTO \"文本彩票号码表\" VALUES(2001001, ' 8', '2001-01-01'), "
                            "('2001002', 'x', NULL)")));
  const DrawSnapshot t = db.snapshot(QStringLiteral("文本"));
  ASSERT_EQ(t.rows.size(), 2u);
  EXPECT_EQ(t.rows[0].issue, "2001001");
  EXPECT_EQ(t.rows[0].numbers, (std::vector<std::optional<int>>{8}));
  EXPECT_EQ(t.rows[0].date, "2001-01-01");
  EXPECT_EQ(t.rows[1].numbers, (std::vector<std::optional<int>>{std::nullopt}));
  EXPECT_EQ(t.rows[1].date, "");
}

TEST_F(StoreTest, TheDatabaseRefusesWhatTheColumnsCannotHold) {
  Database db(file());
  QSqlQuery q(db.connection());
  const QString t = QStringLiteral("\"南粤风采36选7彩票号码表\"");
  EXPECT_FALSE(q.exec(QStringLiteral("INSERT INTO %1(记录期号) VALUES('20010011')").arg(t)));
  EXPECT_TRUE(q.lastError().text().contains(QStringLiteral("CHECK constraint failed")))
      << q.lastError().text().toStdString();
  EXPECT_FALSE(q.exec(QStringLiteral("INSERT INTO %1(记录期号,\"7\") VALUES('2001001','x')").arg(t)));
  EXPECT_FALSE(q.exec(QStringLiteral("INSERT INTO %1(记录期号,\"3\") VALUES('2001001',2.5)").arg(t)));
  // Digits typed as text become integers; an empty number stays empty.
  EXPECT_TRUE(q.exec(QStringLiteral("INSERT INTO %1(记录期号,\"7\") VALUES('2001001','12')").arg(t)));
  EXPECT_TRUE(q.exec(QStringLiteral("INSERT INTO %1(记录期号) VALUES('2001002')").arg(t)));
  const DrawSnapshot s = db.snapshot(QStringLiteral("南粤风采36选7"));
  ASSERT_EQ(s.rows.size(), 2u);
  EXPECT_EQ(s.rows[0].numbers[6], 12);
  EXPECT_FALSE(s.rows[1].numbers[6].has_value());
}

TEST_F(StoreTest, SnapshotKeepsTheNewestRowsAndTheFileKeepsAll) {
  Database db(file());
  const QString lot = QStringLiteral("南粤风采36选7");
  std::vector<int> numbers(20001);
  for (std::size_t i = 0; i < numbers.size(); ++i) numbers[i] = static_cast<int>(i % 36) + 1;
  db.appendDraws(lot, test::MakeDraws(numbers, 1000000));
  const DrawSnapshot s = db.snapshot(lot);
  ASSERT_EQ(s.rows.size(), 20000u);
  EXPECT_EQ(s.rows.front().issue, "1000001");  // the oldest row is left out
  EXPECT_EQ(s.rows.back().issue, "1020000");
  EXPECT_EQ(db.drawCount(lot), 20001);  // and stays in the file
  // Opening again gives the same snapshot.
  EXPECT_EQ(db.snapshot(lot).rows.size(), 20000u);
  EXPECT_EQ(db.snapshot(lot, 20001).rows.size(), 20001u);
}

TEST_F(StoreTest, SnapshotIsInTheTextOrderOfTheIssue) {
  Database db(file());
  const QString lot = QStringLiteral("南粤风采36选7");
  std::vector<DrawRecord> rows = test::MakeDraws({1, 2, 3, 4});
  rows[0].issue = "999";
  rows[1].issue = "2001001";
  rows[2].issue = "2003005";
  rows[3].issue = "20030011";  // longer than 7: refused by the table
  EXPECT_THROW(db.appendDraws(lot, rows), std::runtime_error);
  EXPECT_EQ(db.drawCount(lot), 0);  // nothing of the batch was kept
  rows.pop_back();
  db.appendDraws(lot, rows);
  std::vector<QString> got = issues(db, lot);
  EXPECT_EQ(got, (std::vector<QString>{QStringLiteral("2001001"), QStringLiteral("2003005"), QStringLiteral("999")}));
}

TEST_F(StoreTest, MissingOrDamagedFilesFailWithAMessage) {
  EXPECT_THROW(Database(dir.path() + QStringLiteral("/none.mdb")), std::runtime_error);
  EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/none.mdb")));
  const QString junk = dir.path() + QStringLiteral("/junk.mdb");
  QFile f(junk);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(4096, 'x'));
  f.close();
  try {
    Database db(junk);
    FAIL() << "a file that is not a database opened";
  } catch (const std::runtime_error& e) {
    EXPECT_FALSE(std::string(e.what()).empty());
  }
  Database db(file());
  EXPECT_THROW(db.snapshot(QStringLiteral("没有这个")), std::runtime_error);
  EXPECT_THROW(db.options(QStringLiteral("没有这个")), std::runtime_error);
}

TEST(Weekdays, TextOfTickedBoxes) {
  EXPECT_EQ(WeekdaysText({true, false, true, false, true, false, false}), QStringLiteral("135"));
  EXPECT_EQ(WeekdaysText(std::vector<bool>(7, false)), QString());
}
