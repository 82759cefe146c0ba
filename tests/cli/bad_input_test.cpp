// The command-line tool against careless users and hostile files: input read
// to its true end, lines refused exactly where a reader would fail later,
// numbers that must not wrap, a first start that is killed half-way.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <random>

#include "base/gbk.h"
#include "store/lottery_store.h"

namespace {

const QString kDefault = QStringLiteral("南粤风采36选7");

struct ToolRun {
  int status = -1;
  QString out, err;
};

ToolRun RunTool(const QString& program, const QStringList& args, const QByteArray& input = {},
                const std::function<void(QProcess&)>& feed = {}) {
  QProcess p;
  p.start(program, args);
  EXPECT_TRUE(p.waitForStarted(10000));
  if (feed) {
    feed(p);
  } else {
    p.write(input);
    p.closeWriteChannel();
  }
  EXPECT_TRUE(p.waitForFinished(30000));
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

class BadInput : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString db() const { return dir.path() + QStringLiteral("/彩票数据.mdb"); }
  void SetUp() override { tavrin::store::EnsureDefaultDatabase(db()); }
  ToolRun cli(const QStringList& args, const QByteArray& input = {}) {
    return RunTool(QStringLiteral(TAVRIN_CLI), QStringList{QStringLiteral("--db"), db()} + args, input);
  }
  QString write(const QString& name, const QByteArray& bytes) {
    const QString f = dir.path() + QLatin1Char('/') + name;
    QFile out(f);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    return f;
  }
  int stored() { return tavrin::store::Database(db()).drawCount(kDefault); }
};

QByteArray Lines(int count, int first = 2001001) {
  QByteArray out;
  for (int i = 0; i < count; ++i) out += QByteArray::number(first + i) + " 01 02 03 04 05 06 07\n";
  return out;
}

// A copy of the tool in a folder of its own, with its own database beside it.
QString ToolIn(const QTemporaryDir& dir) {
  const QString copy = dir.path() + QStringLiteral("/tavrin-cli");
  QFile::remove(copy);
  EXPECT_TRUE(QFile::copy(QStringLiteral(TAVRIN_CLI), copy));
  return copy;
}

}  // namespace

TEST_F(BadInput, StandardInputIsReadToItsTrueEnd) {
  const QByteArray history = Lines(500);
  // Through "-", /dev/stdin, and a writer that pauses between two halves.
  ToolRun r = cli({QStringLiteral("import"), QStringLiteral("--lottery"), kDefault, QStringLiteral("-")}, history);
  EXPECT_EQ(r.out, QStringLiteral("已导入500期\n")) << r.err.toStdString();
  r = RunTool(QStringLiteral(TAVRIN_CLI),
              {QStringLiteral("--db"), db(), QStringLiteral("import"), QStringLiteral("--lottery"), kDefault,
               QStringLiteral("/dev/stdin")},
              {}, [](QProcess& p) {
                p.write(Lines(300, 2002001).left(4000));
                p.waitForBytesWritten();
                QThread::msleep(300);
                p.write(Lines(300, 2002001).mid(4000));
                p.closeWriteChannel();
              });
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("已导入300期\n"));
  // A named pipe, written after the tool has started reading.
  const QString fifo = dir.path() + QStringLiteral("/draws.fifo");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QProcess p;
  p.start(QStringLiteral(TAVRIN_CLI),
          {QStringLiteral("--db"), db(), QStringLiteral("import"), QStringLiteral("--lottery"), kDefault, fifo});
  ASSERT_TRUE(p.waitForStarted());
  {
    QFile w(fifo);
    ASSERT_TRUE(w.open(QIODevice::WriteOnly));
    w.write(Lines(100, 2003001).left(100));
    w.flush();
    QThread::msleep(200);
    w.write(Lines(100, 2003001).mid(100));
  }
  ASSERT_TRUE(p.waitForFinished(30000));
  EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()), QStringLiteral("已导入100期\n"));
  EXPECT_EQ(stored(), 900);
}

TEST_F(BadInput, AnUnreadableInputOrAFullOutputIsAFailure) {
  ASSERT_EQ(
      cli({QStringLiteral("import"), QStringLiteral("--lottery"), kDefault, QStringLiteral("-")}, Lines(3)).status, 0);
  struct Case {
    QStringList args;
    QString in, out;  // files standing for standard input and output
    QString message;
  };
  const QList<Case> cases{
      // Reading a folder fails; that is not an empty history.
      {{QStringLiteral("import"), QStringLiteral("--lottery"), kDefault, QStringLiteral("-")},
       dir.path(),
       QString(),
       QStringLiteral("无法读取标准输入")},
      {{QStringLiteral("draws"), QStringLiteral("--lottery"), kDefault},
       QString(),
       QStringLiteral("/dev/full"),
       QStringLiteral("无法写入标准输出")},
  };
  for (const Case& c : cases) {
    QProcess p;
    if (!c.in.isEmpty()) p.setStandardInputFile(c.in);
    if (!c.out.isEmpty()) p.setStandardOutputFile(c.out);
    p.start(QStringLiteral(TAVRIN_CLI), QStringList{QStringLiteral("--db"), db()} + c.args);
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 1) << c.args.join(' ').toStdString();
    EXPECT_TRUE(err.contains(c.message)) << err.toStdString();
  }
  EXPECT_EQ(stored(), 3);
}

TEST_F(BadInput, ALineThatAReaderWouldRefuseIsRefusedAtImport) {
  const struct {
    const char* what;
    QByteArray file;
    const char* says;
  } cases[] = {
      {"a vertical tab in the issue", "2001001 01 02 03 04 05 06 07\n\v200110 01 02 03 04 05 06 07\n", "第2行有误"},
      {"a NUL in the issue",
       QByteArray("2001001 01 02 03 04 05 06 07\n2001\0"
                  "02 01 02 03 04 05 06 07\n",
                  60),
       "\\x00"},
      {"an eighth number", "2001001 01 02 03 04 05 06 07 08\n", "'08' 不是开奖日期"},
      {"not a date", "2001001 01 02 03 04 05 06 07 notadate!!\n", "不是开奖日期"},
      {"neither UTF-8 nor GBK", "2001001 01 02 03 04 05 06 07 \xff\xfe\xff\n", "既不是有效的UTF-8文字"},
  };
  for (const auto& c : cases) {
    const ToolRun r = cli({QStringLiteral("import"), QStringLiteral("--lottery"), kDefault, write("h.txt", c.file)});
    EXPECT_EQ(r.status, 1) << c.what;
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << c.what << ": " << r.err.toStdString();
    EXPECT_EQ(stored(), 0) << c.what;
  }
  // The line is shown short, control bytes visible, never the whole 10 MB.
  const ToolRun r = cli({QStringLiteral("import"), QStringLiteral("--lottery"), kDefault,
                         write("big.txt", "2001001 01 " + QByteArray(10 * 1024 * 1024, 'x') + "\n")});
  EXPECT_EQ(r.status, 1);
  EXPECT_LT(r.err.size(), 1000);
  EXPECT_TRUE(r.err.contains(QStringLiteral("…")));
}

TEST_F(BadInput, GbkFilesAndEveryLineEndImport) {
  // A GBK file is read as GBK; CR-only line ends end lines too.
  const QByteArray gbk =
      tavrin::ToGbk(QStringLiteral("2001001 01 02 03 04 05 06 07 2008年1月2日\r"
                                   "2001002 01 02 03 04 05 06 08 2008年1月3日\r"));
  ASSERT_FALSE(tavrin::IsGbk(gbk) && QString::fromUtf8(gbk).toUtf8() == gbk);  // not valid UTF-8
  ToolRun r = cli({QStringLiteral("import"), QStringLiteral("--lottery"), kDefault, write("gbk.txt", gbk)});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  r = cli({QStringLiteral("draws"), QStringLiteral("--lottery"), kDefault});
  EXPECT_EQ(r.out, QStringLiteral("2001001\t1\t2\t3\t4\t5\t6\t7\t2008年1月2日\n"
                                  "2001002\t1\t2\t3\t4\t5\t6\t8\t2008年1月3日\n"));
}

TEST_F(BadInput, NumbersOutsideTheirRangeAreRefusedNotWrapped) {
  const struct {
    QStringList args;
    const char* says;
  } cases[] = {
      {{"--picks", "4294967297"}, "--picks（选择号码数）必须在1到号码总数之间"},
      {{"--numbers", "99999999999"}, "--numbers（号码总数）必须在1到99之间"},
      {{"--numbers", "0"}, "--numbers（号码总数）必须在1到99之间"},
      {{"--numbers", "-5"}, "--numbers（号码总数）必须在1到99之间"},
      {{"--numbers", "10", "--picks", "11"}, "--picks（选择号码数）必须在1到号码总数之间"},
      {{"--type", "2"}, "--type"},
  };
  for (const auto& c : cases) {
    const ToolRun r =
        cli(QStringList{QStringLiteral("create"), QStringLiteral("--lottery"), QStringLiteral("新")} + c.args);
    EXPECT_EQ(r.status, 1) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << r.err.toStdString();
  }
  EXPECT_FALSE(tavrin::store::Database(db()).lotteries().contains(QStringLiteral("新")));
  // Fewer than seven numbers is allowed, with a word on what it means.
  const ToolRun r = cli({QStringLiteral("create"), QStringLiteral("--lottery"), QStringLiteral("三码"),
                         QStringLiteral("--picks"), QStringLiteral("3")});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.err.contains(QStringLiteral("第7个号码"))) << r.err.toStdString();
  // A name's length counts characters, not UTF-16 units.
  const QString twenty = QString(19, QChar(u'码')) + QString::fromUcs4(U"\U00020000");
  EXPECT_EQ(cli({QStringLiteral("create"), QStringLiteral("--lottery"), twenty}).status, 0);
}

TEST_F(BadInput, StoredValuesAreReadThroughTheCheckedConversion) {
  {
    tavrin::store::Database d(db());
    QSqlQuery q(d.connection());
    // Written by another tool: the column's checks are not everywhere.
    ASSERT_TRUE(
        q.exec(QStringLiteral("CREATE TABLE \"旧彩票号码表\"(记录期号 varchar(7), \"1\" integer, \"2\" integer, "
                              "\"3\" integer, \"4\" integer, \"5\" integer, \"6\" integer, \"7\" integer, "
                              "开奖日期 varchar(10))")));
    ASSERT_TRUE(
        q.exec(QStringLiteral("CREATE TABLE \"旧彩票选项表\"(彩票名称 varchar(20), 彩票类型 Integer, 号码总数 "
                              "integer, 选择号码数 integer, 开奖时间 varchar(10), 开奖星期 varchar(7))")));
    ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO \"旧彩票号码表\" VALUES('2001001',1,2,3,4,5,6,7,'')")));
    ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO \"旧彩票号码表\" VALUES('2001002',1,2,3,4,5,6,4294967303,'')")));
  }
  for (const char* command : {"draws", "trend", "skew"}) {
    const ToolRun r = cli({QString::fromLatin1(command), QStringLiteral("--lottery"), QStringLiteral("旧")});
    EXPECT_EQ(r.status, 1) << command;
    EXPECT_TRUE(r.err.contains(QStringLiteral("'4294967303' 不是有效的整数值（期号 2001002 的第7个号码）")))
        << command << ": " << r.err.toStdString();
  }
  {
    tavrin::store::Database d(db());
    QSqlQuery q(d.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("UPDATE \"旧彩票号码表\" SET \"7\"=1e20 WHERE 记录期号='2001002'")));
  }
  ToolRun r = cli({QStringLiteral("draws"), QStringLiteral("--lottery"), QStringLiteral("旧")});
  EXPECT_TRUE(r.err.contains(QStringLiteral("不是有效的整数值（期号 2001002 的第7个号码）"))) << r.err.toStdString();
  // A NULL issue is named by its place.
  {
    tavrin::store::Database d(db());
    QSqlQuery q(d.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("UPDATE \"旧彩票号码表\" SET 记录期号=NULL, \"7\"=7 WHERE 记录期号='2001002'")));
  }
  r = cli({QStringLiteral("skew"), QStringLiteral("--lottery"), QStringLiteral("旧")});
  EXPECT_TRUE(r.err.contains(QStringLiteral("'' 不是有效的整数值（第1条记录）"))) << r.err.toStdString();
  // A draw table missing column "3" is not a lottery of two numbers.
  {
    tavrin::store::Database d(db());
    QSqlQuery q(d.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("ALTER TABLE \"旧彩票号码表\" DROP COLUMN \"3\"")));
  }
  r = cli({QStringLiteral("draws"), QStringLiteral("--lottery"), QStringLiteral("旧")});
  EXPECT_TRUE(r.err.contains(QStringLiteral("缺少号码列“3”"))) << r.err.toStdString();
}

TEST_F(BadInput, TheCommandLineRefusesWhatItDoesNotTake) {
  const struct {
    QStringList args;
    const char* says;
  } cases[] = {
      {{"lotteries", "extra"}, "多余的参数 extra"},
      {{"draws", "--lottery", "南粤风采36选7", "extra"}, "多余的参数 extra"},
      {{"fixed-plan", "x"}, "多余的参数 x"},
      {{"variable-plan", "--unit", "2"}, "未知选项 --unit"},
      {{"trend", "--lottery", "不存在"}, "彩票“不存在”不存在"},
      {{"import", "--lottery", "南粤风采36选7"}, "缺少参数 FILE"},
  };
  for (const auto& c : cases) {
    const ToolRun r = cli(c.args);
    EXPECT_EQ(r.status, 1) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says)))
        << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
  }
  ToolRun r = cli({QStringLiteral("skew"), QStringLiteral("--help")});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.contains(QStringLiteral("--sort"))) << r.out.toStdString();
  r = cli({QStringLiteral("--version")});
  EXPECT_TRUE(r.out.startsWith(QStringLiteral("tavrin-cli "))) << r.out.toStdString();
  // A database that cannot be opened is named.
  r = RunTool(QStringLiteral(TAVRIN_CLI),
              {QStringLiteral("--db"), QStringLiteral("/nonexistent/folder/x.mdb"), QStringLiteral("lotteries")});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("/nonexistent/folder/x.mdb"))) << r.err.toStdString();
}

TEST(ToolsOwnDatabase, CommandsWithoutLotteriesMakeNoDatabase) {
  QTemporaryDir dir;
  const QString tool = ToolIn(dir);
  const ToolRun r = RunTool(tool, {QStringLiteral("fixed-plan")});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/数据库")));
}

TEST(ToolsOwnDatabase, AFirstStartKilledHalfWayStillEndsWithTheDefaultLottery) {
  QTemporaryDir dir;
  const QString tool = ToolIn(dir);
  const QString file = dir.path() + QStringLiteral("/数据库/彩票数据.mdb");
  // An empty file left by an earlier interrupted start counts as missing.
  QDir().mkpath(dir.path() + QStringLiteral("/数据库"));
  { QFile(file).open(QIODevice::WriteOnly); }
  ToolRun r = RunTool(tool, {QStringLiteral("lotteries")});
  EXPECT_EQ(r.out, kDefault + QLatin1Char('\n')) << r.err.toStdString();
  // Kill starts at random moments; whatever is left, the next start works.
  std::mt19937 rng(11);
  for (int i = 0; i < 20; ++i) {
    QFile::remove(file);
    QProcess p;
    p.start(tool, {QStringLiteral("lotteries")});
    ASSERT_TRUE(p.waitForStarted());
    QThread::usleep(std::uniform_int_distribution<int>(0, 30000)(rng));
    ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
    p.waitForFinished();
    r = RunTool(tool, {QStringLiteral("lotteries")});
    ASSERT_EQ(r.out, kDefault + QLatin1Char('\n')) << "kill " << i << ": " << r.err.toStdString();
  }
}

TEST(ToolsOwnDatabase, FirstStartsAtTheSameMomentLoseNothing) {
  // Each start finds no database and makes one; none may put its fresh file
  // over one that another start has already filled.
  QTemporaryDir dir;
  const QString tool = ToolIn(dir);
  constexpr int kStarts = 6;
  for (int round = 0; round < 3; ++round) {
    QFile::remove(dir.path() + QStringLiteral("/数据库/彩票数据.mdb"));
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < kStarts; ++i) {
      auto p = std::make_unique<QProcess>();
      p->start(tool, {QStringLiteral("import"), QStringLiteral("--lottery"), kDefault, QStringLiteral("-")});
      ASSERT_TRUE(p->waitForStarted());
      runs.push_back(std::move(p));
    }
    for (int i = 0; i < kStarts; ++i) {
      runs[static_cast<std::size_t>(i)]->write(Lines(1, 2001001 + i));
      runs[static_cast<std::size_t>(i)]->closeWriteChannel();
    }
    for (auto& p : runs) {
      ASSERT_TRUE(p->waitForFinished(30000));
      EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    const ToolRun r = RunTool(tool, {QStringLiteral("draws"), QStringLiteral("--lottery"), kDefault});
    EXPECT_EQ(r.out.count(QLatin1Char('\n')), kStarts) << "round " << round << ":\n" << r.out.toStdString();
  }
}
