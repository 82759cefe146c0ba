// export, download, backup and restore of tavrin-cli, run as the real program.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>

#include "store/database_file.h"
#include "store/lottery_store.h"
#include "tests/store/history_site.h"
#include "tests/support/files_and_programs.h"
#include "tests/support/http_fakes.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::test;

namespace {

const QString kDefault = QStringLiteral("南粤风采36选7");
const QString kJet4 = QStringLiteral(TAVRIN_STORE_FIXTURES) + QStringLiteral("/jet4/彩票数据-jet4.mdb");

struct CliRun {
  int status;
  QByteArray out;
  QString err;
};

class DataCliTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString db() const { return dir.path() + QStringLiteral("/彩票数据.mdb"); }
  QString path(const char* name) const { return dir.path() + QLatin1Char('/') + QString::fromUtf8(name); }
  void SetUp() override {
    store::EnsureDefaultDatabase(db());
    store::Database d(db());
    d.appendDraws(kDefault, MakeDraws({1, 10, 36}));
  }

  // The event loop keeps running meanwhile, so that a server of the test
  // can answer the program.
  CliRun cli(const QStringList& args, const QString& operatorUrl = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (operatorUrl.isEmpty())
      env.remove(QStringLiteral("TAVRIN_OPERATOR_URL"));
    else
      env.insert(QStringLiteral("TAVRIN_OPERATOR_URL"), operatorUrl);
    const ProgramRun r =
        RunProgram(QStringLiteral(TAVRIN_CLI), QStringList{QStringLiteral("--db"), db()} + args, {}, env);
    return {r.status, r.out, r.err};
  }
  static QByteArray readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  void write(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  int draws(const QString& file) {
    store::Database d(file);
    return d.drawCount(kDefault);
  }
};

const QByteArray kExported =
    "2001001 02 03 04 05 06 07 01 \r\n"
    "2001002 02 03 04 05 06 07 10 \r\n"
    "2001003 02 03 04 05 06 07 36 \r\n";

}  // namespace

TEST_F(DataCliTest, ExportGivesTheFileBytesToStdoutOrAFile) {
  CliRun r = cli({QStringLiteral("export"), QStringLiteral("--lottery"), kDefault});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, kExported);
  r = cli({QStringLiteral("export"), QStringLiteral("--lottery"), kDefault, path("历史号码.txt")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_EQ(readAll(path("历史号码.txt")), kExported);
}

TEST_F(DataCliTest, AnExportThatCannotConvertWritesNothingAndNamesTheIssue) {
  {
    store::Database d(db());
    QSqlQuery q(d.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("UPDATE \"南粤风采36选7彩票号码表\" SET \"5\"=NULL WHERE 记录期号='2001002'")));
  }
  write(path("旧.txt"), "old\r\n");
  for (const QStringList& target : {QStringList{}, QStringList{path("旧.txt")}}) {
    const CliRun r = cli(QStringList{QStringLiteral("export"), QStringLiteral("--lottery"), kDefault} + target);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("2001002"))) << r.err.toStdString();
  }
  EXPECT_EQ(readAll(path("旧.txt")), QByteArray("old\r\n"));
  const CliRun r = cli({QStringLiteral("export"), QStringLiteral("--lottery"), QStringLiteral("没有")});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("没有彩票"))) << r.err.toStdString();
}

TEST_F(DataCliTest, DownloadFromALocalSite) {
  TinyHttpServer site;
  auto list = [&](int page, const std::vector<ListedDraw>& draws) {
    site.pages[QByteArray::fromStdString("/datas/history/367/history_" + std::to_string(page) + ".html")] =
        QByteArray::fromStdString(ListPage(draws));
    for (const ListedDraw& d : draws)
      site.pages[QByteArray::fromStdString(DetailPath(d))] = QByteArray::fromStdString(DetailPage("2008-02-01"));
  };
  list(1, {{"2008002"}, {"2008001"}, {"2001003"}});
  for (int i = 2; i <= 10; ++i) list(i, {});

  // The address from the environment, as the window takes it.
  CliRun r = cli({QStringLiteral("download")}, site.url());
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("已下载2期\n").toUtf8());
  EXPECT_EQ(draws(db()), 5);

  // --url wins; nothing new the second time.
  r = cli({QStringLiteral("download"), QStringLiteral("--url"), site.url()}, QStringLiteral("http://127.0.0.1:9"));
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("已下载0期\n").toUtf8());

  // A missing page: the failure, how far it came, status 1.
  site.pages.erase("/datas/history/367/history_4.html");
  list(2, {{"2008003"}});
  r = cli({QStringLiteral("download"), QStringLiteral("--url"), site.url()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_TRUE(r.err.contains(QStringLiteral("HTTP 404"))) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains(QStringLiteral("此前已下载1期"))) << r.err.toStdString();
  EXPECT_EQ(draws(db()), 6);
}

TEST_F(DataCliTest, DownloadRefusals) {
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
  const QString nobody = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
  closed.close();
  {
    store::Database d(db());
    store::LotteryOptions three = store::DefaultLottery();
    three.name = QStringLiteral("三码");
    three.picks = 3;
    d.createLottery(three);
  }
  const struct {
    QStringList args;
    const char* says;
  } cases[] = {
      {{QStringLiteral("download"), QStringLiteral("--url"), nobody}, "此前已下载0期"},
      {{QStringLiteral("download"), QStringLiteral("--lottery"), QStringLiteral("三码"), QStringLiteral("--url"),
        nobody},
       "每期不是7个号码"},
      {{QStringLiteral("download"), QStringLiteral("--lottery"), QStringLiteral("没有"), QStringLiteral("--url"),
        nobody},
       "没有彩票"},
  };
  for (const auto& c : cases) {
    const CliRun r = cli(c.args);
    EXPECT_EQ(r.status, 1) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << r.err.toStdString();
  }
  EXPECT_EQ(draws(db()), 3);
}

TEST_F(DataCliTest, BackupAndRestore) {
  CliRun r = cli({QStringLiteral("backup"), path("备份.mdb")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("成功备份！\n").toUtf8());
  EXPECT_EQ(draws(path("备份.mdb")), 3);

  {
    store::Database d(db());
    d.appendDraws(kDefault, MakeDraws({5}, 2001004));
  }
  r = cli({QStringLiteral("restore"), path("备份.mdb")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("成功恢复！\n").toUtf8());
  EXPECT_EQ(draws(db()), 3);
  EXPECT_EQ(draws(store::PreviousDatabaseFile(db())), 4);

  r = cli({QStringLiteral("restore"), kJet4});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.startsWith(QStringLiteral("成功恢复！").toUtf8()));
  EXPECT_TRUE(QString::fromUtf8(r.out).contains(QStringLiteral("备注"))) << r.out.toStdString();
  EXPECT_EQ(draws(db()), 120);
}

TEST_F(DataCliTest, BackupAndRestoreFailures) {
  write(path("文本.mdb"), "just text\n");
  const QByteArray before = readAll(db());
  const struct {
    QStringList args;
    const char* says;
  } cases[] = {
      {{QStringLiteral("backup"), path("无此目录/备份.mdb")}, "无法写入"},
      {{QStringLiteral("backup"), db()}, "不能备份到数据库文件本身"},
      {{QStringLiteral("restore"), path("无此文件.mdb")}, "找不到要恢复的文件"},
      {{QStringLiteral("restore"), path("文本.mdb")}, "不是本程序的数据库文件"},
      {{QStringLiteral("restore")}, "缺少参数"},
  };
  for (const auto& c : cases) {
    const CliRun r = cli(c.args);
    EXPECT_EQ(r.status, 1) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << r.err.toStdString();
  }
  EXPECT_EQ(readAll(db()), before);
  EXPECT_FALSE(QFile::exists(store::PreviousDatabaseFile(db())));
}
