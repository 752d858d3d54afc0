#pragma once
// A small HTTP server on 127.0.0.1 with a free port, run by the test's own event loop (the
// client under test waits in a nested loop, which serves the server too). It answers from a
// table of request targets, can misbehave on purpose, and logs every request line.

#include <QtCore/QByteArray>
#include <QtCore/QObject>
#include <QtNetwork/QTcpServer>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QTcpSocket;

namespace stallora::testing {

class LoopbackServer : public QObject {
 public:
  struct Response {
    enum class Mode {
      Normal,     // status line, Content-Length, body, close
      Truncated,  // announces more bytes than it sends, then closes
      NoLength,   // no Content-Length: the body ends when the connection closes
      Stall,      // reads the request and never answers
    };
    int status = 200;
    QByteArray body{};
    Mode mode = Mode::Normal;
    QByteArray contentType = "application/octet-stream";
    QByteArray location{};  // sent as a Location header when not empty (a redirect)
    std::function<void()> onRequest{};  // runs when the request has been read
  };
  struct Request {
    QByteArray method;
    QByteArray target;
    QByteArray version;
  };

  LoopbackServer();
  ~LoopbackServer() override;

  // Listens on 127.0.0.1 with a port the system chooses.
  bool Start();
  void Stop();
  std::string Base() const;  // "http://127.0.0.1:<port>/"

  // Answers for a request target as it arrives ("/45/currentversion.txt"); anything else 404.
  std::map<QByteArray, Response> routes;
  std::vector<Request> log;

 private:
  void Serve(QTcpSocket* socket);
  QTcpServer server_;
  std::map<QTcpSocket*, QByteArray> pending_;
};

}  // namespace stallora::testing
