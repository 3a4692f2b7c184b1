#pragma once
// The socket side of the update check: one connection per run to the update server, the
// request, and the reply collected until the server ends it.

#include <QByteArray>
#include <QObject>
#include <string>

#include "app/update_server.h"

class QTcpSocket;
class QTimer;

namespace vexa::app {

class UpdateCheck : public QObject {
  Q_OBJECT

 public:
  explicit UpdateCheck(UpdateServer server, QObject* parent = nullptr);

  // Connects and, once connected, sends the request. Returns at once: the connection gets about
  // 5 s, and the application carries on meanwhile. The socket serves one attempt per run, so a
  // second call does nothing; so does a call without a server.
  void start();
  bool attempted() const { return attempted_; }
  const UpdateServer& server() const { return server_; }

 signals:
  // The body of a proper reply (see VersionFromReply), exactly as sent.
  void versionReceived(const QByteArray& version);
  // The attempt is over, answered or not (refused, no connection within the limit, no reply).
  void finished();

 private:
  void collect();
  void finish();
  void giveUp();

  UpdateServer server_;
  QTcpSocket* socket_;
  QTimer* connectLimit_;
  bool attempted_ = false;
  bool connected_ = false;
  bool over_ = false;
  std::string reply_;
  bool tooLong_ = false;
};

}  // namespace vexa::app
