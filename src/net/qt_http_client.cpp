#include "net/qt_http_client.h"

#include <QtCore/QEventLoop>
#include <QtCore/QFile>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtNetwork/QNetworkAccessManager>
#include <QtNetwork/QNetworkReply>
#include <QtNetwork/QNetworkRequest>
#include <string>

#include "core/version.h"

namespace stallora::net {
namespace {

void SetError(std::string* error, const QString& text) {
  if (error) *error = text.toStdString();
}

int PortOf(const QUrl& url) { return url.port(url.scheme().toLower() == "https" ? 443 : 80); }

bool SameOrigin(const QUrl& a, const QUrl& b) {
  return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
         a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && PortOf(a) == PortOf(b);
}

}  // namespace

QtHttpClient::QtHttpClient(QNetworkAccessManager* manager)
    : owned_(manager ? nullptr : std::make_unique<QNetworkAccessManager>()),
      manager_(manager ? manager : owned_.get()) {}

QtHttpClient::~QtHttpClient() = default;

bool QtHttpClient::Run(const std::string& url, std::chrono::milliseconds timeout,
                       const std::function<bool(const QByteArray&)>& sink, std::string* error) {
  const QUrl address(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())), QUrl::StrictMode);
  const QString scheme = address.scheme().toLower();
  if (!address.isValid() || (scheme != "http" && scheme != "https") || address.host().isEmpty()) {
    SetError(error, "Not an http address: " + QString::fromUtf8(url.c_str()));
    return false;
  }
  QNetworkRequest request(address);
  // Every redirect is looked at: only one to the same scheme, host and port is followed, so
  // that what is installed comes from the service the settings name.
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
  request.setMaximumRedirectsAllowed(5);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
  request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromUtf8("Stallora/" + std::string(kProgramVersionText)));

  QNetworkReply* reply = manager_->get(request);
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  bool timedOut = false;
  bool tooLarge = false;
  bool refused = false;
  QString offSite;
  qint64 received = 0;
  auto take = [&] {
    const QByteArray chunk = reply->readAll();
    if (chunk.isEmpty() || tooLarge || refused) return;
    received += chunk.size();
    if (received > maxBodyBytes) {
      tooLarge = true;
      reply->abort();
    } else if (!sink(chunk)) {
      refused = true;
      reply->abort();
    }
  };
  QObject::connect(reply, &QNetworkReply::redirected, &loop, [&](const QUrl& to) {
    const QUrl target = address.resolved(to);
    if (SameOrigin(address, target)) {
      emit reply->redirectAllowed();
    } else {
      offSite = target.toString();
      reply->abort();
    }
  });
  QObject::connect(reply, &QNetworkReply::readyRead, &loop, take);
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    reply->abort();
  });
  timer.start(timeout);
  if (!reply->isFinished()) loop.exec();
  timer.stop();
  take();

  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  bool ok = false;
  if (timedOut) {
    SetError(error, QStringLiteral("No complete answer within %1 ms").arg(timeout.count()));
  } else if (tooLarge) {
    SetError(error, QStringLiteral("The answer is larger than %1 bytes").arg(maxBodyBytes));
  } else if (!offSite.isEmpty()) {
    SetError(error, QStringLiteral("Redirected to another host, not followed: %1").arg(offSite));
  } else if (refused) {
    SetError(error, QStringLiteral("The answer could not be stored"));
  } else if (reply->error() != QNetworkReply::NoError) {
    SetError(error, reply->errorString());
  } else if (status < 200 || status > 299) {
    SetError(error, QStringLiteral("HTTP status %1").arg(status));
  } else if (length.isValid() && length.toLongLong() != received) {
    SetError(error, QStringLiteral("Incomplete answer: %1 of %2 bytes").arg(received).arg(length.toLongLong()));
  } else {
    ok = true;
  }
  reply->deleteLater();
  return ok;
}

std::optional<std::string> QtHttpClient::Get(const std::string& url, std::chrono::milliseconds timeout,
                                             std::string* error) {
  std::string body;
  const bool ok = Run(
      url, timeout,
      [&](const QByteArray& chunk) {
        body.append(chunk.constData(), static_cast<size_t>(chunk.size()));
        return true;
      },
      error);
  if (!ok) return std::nullopt;
  return body;
}

bool QtHttpClient::GetToFile(const std::string& url, const std::filesystem::path& file,
                             std::chrono::milliseconds timeout, std::string* error) {
  QFile out(QFile::decodeName(QByteArray(file.c_str())));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    SetError(error, out.errorString());
    return false;
  }
  const bool ok = Run(
      url, timeout, [&](const QByteArray& chunk) { return out.write(chunk) == chunk.size(); }, error);
  const bool flushed = out.flush();
  out.close();
  if (ok && flushed && out.error() == QFileDevice::NoError) return true;
  if (ok) SetError(error, out.errorString());
  out.remove();
  return false;
}

}  // namespace stallora::net
