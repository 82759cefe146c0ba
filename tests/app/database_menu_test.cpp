// 数据备份 and 数据恢复 of the main window, driven through their menu entries.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/main/u_main.h"
#include "app/u_public.h"
#include "store/database_file.h"
#include "store/lottery_session.h"
#include "store/lottery_store.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::test;

namespace {

const QString kDefault = QStringLiteral("南粤风采36选7");
const QString kJet4 = QStringLiteral(TAVRIN_STORE_FIXTURES) + QStringLiteral("/jet4/彩票数据-jet4.mdb");

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DatabaseMenuTest : public ::testing::Test {
 protected:
  TempAppDir app;
  QTemporaryDir elsewhere;  // where the user keeps backups
  PromptsScope prompts;
  std::unique_ptr<Tfrmmain> w;

  void SetUp() override {
    app.addDraws(kDefault, {1, 2, 3});
    ResetLotterySession();
    w = std::make_unique<Tfrmmain>();
    w->show();
    prompts->messages.clear();  // the missing background picture
  }
  void TearDown() override {
    w.reset();
    lotterySession().close();
  }
  QString outside(const char* name) const { return elsewhere.path() + QLatin1Char('/') + QString::fromUtf8(name); }
  int draws(const QString& file) {
    store::Database db(file);
    return db.drawCount(kDefault);
  }
  QString desktopWith(const QString& name) const {
    const QString desktop = ShellFolderPath(QStringLiteral("Desktop"));
    if (desktop.isEmpty()) return name;
    return name.isEmpty() ? desktop : desktop + QLatin1Char('/') + name;
  }
};

}  // namespace

TEST_F(DatabaseMenuTest, BackupWhileALotteryIsOpenGivesACopyThatOpens) {
  lotterySession().open(kDefault);
  prompts->fileNames.push_back(outside("备份"));  // the extension is added
  w->mnubackupdata->trigger();
  EXPECT_EQ(prompts->fileDialogPaths.value(0), desktopWith(QStringLiteral("彩票数据")));
  EXPECT_EQ(prompts->lastText(), QStringLiteral("成功备份！"));
  EXPECT_TRUE(CurrentLottery().open);
  EXPECT_EQ(draws(outside("备份.mdb")), 3);

  // Over the earlier backup, without a question.
  app.addDraws(kDefault, {4}, 2001004);
  prompts->fileNames.push_back(outside("备份.mdb"));
  w->mnubackupdata->trigger();
  EXPECT_TRUE(prompts->questions.empty());
  EXPECT_EQ(draws(outside("备份.mdb")), 4);

  // The copy is a database of the program: restoring it opens.
  lotterySession().close();
  {
    store::Database db(outside("备份.mdb"));
    EXPECT_EQ(db.lotteries(), QStringList{kDefault});
  }
  prompts->fileNames.push_back(outside("备份.mdb"));
  w->mnustoredata->trigger();
  EXPECT_EQ(prompts->lastText(), QStringLiteral("成功恢复！"));
  lotterySession().open(kDefault);
  EXPECT_EQ(CurrentLottery().recordCount, 4);
}

TEST_F(DatabaseMenuTest, AFailedBackupIsReportedAsAFailure) {
  prompts->fileNames.push_back(outside("无此目录/备份.mdb"));
  w->mnubackupdata->trigger();
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].icon, PromptIcon::Error);
  EXPECT_FALSE(prompts->texts().contains(QStringLiteral("成功备份！")));
  // Cancelled: nothing at all.
  w->mnubackupdata->trigger();
  EXPECT_EQ(prompts->messages.size(), 1u);
}

TEST_F(DatabaseMenuTest, RestoreClosesTheLotteryBeforeItsDialogEvenWhenCancelled) {
  lotterySession().open(kDefault);
  const QByteArray before = readAll(app.databaseFile());
  w->mnustoredata->trigger();  // no file chosen
  EXPECT_FALSE(CurrentLottery().open);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Tavrin"));
  EXPECT_EQ(prompts->fileDialogPaths.value(0), desktopWith(QString()));
  EXPECT_TRUE(prompts->messages.empty());
  EXPECT_EQ(readAll(app.databaseFile()), before);
}

TEST_F(DatabaseMenuTest, RestoreRefusesWhatIsNotADatabaseOfTheProgram) {
  QFile text(outside("说明.mdb"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not a database\r\n");
  text.close();
  const QByteArray before = readAll(app.databaseFile());
  const struct {
    QString file;
    const char* says;
  } cases[] = {
      {outside("无此文件.mdb"), "找不到要恢复的文件"},
      {outside("说明.mdb"), "不是本程序的数据库文件"},
  };
  for (const auto& c : cases) {
    prompts->fileNames.push_back(c.file);
    w->mnustoredata->trigger();
    ASSERT_FALSE(prompts->messages.empty());
    EXPECT_EQ(prompts->messages.back().icon, PromptIcon::Error);
    EXPECT_TRUE(prompts->lastText().contains(QString::fromUtf8(c.says))) << prompts->lastText().toStdString();
    EXPECT_TRUE(prompts->lastText().contains(QStringLiteral("数据库未作任何改动")));
  }
  EXPECT_FALSE(prompts->texts().contains(QStringLiteral("成功恢复！")));
  EXPECT_EQ(readAll(app.databaseFile()), before);
  EXPECT_FALSE(QFile::exists(store::PreviousDatabaseFile(app.databaseFile())));
}

TEST_F(DatabaseMenuTest, RestoreOfABackupKeepsThePreviousFileBeside) {
  const QString copy = outside("备份.mdb");
  store::BackupDatabase(app.databaseFile(), copy);
  {
    store::Database db(copy);
    db.appendDraws(kDefault, MakeDraws({7, 8}, 2002001));
  }
  prompts->fileNames.push_back(copy);
  w->mnustoredata->trigger();
  EXPECT_EQ(prompts->lastText(), QStringLiteral("成功恢复！"));
  EXPECT_EQ(draws(app.databaseFile()), 5);
  EXPECT_EQ(draws(store::PreviousDatabaseFile(app.databaseFile())), 3);
}

TEST_F(DatabaseMenuTest, RestoreOfAnAccessDatabaseNamesWhatItLeftOut) {
  prompts->fileNames.push_back(kJet4);
  w->mnustoredata->trigger();
  const QString told = prompts->lastText();
  EXPECT_TRUE(told.startsWith(QStringLiteral("成功恢复！"))) << told.toStdString();
  EXPECT_TRUE(told.contains(QStringLiteral("备注"))) << told.toStdString();
  store::Database db(app.databaseFile());
  EXPECT_EQ(db.lotteries(), (QStringList{kDefault, QStringLiteral("测试三码")}));
  EXPECT_EQ(db.drawCount(kDefault), 120);
  EXPECT_TRUE(QFile::exists(store::PreviousDatabaseFile(app.databaseFile())));
}
