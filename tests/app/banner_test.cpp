#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QMovie>

#include "app/main/u_main.h"
#include "app/u_public.h"
#include "tests/support/http_fakes.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::test;

namespace {

// The smallest valid GIF picture: one white pixel.
const QByteArray kGif =
    QByteArray::fromHex("4749463839610100010080000000ffffff00000021f90401000000002c00000000010001000002024401003b");

class BannerTest : public ::testing::Test {
 protected:
  TempAppDir app;
  PromptsScope prompts;
  void TearDown() override { qunsetenv("TAVRIN_VENDOR_URL"); }
};

}  // namespace

// Through the real client, against a server on this machine.
TEST_F(BannerTest, ShownWhenBothRequestsSucceed) {
  HttpClientScope real(nullptr);
  TinyHttpServer http;
  http.pages["/guanggao.gif"] = kGif;
  http.pages["/ggurl.txt"] = "http://ad.example/";
  qputenv("TAVRIN_VENDOR_URL", http.url().toUtf8());
  Tfrmmain w;
  w.show();
  ASSERT_TRUE(WaitFor([&] { return w.pan->isVisible(); }));
  EXPECT_EQ(http.requested, (QStringList{QStringLiteral("/guanggao.gif"), QStringLiteral("/ggurl.txt")}));
  EXPECT_TRUE(QFile::exists(AppPath(QStringLiteral("guanggao.gif"))));
  ASSERT_NE(w.imggif->movie(), nullptr);
  EXPECT_EQ(w.pan->pos().y(), 200);
  EXPECT_EQ(w.pan->size(), QSize(900, 120));
}

TEST_F(BannerTest, AnyFailureHidesItSilently) {
  const QString gif = QStringLiteral("http://banner.test/guanggao.gif");
  const QString txt = QStringLiteral("http://banner.test/ggurl.txt");
  const struct {
    const char* what;
    std::map<QString, HttpResponse> answers;  // any other URL: connection refused
    int requests;                             // what the window asks before it gives up
  } cases[] = {
      {"no picture", {{gif, FakeHttpClient::Failed(QStringLiteral("服务器回答 HTTP 404"), 404)}}, 1},
      {"no text",
       {{gif, FakeHttpClient::Ok(kGif)}, {txt, FakeHttpClient::Failed(QStringLiteral("服务器回答 HTTP 404"), 404)}},
       2},
      {"not a picture", {{gif, FakeHttpClient::Ok("<html>not a picture</html>")}, {txt, FakeHttpClient::Ok("x")}}, 2},
      {"no server", {}, 1},
  };
  qputenv("TAVRIN_VENDOR_URL", "http://banner.test");
  for (const auto& c : cases) {
    auto fake = std::make_unique<FakeHttpClient>();
    FakeHttpClient* client = fake.get();
    client->answers = c.answers;
    HttpClientScope scope(std::move(fake));
    prompts->messages.clear();
    Tfrmmain w;
    w.show();
    ASSERT_TRUE(WaitFor([&] { return client->answered() == c.requests; })) << c.what;
    QCoreApplication::processEvents();
    EXPECT_EQ(client->requested.size(), c.requests) << c.what;
    EXPECT_FALSE(w.pan->isVisible()) << c.what;
    // The background picture is missing in this folder; nothing else is said.
    for (const ShownMessage& m : prompts->messages)
      EXPECT_TRUE(m.text.contains(QStringLiteral("back.bmp"))) << c.what << ": " << m.text.toStdString();
  }
}
