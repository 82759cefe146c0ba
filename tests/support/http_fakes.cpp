#include "tests/support/http_fakes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace tavrin::test {

void FakeHttpClient::get(const QUrl& url, int, QObject* context, std::function<void(const HttpResponse&)> done) {
  requested << url.toString();
  auto it = answers.find(url.toString());
  const HttpResponse r = it == answers.end() ? Failed(QStringLiteral("Connection refused")) : it->second;
  // Like the real client: the answer comes from the event loop, later.
  QPointer<QObject> guard(context);
  QTimer::singleShot(0, [count = answered_, guard, context, r, done = std::move(done)] {
    ++*count;
    if (context && !guard) return;
    done(r);
  });
}

HttpResponse FakeHttpClient::Ok(const QByteArray& body) {
  HttpResponse r;
  r.status = 200;
  r.body = body;
  return r;
}

HttpResponse FakeHttpClient::Failed(const QString& error, int status) {
  HttpResponse r;
  r.status = status;
  r.error = error;
  return r;
}

HttpClientScope::HttpClientScope(std::unique_ptr<HttpClient> client) : previous_(setHttpClient(std::move(client))) {}

HttpClientScope::~HttpClientScope() { setHttpClient(std::move(previous_)); }

TinyHttpServer::TinyHttpServer() {
  server_.listen(QHostAddress::LocalHost, 0);
  QObject::connect(&server_, &QTcpServer::newConnection, [this] {
    while (QTcpSocket* s = server_.nextPendingConnection()) {
      QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
        const QByteArray req = s->readAll();
        const QByteArray path = req.split(' ').value(1);
        requested << QString::fromLatin1(path);
        auto it = pages.find(path);
        // Links with bytes outside ASCII arrive percent-encoded.
        if (it == pages.end()) it = pages.find(QByteArray::fromPercentEncoding(path));
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

QString TinyHttpServer::url() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

bool WaitFor(const std::function<bool()>& cond, int ms) {
  QElapsedTimer t;
  t.start();
  while (!cond() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return cond();
}

}  // namespace tavrin::test
