#include "loopback_server.h"

#include <QtNetwork/QTcpSocket>

namespace stallora::testing {

LoopbackServer::LoopbackServer() {
  QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      socket->setParent(this);
      QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Serve(socket); });
    }
  });
}

LoopbackServer::~LoopbackServer() { Stop(); }

bool LoopbackServer::Start() { return server_.listen(QHostAddress::LocalHost, 0); }

void LoopbackServer::Stop() {
  server_.close();
  for (QTcpSocket* s : findChildren<QTcpSocket*>()) s->abort();
}

std::string LoopbackServer::Base() const {
  return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/";
}

void LoopbackServer::Serve(QTcpSocket* socket) {
  QByteArray& buffer = pending_[socket];
  buffer += socket->readAll();
  const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
  if (headEnd < 0) return;
  const QByteArray requestLine = buffer.left(buffer.indexOf("\r\n"));
  pending_.erase(socket);
  const QList<QByteArray> parts = requestLine.split(' ');
  Request request;
  if (parts.size() == 3) request = {parts[0], parts[1], parts[2]};
  log.push_back(request);

  Response response;
  response.status = 404;
  response.body = "<html><body>Not found</body></html>";
  response.contentType = "text/html";
  if (auto it = routes.find(request.target); it != routes.end()) response = it->second;
  if (response.onRequest) response.onRequest();
  if (response.mode == Response::Mode::Stall) return;

  QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Answer\r\n";
  head += "Content-Type: " + response.contentType + "\r\n";
  if (!response.location.isEmpty()) head += "Location: " + response.location + "\r\n";
  if (response.mode == Response::Mode::Normal)
    head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
  if (response.mode == Response::Mode::Truncated)
    head += "Content-Length: " + QByteArray::number(response.body.size() + 1000) + "\r\n";
  head += "Connection: close\r\n\r\n";
  socket->write(head + response.body);
  socket->flush();
  socket->disconnectFromHost();
}

}  // namespace stallora::testing
