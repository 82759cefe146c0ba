#include "store/http_fetch.h"

#include <QUrl>

#include "base/http_client.h"

namespace tavrin::store {

namespace {

// Bytes a URL may not carry as they are, percent-encoded; the rest kept.
QByteArray encoded(const std::string& url) {
  static const char kHex[] = "0123456789ABCDEF";
  QByteArray out;
  out.reserve(static_cast<qsizetype>(url.size()));
  for (const char ch : url) {
    const auto c = static_cast<unsigned char>(ch);
    if (c > ' ' && c < 0x7f && c != '"' && c != '<' && c != '>' && c != '\\' && c != '^' && c != '`' && c != '{' &&
        c != '|' && c != '}') {
      out.append(ch);
    } else {
      out.append('%');
      out.append(kHex[c >> 4]);
      out.append(kHex[c & 15]);
    }
  }
  return out;
}

}  // namespace

FetchFunction HttpFetch(int timeoutMs) {
  return [timeoutMs](const std::string& url) {
    const HttpResponse r = GetAndWait(httpClient(), QUrl::fromEncoded(encoded(url)), timeoutMs);
    FetchResult out;
    // An answer with an error status is still an answer: the run names the
    // status. No whole answer (refused, timed out, broken off) has status 0.
    out.ok = r.status != 0 || r.ok();
    out.status = r.status != 0 ? r.status : (r.ok() ? 200 : 0);
    out.body = r.body.toStdString();
    out.error = r.error.toStdString();
    return out;
  };
}

}  // namespace tavrin::store
