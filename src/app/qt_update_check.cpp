#include "app/qt_update_check.h"

#include <QTcpSocket>
#include <QTimer>

#include "app/version_reply.h"

namespace vexa::app {

namespace {
constexpr int kConnectLimitMs = 5000;
}

UpdateCheck::UpdateCheck(UpdateServer server, QObject* parent)
    : QObject(parent),
      server_(std::move(server)),
      socket_(new QTcpSocket(this)),
      connectLimit_(new QTimer(this)) {
  connectLimit_->setSingleShot(true);
  connectLimit_->setInterval(kConnectLimitMs);
  connect(connectLimit_, &QTimer::timeout, this, [this] {
    if (connected_) return;
    socket_->abort();
    giveUp();
  });
  connect(socket_, &QTcpSocket::errorOccurred, this, [this] {
    // After a connection, the server's close ends the reply (disconnected) instead.
    if (!connected_) giveUp();
  });
  connect(socket_, &QTcpSocket::connected, this, [this] {
    connected_ = true;
    connectLimit_->stop();
    const std::string request = VersionRequest(server_);
    socket_->write(request.data(), static_cast<qint64>(request.size()));
  });
  connect(socket_, &QTcpSocket::readyRead, this, &UpdateCheck::collect);
  connect(socket_, &QTcpSocket::disconnected, this, &UpdateCheck::finish);
}

void UpdateCheck::start() {
  if (attempted_ || server_.host.empty()) return;
  attempted_ = true;
  socket_->connectToHost(QString::fromStdString(server_.host), static_cast<quint16>(server_.port));
  connectLimit_->start();
}

void UpdateCheck::collect() {
  const QByteArray data = socket_->readAll();
  if (tooLong_) return;
  reply_.append(data.constData(), static_cast<std::size_t>(data.size()));
  if (reply_.size() > kMaxReplyLength) {
    tooLong_ = true;
    reply_.clear();
    socket_->abort();
  }
}

void UpdateCheck::finish() {
  // HTTP/1.0: the server ends its reply by closing the connection. A reply that came in pieces
  // is read whole, so a header arriving alone is not taken for an empty version.
  collect();
  if (over_) return;
  over_ = true;
  connectLimit_->stop();
  const auto version = tooLong_ ? std::nullopt : VersionFromReply(reply_);
  if (version) {
    emit versionReceived(QByteArray(version->data(), static_cast<qsizetype>(version->size())));
  }
  emit finished();
}

void UpdateCheck::giveUp() {
  if (over_) return;
  over_ = true;
  connectLimit_->stop();
  emit finished();
}

}  // namespace vexa::app
