#pragma once
// HTTP in the suites: a fake client that answers from a table without any
// network (installed for every window suite, so no test reaches a host), and
// a tiny server on 127.0.0.1 for the tests that go through the real client.

#include <QStringList>
#include <QTcpServer>
#include <map>
#include <memory>

#include "base/http_client.h"

namespace tavrin::test {

class FakeHttpClient final : public HttpClient {
 public:
  // Answers by full URL; any other URL fails as a refused connection would.
  std::map<QString, HttpResponse> answers;
  QStringList requested;  // every URL asked for, in order
  // Answers delivered so far.
  int answered() const { return *answered_; }

  void get(const QUrl& url, int timeoutMs, QObject* context, std::function<void(const HttpResponse&)> done) override;
  // A 200 answer with body, and a failing one.
  static HttpResponse Ok(const QByteArray& body);
  static HttpResponse Failed(const QString& error, int status = 0);

 private:
  // Shared with answers still on their way, which may outlive the client.
  std::shared_ptr<int> answered_ = std::make_shared<int>(0);
};

// Installs a client for the lifetime of the object (nullptr: the real one).
class HttpClientScope {
 public:
  explicit HttpClientScope(std::unique_ptr<HttpClient> client);
  ~HttpClientScope();

 private:
  std::unique_ptr<HttpClient> previous_;
};

// Answers GET requests on 127.0.0.1 from a table of paths (as sent, or
// percent-decoded); 404 otherwise.
class TinyHttpServer {
 public:
  std::map<QByteArray, QByteArray> pages;
  QStringList requested;

  TinyHttpServer();
  QString url() const;

 private:
  QTcpServer server_;
};

// Processes events until cond holds or ms pass; returns cond().
bool WaitFor(const std::function<bool()>& cond, int ms = 5000);

}  // namespace tavrin::test
