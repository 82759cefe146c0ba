#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMovie>
#include <QTcpServer>
#include <QTcpSocket>

#include "app/main/u_main.h"
#include "app/u_public.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::test;

namespace {

// The smallest valid GIF picture: one white pixel.
const QByteArray kGif = QByteArray::fromHex(
    "4749463839610100010080000000ffffff00000021f90401000000002c00000000010001000002024401003b");

// Answers GET requests on 127.0.0.1 from a table of paths; 404 otherwise.
class TinyHttpServer {
public:
  std::map<QByteArray, QByteArray> pages;
  QStringList requested;

  TinyHttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* s = server_.nextPendingConnection()) {
        QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
          const QByteArray req = s->readAll();
          const QByteArray path = req.split(' ').value(1);
          requested << QString::fromLatin1(path);
          auto it = pages.find(path);
          const QByteArray body = it == pages.end() ? QByteArray("missing") : it->second;
          const QByteArray status = it == pages.end() ? "404 Not Found" : "200 OK";
          s->write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                   "\r\nConnection: close\r\n\r\n" + body);
          s->disconnectFromHost();
        });
        QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
      }
    });
  }
  QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

private:
  QTcpServer server_;
};

bool waitFor(const std::function<bool()>& cond, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!cond() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return cond();
}

class BannerTest : public ::testing::Test {
protected:
  TempAppDir app;
  PromptsScope prompts;
  void TearDown() override { qunsetenv("TAVRIN_VENDOR_URL"); }
};

}  // namespace

TEST_F(BannerTest, ShownWhenBothRequestsSucceed) {
  TinyHttpServer http;
  http.pages["/guanggao.gif"] = kGif;
  http.pages["/ggurl.txt"] = "http://ad.example/";
  qputenv("TAVRIN_VENDOR_URL", http.url().toUtf8());
  Tfrmmain w;
  w.show();
  ASSERT_TRUE(waitFor([&] { return w.pan->isVisible(); }));
  EXPECT_EQ(http.requested, (QStringList{QStringLiteral("/guanggao.gif"), QStringLiteral("/ggurl.txt")}));
  EXPECT_TRUE(QFile::exists(AppPath(QStringLiteral("guanggao.gif"))));
  ASSERT_NE(w.imggif->movie(), nullptr);
  EXPECT_EQ(w.pan->pos().y(), 200);
  EXPECT_EQ(w.pan->size(), QSize(900, 120));
}

TEST_F(BannerTest, AnyFailureHidesItSilently) {
  const struct {
    const char* what;
    std::map<QByteArray, QByteArray> pages;  // served; any other path is a 404
    bool server;
  } cases[] = {
      {"no picture", {{"/ggurl.txt", "x"}}, true},
      {"no text", {{"/guanggao.gif", kGif}}, true},
      {"not a picture", {{"/guanggao.gif", "<html>not a picture</html>"}, {"/ggurl.txt", "x"}}, true},
      {"no server", {}, false},
  };
  for (const auto& c : cases) {
    TinyHttpServer http;
    http.pages = c.pages;
    // Nothing listens on port 9 of this machine.
    qputenv("TAVRIN_VENDOR_URL", c.server ? http.url().toUtf8() : QByteArray("http://127.0.0.1:9"));
    prompts->messages.clear();
    Tfrmmain w;
    w.show();
    waitFor([] { return false; }, 300);
    EXPECT_FALSE(w.pan->isVisible()) << c.what;
    // The background picture is missing in this folder; nothing else is said.
    for (const ShownMessage& m : prompts->messages)
      EXPECT_TRUE(m.text.contains(QStringLiteral("back.bmp"))) << c.what << ": " << m.text.toStdString();
  }
}
