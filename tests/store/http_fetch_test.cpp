#include "store/http_fetch.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "tests/support/http_fakes.h"

using namespace tavrin;
using namespace tavrin::test;

namespace {

// Through the program's real client, against servers on 127.0.0.1.
class HttpFetchTest : public ::testing::Test {
 protected:
  HttpClientScope realClient{nullptr};
};

}  // namespace

TEST_F(HttpFetchTest, AnAnswerKeepsItsStatusAndBytes) {
  TinyHttpServer site;
  site.pages["/p.html"] = QByteArray("<td>\xc4\xea</td>\n");
  site.pages["/\xc4\xea.html"] = QByteArray("gbk link");
  const store::FetchFunction fetch = store::HttpFetch();
  const std::string base = site.url().toStdString();

  store::FetchResult r = fetch(base + "/p.html");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.status, 200);
  EXPECT_EQ(r.body, "<td>\xc4\xea</td>\n");

  // A link cut from a GBK page reaches the server with its bytes unchanged.
  r = fetch(base + "/\xc4\xea.html");
  EXPECT_EQ(r.status, 200);
  EXPECT_EQ(r.body, "gbk link");
  EXPECT_EQ(site.requested.last(), QStringLiteral("/%C4%EA.html"));

  // An error status is an answer; the run names it.
  r = fetch(base + "/none.html");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.status, 404);
}

TEST_F(HttpFetchTest, AServerThatNeverAnswersTimesOut) {
  QTcpServer silent;  // takes the connection, never answers
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
  QElapsedTimer t;
  t.start();
  const store::FetchResult r =
      store::HttpFetch(300)(QStringLiteral("http://127.0.0.1:%1/x").arg(silent.serverPort()).toStdString());
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.error, "连接超时");
  EXPECT_LT(t.elapsed(), 4000);
}

namespace {

// Answers every connection with "200 OK" and a Content-Length of 1000, then
// either drops the connection after a few bytes or sends a byte every
// 100 ms for ever.
class BrokenServer : public QObject {
 public:
  explicit BrokenServer(bool trickle) {
    EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&server_, &QTcpServer::newConnection, this, [this, trickle] {
      QTcpSocket* s = server_.nextPendingConnection();
      QObject::connect(s, &QTcpSocket::readyRead, s, [s, trickle] {
        if (!s->readAll().contains("\r\n\r\n") || s->property("answered").toBool()) return;
        s->setProperty("answered", true);
        s->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n2024001 01 02");
        if (!trickle) {
          s->flush();
          s->disconnectFromHost();
          return;
        }
        auto* t = new QTimer(s);
        QObject::connect(t, &QTimer::timeout, s, [s] { s->write("x"); });
        t->start(100);
      });
    });
  }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/p.html"; }

 private:
  QTcpServer server_;
};

}  // namespace

TEST_F(HttpFetchTest, ABodyThatBreaksOffIsNoAnswer) {
  BrokenServer site(false);
  const store::FetchResult r = store::HttpFetch(2000)(site.url());
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(r.error.empty());
}

TEST_F(HttpFetchTest, AServerThatTricklesIsCutOffAtTheDeadline) {
  BrokenServer site(true);
  QElapsedTimer t;
  t.start();
  const store::FetchResult r = store::HttpFetch(300)(site.url());
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.error, "连接超时");
  EXPECT_GE(t.elapsed(), 800);
  EXPECT_LT(t.elapsed(), 4000);
}
