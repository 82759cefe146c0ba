#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "store/lottery_store.h"
#include "tests/support/files_and_programs.h"

namespace {

struct CliRun {
  int status;
  QString out, err;
};

class CliTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString db() const { return dir.path() + QStringLiteral("/彩票数据.mdb"); }

  CliRun cli(const QStringList& args) {
    const tavrin::test::ProgramRun r =
        tavrin::test::RunProgram(QStringLiteral(TAVRIN_CLI), QStringList{QStringLiteral("--db"), db()} + args);
    return {r.status, r.text(), r.err};
  }
  QString write(const QString& name, const QByteArray& text) {
    const QString f = dir.path() + QLatin1Char('/') + name;
    QFile out(f);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
    return f;
  }
  void SetUp() override { tavrin::store::EnsureDefaultDatabase(db()); }
};

}  // namespace

TEST_F(CliTest, CreateListImportAndReadBack) {
  CliRun r = cli({QStringLiteral("create"), QStringLiteral("--lottery"), QStringLiteral("三码"),
                  QStringLiteral("--picks"), QStringLiteral("3"), QStringLiteral("--weekdays"), QStringLiteral("531")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  r = cli({QStringLiteral("lotteries")});
  EXPECT_EQ(r.out, QStringLiteral("南粤风采36选7\n三码\n"));
  const QString f = write(QStringLiteral("h.txt"), "2001002 05 12 36 \r\n\r\n2001001 1 2 3 2001-01-01\r\n");
  r = cli({QStringLiteral("import"), QStringLiteral("--lottery"), QStringLiteral("三码"), f});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  r = cli({QStringLiteral("draws"), QStringLiteral("--lottery"), QStringLiteral("三码")});
  EXPECT_EQ(r.out, QStringLiteral("2001001\t1\t2\t3\t2001-01-01\n2001002\t5\t12\t36\t\n"));
  tavrin::store::Database d(db());
  EXPECT_EQ(d.options(QStringLiteral("三码")).weekdays, QStringLiteral("135"));
}

TEST_F(CliTest, ABadLineImportsNothingAndIsNamed) {
  const QString f = write(QStringLiteral("bad.txt"), "2001001 01 02 03 04 05 06 07\n2001002 01 02 x 04 05 06 07\n");
  CliRun r = cli({QStringLiteral("import"), QStringLiteral("--lottery"), QStringLiteral("南粤风采36选7"), f});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("第2行"))) << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());
  r = cli({QStringLiteral("draws"), QStringLiteral("--lottery"), QStringLiteral("南粤风采36选7")});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.isEmpty());
}

TEST_F(CliTest, ErrorsGoToStderrWithStatusOne) {
  const struct {
    QStringList args;
    const char* says;
  } cases[] = {
      {{QStringLiteral("nosuch")}, "unknown command"},
      {{QStringLiteral("draws")}, "--lottery"},
      {{QStringLiteral("draws"), QStringLiteral("--lottery"), QStringLiteral("无")}, "彩票“无”不存在"},
      {{QStringLiteral("create"), QStringLiteral("--lottery"), QStringLiteral("a b")}, "彩票名称"},
      {{QStringLiteral("create"), QStringLiteral("--lottery"), QStringLiteral("x"), QStringLiteral("--picks"),
        QStringLiteral("many")},
       "不是有效的整数值"},
      {{QStringLiteral("lotteries"), QStringLiteral("--bogus"), QStringLiteral("1")}, "未知选项"},
      {{QStringLiteral("import"), QStringLiteral("--lottery"), QStringLiteral("南粤风采36选7"),
        QStringLiteral("/nonexistent/file.txt")},
       "无法打开文件"},
  };
  for (const auto& c : cases) {
    const CliRun r = cli(c.args);
    EXPECT_EQ(r.status, 1) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says)))
        << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
  }
}
