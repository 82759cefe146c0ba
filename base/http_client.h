#pragma once
// The program fetches two things over HTTP: the banner from the maker's site
// and the draw history pages from the operator's. Both go through this
// interface, so that tests can answer from memory or from a server on
// 127.0.0.1 and no test ever reaches another host.

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QObject;

namespace tavrin {

struct HttpResponse {
  int status = 0;  // the HTTP status; 0 when no whole answer came
  QByteArray body;
  QString error;  // empty when the request succeeded
  bool ok() const { return error.isEmpty(); }
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Starts a GET of url, following redirects, given up after timeoutMs
  // without data or three times timeoutMs in all. done is called exactly once, from the event loop of the
  // thread that called get(), unless context is destroyed first. A status
  // other than 2xx is an error whose text names it.
  virtual void get(const QUrl& url, int timeoutMs, QObject* context, std::function<void(const HttpResponse&)> done) = 0;
};

// The installed client (the real one unless a test installed another).
HttpClient& httpClient();
// Installs c and returns the previous one.
std::unique_ptr<HttpClient> setHttpClient(std::unique_ptr<HttpClient> c);

// Fetches url and waits for the answer in a local event loop: for the
// command-line tool, which has no window to keep responsive.
HttpResponse GetAndWait(HttpClient& client, const QUrl& url, int timeoutMs);

// The maker's site (banner, web entries) and the operator's site (history
// pages). TAVRIN_VENDOR_URL and TAVRIN_OPERATOR_URL override them.
QString VendorUrl();
QString OperatorUrl();

}  // namespace tavrin
