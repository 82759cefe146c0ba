#include "store/draw_transfer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "base/http_client.h"
#include "tests/store/history_site.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::store;

namespace {

const QString kLottery = QStringLiteral("南粤风采36选7");

class DrawTransferTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString file() const { return dir.path() + QStringLiteral("/数据库/彩票数据.mdb"); }
  void SetUp() override { EnsureDefaultDatabase(file()); }

  QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
};

}  // namespace

TEST_F(DrawTransferTest, ExportHoldsEveryStoredDrawInIssueOrder) {
  Database db(file());
  // More than a lottery keeps open: the export is of the table, not of the snapshot.
  std::vector<int> numbers(kSnapshotCap + 1, 7);
  db.appendDraws(kLottery, test::MakeDraws(numbers, 1000000));
  // Stored after them, listed before them: the order is the issue's text order.
  std::vector<DrawRecord> early = test::MakeDraws({9});
  early[0].issue = "0999999";
  db.appendDraws(kLottery, early);
  const QString path = dir.path() + QStringLiteral("/历史号码.txt");
  ExportLotteryToFile(db, kLottery, path);
  const QByteArray bytes = read(path);
  EXPECT_EQ(bytes.count("\r\n"), kSnapshotCap + 2);
  EXPECT_TRUE(bytes.startsWith("999999 02 03 04 05 06 07 09 \r\n1000000 ")) << bytes.left(60).toStdString();
  EXPECT_TRUE(bytes.endsWith("1020000 02 03 04 05 06 07 07 \r\n"));
}

TEST_F(DrawTransferTest, AFailedExportLeavesTheFileAsItWas) {
  Database db(file());
  db.appendDraws(kLottery, test::MakeDraws({1, 2, 3}));
  QSqlQuery q(db.connection());
  ASSERT_TRUE(q.exec(QStringLiteral("UPDATE \"南粤风采36选7彩票号码表\" SET \"4\"=NULL WHERE 记录期号='2001002'")));
  const QString path = dir.path() + QStringLiteral("/历史号码.txt");
  write(path, "old content\r\n");
  try {
    ExportLotteryToFile(db, kLottery, path);
    FAIL() << "exported a row with an empty cell";
  } catch (const ExportError& e) {
    EXPECT_EQ(e.issue(), "2001002");
  }
  EXPECT_EQ(read(path), QByteArray("old content\r\n"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("历史号码.txt")});
}

TEST_F(DrawTransferTest, AnEmptyLotteryExportsAnEmptyFile) {
  Database db(file());
  const QString path = dir.path() + QStringLiteral("/空.txt");
  write(path, "old");
  ExportLotteryToFile(db, kLottery, path);
  EXPECT_EQ(read(path), QByteArray());
  EXPECT_THROW(ExportLotteryToFile(db, kLottery, dir.path() + QStringLiteral("/无此目录/x.txt")), std::runtime_error);
}

TEST_F(DrawTransferTest, DownloadStoresNewDrawsWithTheirDatesDecoded) {
  Database db(file());
  // Stored: 2008001 and 999; in text order 999 is last, so L is 999.
  std::vector<DrawRecord> stored = test::MakeDraws({5, 6});
  stored[0].issue = "2008001";
  stored[1].issue = "999";
  db.appendDraws(kLottery, stored);
  test::FakeSite site;
  site.listWithDetails(1, {{"2008001"}, {"2008002", "36350102030405"}});
  // "08年1月2日" as the page has it, in GBK.
  site.pages[test::kBase + "/detail/2008002.html"].body = test::DetailPage(
      "08\xc4\xea"
      "1\xd4\xc2"
      "2\xc8\xd5");
  site.emptyPagesElsewhere();
  int calls = 0;
  const DownloadOutcome out =
      DownloadHistory(db, kLottery, test::kBase, site.fetch(), [&](const DownloadProgress&) { ++calls; });
  EXPECT_TRUE(out.completed) << out.message;
  EXPECT_EQ(out.added, 1);
  EXPECT_GT(calls, 10);
  const DrawSnapshot s = db.snapshot(kLottery);
  ASSERT_EQ(s.rows.size(), 3u);
  const DrawRecord& added = s.rows[1];  // text order: 2008001, 2008002, 999
  EXPECT_EQ(added.issue, "2008002");
  EXPECT_EQ(added.numbers, (std::vector<std::optional<int>>{36, 35, 1, 2, 3, 4, 5}));
  EXPECT_EQ(QString::fromStdString(added.date), QStringLiteral("08年1月2日"));
}

TEST_F(DrawTransferTest, ADateCutInsideACharacterKeepsItsWholeCharacters) {
  Database db(file());
  test::FakeSite site;
  site.listWithDetails(1, {{"2008001"}});
  // "2008-1-10日": the tenth byte is the first half of 日.
  site.pages[test::kBase + "/detail/2008001.html"].body = test::DetailPage("2008-1-10\xc8\xd5");
  site.emptyPagesElsewhere();
  const DownloadOutcome out = DownloadHistory(db, kLottery, test::kBase, site.fetch());
  EXPECT_TRUE(out.completed) << out.message;
  const DrawSnapshot s = db.snapshot(kLottery);
  ASSERT_EQ(s.rows.size(), 1u);
  EXPECT_EQ(s.rows[0].date, "2008-1-10");
}

TEST_F(DrawTransferTest, DownloadKeepsWhatCameBeforeAFailure) {
  Database db(file());
  test::FakeSite site;
  site.listWithDetails(1, {{"2008001"}, {"2008002"}});
  site.pages.erase(test::kBase + "/detail/2008002.html");
  const DownloadOutcome out = DownloadHistory(db, kLottery, test::kBase, site.fetch());
  EXPECT_FALSE(out.completed);
  EXPECT_EQ(db.drawCount(kLottery), 1);
  EXPECT_NE(out.message.find("此前已下载1期"), std::string::npos) << out.message;
}

TEST_F(DrawTransferTest, DownloadRefusesALotteryThatIsNotSevenNumbers) {
  Database db(file());
  LotteryOptions three = DefaultLottery();
  three.name = QStringLiteral("三码");
  three.picks = 3;
  db.createLottery(three);
  test::FakeSite site;
  EXPECT_THROW(DownloadHistory(db, three.name, test::kBase, site.fetch()), std::runtime_error);
  EXPECT_THROW(DownloadHistory(db, QStringLiteral("没有"), test::kBase, site.fetch()), std::runtime_error);
  EXPECT_TRUE(site.fetched.empty());
}

TEST(OperatorUrl, TheEnvironmentOverridesTheBuiltInAddress) {
  qunsetenv("TAVRIN_OPERATOR_URL");
  const std::string builtIn = OperatorUrl().toStdString();
  EXPECT_EQ(builtIn.rfind("http://", 0), 0u);
  qputenv("TAVRIN_OPERATOR_URL", "http://127.0.0.1:8080");
  EXPECT_EQ(OperatorUrl(), QStringLiteral("http://127.0.0.1:8080"));
  qunsetenv("TAVRIN_OPERATOR_URL");
}
