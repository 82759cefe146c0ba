#include "base/http_client.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace tavrin {

namespace {

// A fetch ends at the latest this many transfer timeouts after it started.
constexpr int kDeadlineFactor = 3;
// No page of this program comes near this size.
constexpr qint64 kLargestBody = 32 * 1024 * 1024;

// Qt Network behind the interface; one manager per thread that uses it.
class QtHttpClient final : public HttpClient {
 public:
  void get(const QUrl& url, int timeoutMs, QObject* context, std::function<void(const HttpResponse&)> done) override {
    QNetworkAccessManager* net = manager();
    QNetworkRequest req(url);
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    req.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = net->get(req);
    // The transfer timeout only notices silence; a server that trickles a
    // byte now and then, or sends without end, is cut off all the same.
    auto tooLarge = std::make_shared<bool>(false);
    auto deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline->start(timeoutMs * kDeadlineFactor);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply, tooLarge](qint64 received, qint64) {
      if (received <= kLargestBody || *tooLarge) return;
      *tooLarge = true;
      reply->abort();
    });
    QPointer<QObject> guard(context);
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, guard, context, tooLarge, done = std::move(done)] {
      reply->deleteLater();
      if (context && !guard) return;
      HttpResponse r;
      r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
      const bool answered = r.status < 200 || r.status > 299;
      if (reply->error() == QNetworkReply::NoError) {
        r.body = reply->readAll();
        if (r.status != 0 && answered) r.error = QStringLiteral("服务器回答 HTTP %1").arg(r.status);
      } else if (r.status != 0 && answered) {
        r.error = QStringLiteral("服务器回答 HTTP %1").arg(r.status);
      } else {
        // No answer, or a 2xx answer whose body broke off: nothing usable came.
        r.status = 0;
        if (*tooLarge)
          r.error = QStringLiteral("服务器的回答太大");
        else if (reply->error() == QNetworkReply::OperationCanceledError)
          r.error = QStringLiteral("连接超时");
        else
          r.error = reply->errorString();
      }
      done(r);
    });
  }

 private:
  QNetworkAccessManager* manager() {
    thread_local QNetworkAccessManager* net = nullptr;
    if (!net) net = new QNetworkAccessManager();
    return net;
  }
};

std::unique_ptr<HttpClient>& installed() {
  static std::unique_ptr<HttpClient> c = std::make_unique<QtHttpClient>();
  return c;
}

QString FromEnv(const char* name, const char* fallback) {
  const QString env = qEnvironmentVariable(name);
  return env.isEmpty() ? QString::fromUtf8(fallback) : env;
}

}  // namespace

HttpClient& httpClient() { return *installed(); }

std::unique_ptr<HttpClient> setHttpClient(std::unique_ptr<HttpClient> c) {
  std::unique_ptr<HttpClient> previous = std::move(installed());
  installed() = c ? std::move(c) : std::make_unique<QtHttpClient>();
  return previous;
}

HttpResponse GetAndWait(HttpClient& client, const QUrl& url, int timeoutMs) {
  QEventLoop loop;
  HttpResponse out;
  bool finished = false;
  client.get(url, timeoutMs, &loop, [&](const HttpResponse& r) {
    out = r;
    finished = true;
    loop.quit();
  });
  if (!finished) loop.exec();
  return out;
}

QString VendorUrl() { return FromEnv("TAVRIN_VENDOR_URL", "http://www.orlek.example"); }

QString OperatorUrl() { return FromEnv("TAVRIN_OPERATOR_URL", "http://www.kaijiang.example"); }

}  // namespace tavrin
