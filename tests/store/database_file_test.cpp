#include "store/database_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>

#include "store/lottery_store.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::store;

namespace {

const QString kLottery = QStringLiteral("南粤风采36选7");
const QString kFixtures = QStringLiteral(TAVRIN_STORE_FIXTURES);
const QString kJet4 = kFixtures + QStringLiteral("/jet4/彩票数据-jet4.mdb");

QByteArray read(const QString& p) {
  QFile f(p);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& p, const QByteArray& bytes) {
  QFile f(p);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

class DatabaseFileTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString file() const { return dir.path() + QStringLiteral("/数据库/彩票数据.mdb"); }
  QString path(const char* name) const { return dir.path() + QLatin1Char('/') + QString::fromUtf8(name); }
  void SetUp() override {
    EnsureDefaultDatabase(file());
    Database db(file());
    db.appendDraws(kLottery, test::MakeDraws({1, 2, 3}));
  }

  // What a failed restore must leave: the same bytes, no .bak, nothing staged.
  QStringList folder() const { return QDir(dir.path() + QStringLiteral("/数据库")).entryList(QDir::Files); }
};

}  // namespace

TEST_F(DatabaseFileTest, BackupIsConsistentWhileAnotherConnectionWrites) {
  Database open(file());
  QSqlQuery q(open.connection());
  ASSERT_TRUE(open.connection().transaction());
  ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO \"南粤风采36选7彩票号码表\"(记录期号) VALUES('2009001')")));
  // Mid-transaction: the copy holds what was committed, not the half-done row.
  const QString copy = path("备份.mdb");
  BackupDatabase(file(), copy);
  ASSERT_TRUE(open.connection().commit());
  EXPECT_EQ(open.drawCount(kLottery), 4);
  Database backup(copy);
  EXPECT_EQ(backup.lotteries(), QStringList{kLottery});
  EXPECT_EQ(backup.drawCount(kLottery), 3);
  // The lottery still open, a second backup over the first takes the new row.
  BackupDatabase(file(), copy);
  Database again(copy);
  EXPECT_EQ(again.drawCount(kLottery), 4);
}

TEST_F(DatabaseFileTest, BackupReportsFailure) {
  const QByteArray before = read(file());
  EXPECT_THROW(BackupDatabase(file(), file()), std::runtime_error);
  EXPECT_THROW(BackupDatabase(file(), path("无此目录/备份.mdb")), std::runtime_error);
  EXPECT_THROW(BackupDatabase(path("无此文件.mdb"), path("备份.mdb")), std::runtime_error);
  EXPECT_FALSE(QFile::exists(path("备份.mdb")));
  // A database that is not one leaves an existing backup as it was.
  write(path("坏.mdb"), QByteArray(8192, 'x'));
  write(path("备份.mdb"), "earlier backup");
  EXPECT_THROW(BackupDatabase(path("坏.mdb"), path("备份.mdb")), std::runtime_error);
  EXPECT_EQ(read(path("备份.mdb")), QByteArray("earlier backup"));
  EXPECT_EQ(read(file()), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
            (QStringList{QStringLiteral("坏.mdb"), QStringLiteral("备份.mdb")}));
}

struct Refusal {
  const char* name;
  std::function<void(const QString&)> make;  // writes the file to restore; nothing for a missing one
  const char* messagePart;
};

class RestoreRefusals : public DatabaseFileTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RestoreRefusals, LeaveTheDatabaseExactlyAsItWas) {
  const Refusal& c = GetParam();
  const QString source = path("选中的.mdb");
  if (c.make) c.make(source);
  const QByteArray before = read(file());
  const QStringList files = folder();
  try {
    RestoreDatabase(source, file());
    FAIL() << "restored";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QString::fromUtf8(c.messagePart)), -1) << e.what();
  }
  EXPECT_EQ(read(file()), before);
  EXPECT_EQ(folder(), files);
}

namespace {

void sqliteWith(const QString& p, const QStringList& statements) {
  Database db(p, true);
  QSqlQuery q(db.connection());
  for (const QString& s : statements) ASSERT_TRUE(q.exec(s)) << s.toStdString();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Cases, RestoreRefusals,
    ::testing::Values(
        Refusal{"MissingFile", nullptr, "找不到要恢复的文件"},
        Refusal{"TextFile", [](const QString& p) { write(p, "2008001 01 02 03 \r\n"); }, "不是本程序的数据库文件"},
        Refusal{"EmptyFile", [](const QString& p) { write(p, ""); }, "不是本程序的数据库文件"},
        Refusal{"Folder", [](const QString& p) { QDir().mkpath(p); }, "不是本程序的数据库文件"},
        Refusal{"SqliteOfAnotherProgram",
                [](const QString& p) { sqliteWith(p, {QStringLiteral("CREATE TABLE users(name text)")}); },
                "没有彩票数据"},
        Refusal{"DrawTableWithoutOptions",
                [](const QString& p) {
                  sqliteWith(p, {QStringLiteral("CREATE TABLE \"甲彩票号码表\"(记录期号 varchar(7), \"1\" integer)"),
                                 QStringLiteral("CREATE TABLE \"乙彩票号码表\"(记录期号 varchar(7), \"1\" integer)"),
                                 QStringLiteral("CREATE TABLE \"甲彩票选项表\"(彩票名称 varchar(20))")});
                },
                "乙彩票选项表"},
        Refusal{"DamagedSqlite",
                [](const QString& p) {
                  sqliteWith(p, {QStringLiteral("CREATE TABLE \"甲彩票号码表\"(记录期号 varchar(7))"),
                                 QStringLiteral("CREATE TABLE \"甲彩票选项表\"(彩票名称 varchar(20))")});
                  QByteArray b = read(p);
                  b.append(QByteArray(4096, '\x5a'));
                  b.replace(4096, 4096, QByteArray(4096, '\x5a'));  // the first table's page
                  write(p, b);
                },
                "不是本程序的数据库文件"},
        Refusal{"TruncatedJet4", [](const QString& p) { write(p, read(kJet4).left(65536)); }, "无法转换"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DatabaseFileTest, RestoreOfABackupKeepsThePreviousFileToUndoIt) {
  const QString backup = path("备份.mdb");
  BackupDatabase(file(), backup);
  {
    Database db(file());
    LotteryOptions o = DefaultLottery();
    o.name = QStringLiteral("后加");
    db.createLottery(o);
  }
  const RestoreResult r = RestoreDatabase(backup, file());
  EXPECT_FALSE(r.fromJet4);
  EXPECT_EQ(r.lotteries, QStringList{kLottery});
  EXPECT_EQ(r.message(), QStringLiteral("成功恢复！"));
  EXPECT_EQ(r.previousFile, PreviousDatabaseFile(file()));
  EXPECT_TRUE(PreviousDatabaseFile(file()).endsWith(QStringLiteral("彩票数据.mdb.bak")));
  {
    Database db(file());
    EXPECT_EQ(db.lotteries(), QStringList{kLottery});
    EXPECT_EQ(db.drawCount(kLottery), 3);
  }
  // The wrong restore is undone from the .bak, which then holds the other.
  RestoreDatabase(PreviousDatabaseFile(file()), file());
  {
    Database db(file());
    EXPECT_EQ(db.lotteries(), (QStringList{kLottery, QStringLiteral("后加")}));
    Database bak(PreviousDatabaseFile(file()));
    EXPECT_EQ(bak.lotteries(), QStringList{kLottery});
  }
  EXPECT_EQ(folder(), (QStringList{QStringLiteral("彩票数据.mdb"), QStringLiteral("彩票数据.mdb.bak")}));
}

TEST_F(DatabaseFileTest, RestoreReplacesADamagedDatabase) {
  const QString backup = path("备份.mdb");
  BackupDatabase(file(), backup);
  write(file(), QByteArray(4096, 'x'));
  RestoreDatabase(backup, file());
  Database db(file());
  EXPECT_EQ(db.drawCount(kLottery), 3);
  EXPECT_EQ(read(PreviousDatabaseFile(file())), QByteArray(4096, 'x'));
}

TEST_F(DatabaseFileTest, RestoreConvertsAJet4DatabaseWholly) {
  const RestoreResult r = RestoreDatabase(kJet4, file());
  EXPECT_TRUE(r.fromJet4);
  EXPECT_EQ(r.lotteries, (QStringList{kLottery, QStringLiteral("测试三码")}));
  EXPECT_EQ(r.ignoredTables, QStringList{QStringLiteral("备注")});
  EXPECT_TRUE(r.ignoredColumns.isEmpty()) << r.ignoredColumns.join(',').toStdString();
  EXPECT_TRUE(r.message().startsWith(QStringLiteral("成功恢复！")));
  EXPECT_NE(r.message().indexOf(QStringLiteral("备注")), -1);

  Database db(file());
  EXPECT_EQ(db.lotteries(), (QStringList{kLottery, QStringLiteral("测试三码")}));
  // Every row as the file holds it.
  QFile tsv(kFixtures + QStringLiteral("/jet4/彩票数据-jet4.expected.tsv"));
  ASSERT_TRUE(tsv.open(QIODevice::ReadOnly | QIODevice::Text));
  QStringList expected;
  QTextStream in(&tsv);
  while (!in.atEnd()) expected << in.readLine();
  QStringList got;
  for (const DrawRecord& row : db.snapshot(kLottery).rows) {
    QStringList f{QString::fromStdString(row.issue)};
    for (const auto& n : row.numbers) f << (n ? QString::number(*n) : QString());
    f << QString::fromStdString(row.date);
    got << f.join(QLatin1Char('\t'));
  }
  EXPECT_EQ(got.size(), 120);
  EXPECT_EQ(got, expected);

  const DrawSnapshot three = db.snapshot(QStringLiteral("测试三码"));
  EXPECT_EQ(three.numberColumns, 3);
  ASSERT_EQ(three.rows.size(), 5u);
  EXPECT_EQ(three.rows.front().issue, "2008001");
  EXPECT_EQ(three.rows.front().numbers, (std::vector<std::optional<int>>{10, 7, 2}));
  EXPECT_EQ(three.rows.back().issue, "2008005");

  const LotteryOptions a = db.options(kLottery);
  EXPECT_EQ(a.name, kLottery);
  EXPECT_EQ(a.type, 0);
  EXPECT_EQ(a.numberTotal, 36);
  EXPECT_EQ(a.picks, 7);
  EXPECT_EQ(a.drawTime, QStringLiteral("21:30"));
  EXPECT_EQ(a.weekdays, QStringLiteral("1234567"));
  const LotteryOptions b = db.options(QStringLiteral("测试三码"));
  EXPECT_EQ(b.type, 1);
  EXPECT_EQ(b.numberTotal, 10);
  EXPECT_EQ(b.picks, 3);
  EXPECT_EQ(b.drawTime, QStringLiteral("20:00"));
  EXPECT_EQ(b.weekdays, QStringLiteral("135"));

  // The tables are ours: the checks on the columns and the issue index hold.
  QSqlQuery q(db.connection());
  EXPECT_FALSE(q.exec(QStringLiteral("INSERT INTO \"测试三码彩票号码表\"(记录期号,\"1\") VALUES('2008006','x')")));
  EXPECT_FALSE(q.exec(QStringLiteral("INSERT INTO \"测试三码彩票号码表\"(记录期号) VALUES('20080061')")));
  ASSERT_TRUE(q.exec(
      QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='index' AND tbl_name='测试三码彩票号码表'")));
  ASSERT_TRUE(q.next());
  EXPECT_EQ(q.value(0).toInt(), 1);
  q = QSqlQuery();
  EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/数据库/备注")));
  EXPECT_EQ(folder(), (QStringList{QStringLiteral("彩票数据.mdb"), QStringLiteral("彩票数据.mdb.bak")}));
}
