#pragma once
// The HTTP client of the online service over Qt Network. Each request waits in a local
// event loop, so the windows keep painting and answering while it runs; the caller must
// therefore guard against being started again meanwhile (the service's busy state does).

#include <QtCore/QByteArray>
#include <chrono>
#include <functional>
#include <memory>

#include "stable/online_service.h"

class QNetworkAccessManager;

namespace stallora::net {

class QtHttpClient final : public HttpClient {
 public:
  // Uses `manager` when given (not owned), else an own one. Needs a QCoreApplication.
  explicit QtHttpClient(QNetworkAccessManager* manager = nullptr);
  ~QtHttpClient() override;

  // A body larger than this is refused (a version file or a list is never near it).
  qint64 maxBodyBytes = 64 * 1024 * 1024;

  std::optional<std::string> Get(const std::string& url, std::chrono::milliseconds timeout,
                                 std::string* error) override;
  bool GetToFile(const std::string& url, const std::filesystem::path& file, std::chrono::milliseconds timeout,
                 std::string* error) override;

 private:
  // Runs one GET; `sink` takes the body in pieces and may refuse one (false). True only for
  // a complete 2xx answer that the sink took whole.
  bool Run(const std::string& url, std::chrono::milliseconds timeout, const std::function<bool(const QByteArray&)>& sink,
           std::string* error);

  std::unique_ptr<QNetworkAccessManager> owned_;
  QNetworkAccessManager* manager_;
};

}  // namespace stallora::net
