#pragma once
// The online service as the windows use it: the library's service over the Qt client, with
// its busy state as a property the update commands bind their enabled state to (and the
// windows their wait cursor).

#include <QtCore/QObject>

#include "net/qt_http_client.h"
#include "stable/online_service.h"

namespace stallora::net {

class UpdateService : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)

 public:
  explicit UpdateService(AppContext& app, QObject* parent = nullptr);

  OnlineService& service() { return service_; }
  QtHttpClient& client() { return client_; }
  bool busy() const { return service_.Busy(); }

 signals:
  void busyChanged(bool busy);

 private:
  QtHttpClient client_;
  OnlineService service_;
};

}  // namespace stallora::net
