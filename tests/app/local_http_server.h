#pragma once
// A web server on 127.0.0.1 for the update check: answers every request with a scripted reply
// and closes the connection, as an HTTP/1.0 server does.

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace vexa::test {

class LocalHttpServer {
 public:
  // With `pauseAfterHeaders` the reply goes out in two pieces, the body a moment later.
  explicit LocalHttpServer(QByteArray reply, bool pauseAfterHeaders = false)
      : reply_(std::move(reply)), pauseAfterHeaders_(pauseAfterHeaders) {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { accept(); });
  }

  quint16 port() const { return server_.serverPort(); }
  // The value for VEXA_UPDATE_SERVER.
  QByteArray address() const { return "127.0.0.1:" + QByteArray::number(port()); }
  // Requests received, each up to and including its blank line.
  QList<QByteArray> requests;

 private:
  void accept() {
    while (QTcpSocket* client = server_.nextPendingConnection()) {
      auto* received = new QByteArray;
      QObject::connect(client, &QObject::destroyed, [received] { delete received; });
      QObject::connect(client, &QTcpSocket::readyRead, client, [this, client, received] {
        received->append(client->readAll());
        const qsizetype end = received->indexOf("\r\n\r\n");
        if (end < 0) return;
        requests.append(received->left(end + 4));
        received->clear();
        answer(client);
      });
      QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    }
  }

  void answer(QTcpSocket* client) {
    const qsizetype split = reply_.indexOf("\r\n\r\n");
    if (!pauseAfterHeaders_ || split < 0) {
      client->write(reply_);
      client->disconnectFromHost();
      return;
    }
    client->write(reply_.left(split + 4));
    client->flush();
    QPointer<QTcpSocket> guard(client);
    QTimer::singleShot(200, client, [this, guard, split] {
      if (!guard) return;
      guard->write(reply_.mid(split + 4));
      guard->disconnectFromHost();
    });
  }

  QTcpServer server_;
  QByteArray reply_;
  bool pauseAfterHeaders_;
};

// A reply of the update server with `body`.
inline QByteArray VersionReply(const QByteArray& body) {
  return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body;
}

// A port on 127.0.0.1 where nobody listens: connections are refused at once.
inline QByteArray ClosedLocalAddress() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  const quint16 port = probe.serverPort();
  probe.close();
  return "127.0.0.1:" + QByteArray::number(port);
}

}  // namespace vexa::test
