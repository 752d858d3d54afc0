#include "net/update_service.h"

namespace stallora::net {

UpdateService::UpdateService(AppContext& app, QObject* parent)
    : QObject(parent), client_(nullptr), service_(app, client_) {
  service_.onBusyChanged = [this](bool busy) { emit busyChanged(busy); };
}

}  // namespace stallora::net
