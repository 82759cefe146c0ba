#include "store/draw_table_model.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QTemporaryDir>

#include "store/lottery_store.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::store;
using State = DrawTableModel::State;

namespace {

const QString kLottery = QStringLiteral("南粤风采36选7");

class DrawTableModelTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  std::unique_ptr<Database> db;

  void SetUp() override {
    const QString file = dir.path() + QStringLiteral("/彩票数据.mdb");
    EnsureDefaultDatabase(file);
    db = std::make_unique<Database>(file);
  }
  void add(const std::vector<int>& numbers, int first = 2001001) {
    db->appendDraws(kLottery, test::MakeDraws(numbers, first));
  }
  // The stored rows as "issue n1 .. n7 date", in the table's issue order.
  QStringList stored() {
    QStringList out;
    for (const DrawRecord& r : db->snapshot(kLottery, -1).rows) {
      QStringList f{QString::fromStdString(r.issue)};
      for (const auto& n : r.numbers) f << (n ? QString::number(*n) : QStringLiteral("-"));
      f << QString::fromStdString(r.date);
      out << f.join(QLatin1Char(' '));
    }
    return out;
  }
  static QString at(const DrawTableModel& m, int row, int column) { return m.data(m.index(row, column)).toString(); }
  static void type(DrawTableModel& m, int row, int column, const QString& text) {
    ASSERT_TRUE(m.setData(m.index(row, column), text));
  }
};

}  // namespace

TEST_F(DrawTableModelTest, ColumnsInTableOrderAndRowsInIssueTextOrder) {
  add({1, 2});
  std::vector<DrawRecord> odd = test::MakeDraws({3});
  odd[0].issue = "999";  // text order puts it last
  db->appendDraws(kLottery, odd);
  add({4}, 2001001);  // the same issue again stays after the first
  DrawTableModel m(*db, kLottery);
  QStringList titles;
  for (int c = 0; c < m.columnCount(); ++c) titles << m.headerData(c, Qt::Horizontal).toString();
  EXPECT_EQ(titles.join(QLatin1Char(',')), QStringLiteral("记录期号,1,2,3,4,5,6,7,开奖日期"));
  ASSERT_EQ(m.rowCount(), 4);
  EXPECT_EQ(at(m, 0, 0), QStringLiteral("2001001"));
  EXPECT_EQ(at(m, 0, 7), QStringLiteral("1"));
  EXPECT_EQ(at(m, 1, 7), QStringLiteral("4"));
  EXPECT_EQ(at(m, 2, 0), QStringLiteral("2001002"));
  EXPECT_EQ(at(m, 3, 0), QStringLiteral("999"));
  EXPECT_EQ(at(m, 3, 8), QStringLiteral("2001-01-01"));
}

TEST_F(DrawTableModelTest, ReadsOnlyTheRowsAskedFor) {
  add(std::vector<int>(20000, 5));
  DrawTableModel m(*db, kLottery);
  EXPECT_EQ(m.rowCount(), 20000);
  EXPECT_EQ(m.rowsRead(), 0);
  EXPECT_EQ(at(m, 19999, 0), QStringLiteral("2021000"));
  EXPECT_GT(m.rowsRead(), 0);
  EXPECT_LE(m.rowsRead(), 64);
}

TEST_F(DrawTableModelTest, EditingAndPostingARow) {
  add({1, 2});
  DrawTableModel m(*db, kLottery);
  int changes = 0;
  m.setStateListener([&] { ++changes; });
  // An editor left without a change does not start editing.
  type(m, 1, 7, QStringLiteral("2"));
  EXPECT_EQ(m.state(), State::Browse);
  type(m, 1, 7, QStringLiteral(" 36 "));
  EXPECT_EQ(m.state(), State::Edit);
  EXPECT_EQ(m.editRow(), 1);
  EXPECT_TRUE(m.modified());
  // Another row cannot be typed into while one is being edited.
  EXPECT_FALSE(m.setData(m.index(0, 7), QStringLiteral("9")));
  type(m, 1, 8, QString());  // an emptied field is stored empty
  m.post();
  EXPECT_EQ(m.state(), State::Browse);
  EXPECT_GE(changes, 2);
  EXPECT_EQ(at(m, 1, 7), QStringLiteral("36"));
  EXPECT_EQ(stored().value(1), QStringLiteral("2001002 2 3 4 5 6 7 36 "));
  EXPECT_EQ(stored().value(0), QStringLiteral("2001001 2 3 4 5 6 7 1 2001-01-01"));
}

TEST_F(DrawTableModelTest, ARefusedPostKeepsTheRowInEdit) {
  add({1});
  DrawTableModel m(*db, kLottery);
  const QStringList before = stored();
  const struct {
    int column;
    const char* typed;
    const char* says;  // part of the message
  } cases[] = {
      {0, "20010011", "CHECK constraint failed"},  // longer than 7: the table refuses it
      {3, "abc", "CHECK constraint failed"},       // not a number: the table refuses it
      {3, "1.0", "'1.0' 不是有效的整数值"},        // the engine would store 1: refused before it
      {3, "99999999999", "'99999999999' 不是有效的整数值"},
      {8, "2001-01-01x", "CHECK constraint failed"},
  };
  for (const auto& c : cases) {
    type(m, 0, c.column, QString::fromUtf8(c.typed));
    try {
      m.post();
      ADD_FAILURE() << c.typed << " was posted";
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << c.typed << ": " << e.what();
    }
    EXPECT_EQ(m.state(), State::Edit) << c.typed;
    EXPECT_EQ(at(m, 0, c.column), QString::fromUtf8(c.typed));
    EXPECT_THROW(m.checkBrowseMode(), std::exception) << c.typed;
    m.cancel();
    EXPECT_EQ(m.state(), State::Browse);
  }
  EXPECT_EQ(stored(), before);
  EXPECT_EQ(at(m, 0, 0), QStringLiteral("2001001"));
}

TEST_F(DrawTableModelTest, AppendedRowsStayAtTheEndUntilRefreshed) {
  add({1, 2});
  DrawTableModel m(*db, kLottery);
  const int row = m.append();
  EXPECT_EQ(row, 2);
  EXPECT_EQ(m.state(), State::Insert);
  EXPECT_EQ(m.headerData(row, Qt::Vertical).toString(), QStringLiteral("*"));
  type(m, row, 0, QStringLiteral("2000001"));
  for (int c = 1; c <= 7; ++c) type(m, row, c, QString::number(c));
  // Appending again posts the typed row first.
  const int next = m.append();
  EXPECT_EQ(next, 3);
  EXPECT_EQ(at(m, 2, 0), QStringLiteral("2000001"));
  EXPECT_EQ(stored().value(0), QStringLiteral("2000001 1 2 3 4 5 6 7 "));
  // A new row nobody typed into is dropped, not stored empty.
  m.post();
  EXPECT_EQ(m.rowCount(), 3);
  EXPECT_EQ(db->drawCount(kLottery), 3);
  // Refreshing puts the added row in its issue order and follows it there.
  EXPECT_EQ(m.refresh(2), 0);
  EXPECT_EQ(at(m, 0, 0), QStringLiteral("2000001"));
}

TEST_F(DrawTableModelTest, InsertCancelAndRemove) {
  add({1, 2, 3});
  DrawTableModel m(*db, kLottery);
  EXPECT_EQ(m.insert(1), 1);
  EXPECT_EQ(m.rowCount(), 4);
  EXPECT_EQ(at(m, 2, 0), QStringLiteral("2001002"));
  type(m, 1, 0, QStringLiteral("2001009"));
  m.cancel();
  EXPECT_EQ(m.rowCount(), 3);
  EXPECT_EQ(at(m, 1, 0), QStringLiteral("2001002"));
  // Removing a row not yet posted only drops it.
  m.insert(0);
  m.remove(0);
  EXPECT_EQ(m.rowCount(), 3);
  EXPECT_EQ(db->drawCount(kLottery), 3);
  // Removing a stored row deletes it at once, dropping an edit in progress.
  type(m, 1, 7, QStringLiteral("30"));
  m.remove(1);
  EXPECT_EQ(m.state(), State::Browse);
  EXPECT_EQ(m.rowCount(), 2);
  EXPECT_EQ(stored().size(), 2);
  EXPECT_EQ(at(m, 1, 0), QStringLiteral("2001003"));
  // Editing a cancelled row shows the stored values again.
  m.edit(0);
  type(m, 0, 7, QStringLiteral("33"));
  m.cancel();
  EXPECT_EQ(at(m, 0, 7), QStringLiteral("1"));
}

TEST_F(DrawTableModelTest, EditingAnEmptyTableBeginsANewRow) {
  DrawTableModel m(*db, kLottery);
  EXPECT_EQ(m.rowCount(), 0);
  m.edit(0);
  EXPECT_EQ(m.state(), State::Insert);
  EXPECT_EQ(m.rowCount(), 1);
  type(m, 0, 0, QStringLiteral("2008001"));
  type(m, 0, 7, QStringLiteral("07"));
  m.checkBrowseMode();
  EXPECT_EQ(stored(), QStringList{QStringLiteral("2008001 - - - - - - 7 ")});
}

TEST_F(DrawTableModelTest, AMissingLotteryIsTheDatabasesError) {
  try {
    DrawTableModel m(*db, QStringLiteral("没有"));
    FAIL() << "opened";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("no such table"), std::string::npos) << e.what();
  }
}
