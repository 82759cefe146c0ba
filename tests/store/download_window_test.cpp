#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTimer>

#include "store/lottery_store.h"
#include "store/u_download2.h"
#include "tests/store/history_site.h"
#include "tests/support/http_fakes.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::test;

namespace {

const QString kDefault = QStringLiteral("南粤风采36选7");

// The operator's site on 127.0.0.1, reached through the program's real HTTP
// client.
class DownloadWindowTest : public ::testing::Test {
 protected:
  TempAppDir app;
  PromptsScope prompts;
  TinyHttpServer site;
  HttpClientScope realClient{nullptr};

  void SetUp() override { useSite(site.url()); }
  void TearDown() override { qunsetenv("TAVRIN_OPERATOR_URL"); }
  static void useSite(const QString& url) { qputenv("TAVRIN_OPERATOR_URL", url.toUtf8()); }

  void list(int page, const std::vector<ListedDraw>& draws, const std::string& date) {
    site.pages[QByteArray::fromStdString("/datas/history/367/history_" + std::to_string(page) + ".html")] =
        QByteArray::fromStdString(ListPage(draws));
    for (const ListedDraw& d : draws)
      site.pages[QByteArray::fromStdString(DetailPath(d))] = QByteArray::fromStdString(DetailPage(date));
  }
  void emptyPagesElsewhere() {
    for (int i = 1; i <= 10; ++i)
      site.pages.try_emplace(QByteArray::fromStdString("/datas/history/367/history_" + std::to_string(i) + ".html"),
                             QByteArray("<html></html>\n"));
  }
  std::vector<DrawRecord> stored() {
    store::Database db(app.databaseFile());
    return db.snapshot(kDefault, -1).rows;
  }
  // Runs the download as the user does and returns what the user was told.
  QString run(Tfrmdownload2& w) {
    w.show();
    w.btndown->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.running());
    return prompts->lastText();
  }
};

}  // namespace

TEST_F(DownloadWindowTest, StartsWithTheSelectorAndShowsItsCaptionWhileWorking) {
  app.addDraws(kDefault, {9}, 2008001);  // L = 2008001
  list(1, {{"2008003"}, {"2008002", "36350102030405"}, {"2008001"}}, "2008-01-03");
  ListedDraw gbkLink("2008004");
  gbkLink.detailPath = "/detail/\xc4\xea.html";  // a link in the page's GBK
  list(2, {gbkLink}, "2008-01-04");
  emptyPagesElsewhere();

  Tfrmdownload2 w;
  EXPECT_EQ(w.size(), QSize(354, 74));
  EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(w.comdown->currentText(), QStringLiteral("所有彩票"));
  EXPECT_EQ(w.comdown->count(), 2);
  EXPECT_TRUE(w.btndown->isDefault());
  EXPECT_TRUE(w.lbltitle->isHidden());

  // Seen from inside the run: the window paints its caption and will not close.
  bool captionShown = false, controlsHidden = false, stayed = false;
  QTimer::singleShot(0, &w, [&] {
    captionShown = w.lbltitle->isVisible() && w.lbltitle->text() == QStringLiteral("正在更新南粤风采好彩1。。。");
    controlsHidden =
        !w.btndown->isVisible() && !w.btnclose->isVisible() && !w.comdown->isVisible() && !w.lbltishi->isVisible();
    w.reject();
    stayed = w.isVisible() && w.running();
  });
  EXPECT_EQ(run(w), QStringLiteral("下载完成！"));
  EXPECT_TRUE(captionShown);
  EXPECT_TRUE(controlsHidden);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(w.result(), QDialog::Accepted);

  const std::vector<DrawRecord> rows = stored();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1].issue, "2008002");
  EXPECT_EQ(rows[1].numbers, (std::vector<std::optional<int>>{36, 35, 1, 2, 3, 4, 5}));
  EXPECT_EQ(rows[1].date, "2008-01-03");
  EXPECT_EQ(rows[3].issue, "2008004");
  EXPECT_EQ(rows[3].date, "2008-01-04");
  EXPECT_EQ(site.requested.count(QStringLiteral("/datas/history/367/history_10.html")), 1);
}

TEST_F(DownloadWindowTest, AMissingPageEndsTheRunAndSaysHowFarItCame) {
  list(1, {{"2008002"}, {"2008001"}}, "2008-01-01");
  list(2, {{"2008003"}}, "2008-01-03");
  // Page 3 answers 404.
  Tfrmdownload2 w;
  const QString told = run(w);
  EXPECT_TRUE(told.contains(QStringLiteral("下载中断"))) << told.toStdString();
  EXPECT_TRUE(told.contains(QStringLiteral("第3页"))) << told.toStdString();
  EXPECT_TRUE(told.contains(QStringLiteral("HTTP 404"))) << told.toStdString();
  EXPECT_TRUE(told.contains(QStringLiteral("此前已下载3期"))) << told.toStdString();
  EXPECT_EQ(stored().size(), 3u);
}

TEST_F(DownloadWindowTest, ARefusedConnectionIsAFailure) {
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
  const quint16 port = closed.serverPort();
  closed.close();
  useSite(QStringLiteral("http://127.0.0.1:%1").arg(port));
  Tfrmdownload2 w;
  const QString told = run(w);
  EXPECT_TRUE(told.contains(QStringLiteral("下载中断"))) << told.toStdString();
  EXPECT_TRUE(told.contains(QStringLiteral("此前已下载0期"))) << told.toStdString();
  EXPECT_TRUE(stored().empty());
}

TEST_F(DownloadWindowTest, ALotteryTheSiteDoesNotServeFetchesNothing) {
  Tfrmdownload2 w;
  w.comdown->setEditText(QStringLiteral("双色球"));
  const QString told = run(w);
  EXPECT_TRUE(told.contains(QStringLiteral("未下载任何数据"))) << told.toStdString();
  EXPECT_NE(told, QStringLiteral("下载完成！"));
  EXPECT_TRUE(site.requested.isEmpty());
}

TEST_F(DownloadWindowTest, AMissingTargetLotteryIsAnErrorNotASuccess) {
  {
    store::Database db(app.databaseFile());
    db.dropLottery(kDefault);
  }
  emptyPagesElsewhere();
  Tfrmdownload2 w;
  w.show();
  w.btndown->click();
  EXPECT_FALSE(w.isVisible());
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].icon, PromptIcon::Error);
  EXPECT_TRUE(prompts->messages[0].text.contains(kDefault)) << prompts->lastText().toStdString();
  EXPECT_TRUE(site.requested.isEmpty());
}
