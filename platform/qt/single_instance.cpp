#include "qt/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace platform {
namespace {

constexpr char kRaiseRequest[] = "raise\n";
constexpr char kRaiseReply[] = "ok\n";
constexpr int kConnectMs = 1000;
constexpr int kReplyMs = 2000;

}  // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent), name_(name) {}

SingleInstance::~SingleInstance() {
  if (server_ != nullptr) server_->close();  // removes the socket file
}

bool SingleInstance::IsFirst() const { return server_ != nullptr && server_->isListening(); }

bool SingleInstance::Start() {
  if (IsFirst()) return true;
  if (AskRunningCopyToRaise()) return false;

  auto* server = new QLocalServer(this);
  if (!server->listen(name_)) {
    // The name is taken: either a copy started just now, or a crashed copy
    // left its socket file behind.
    if (AskRunningCopyToRaise()) {
      delete server;
      return false;
    }
    QLocalServer::removeServer(name_);
    if (!server->listen(name_)) {
      // Nothing listens and the name cannot be taken: run unguarded rather
      // than refuse to start.
      delete server;
      return true;
    }
  }
  server_ = server;
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
  return true;
}

bool SingleInstance::AnotherCopyRuns() const {
  if (IsFirst()) return false;
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return false;
  socket.disconnectFromServer();
  return true;
}

bool SingleInstance::AskRunningCopyToRaise() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return false;
  socket.write(kRaiseRequest);
  socket.flush();
  socket.waitForBytesWritten(kReplyMs);
  // The reply only tells that the request was read; a copy that answered
  // the connection counts as running either way.
  socket.waitForReadyRead(kReplyMs);
  socket.disconnectFromServer();
  return true;
}

void SingleInstance::AcceptConnections() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) return;
      const QByteArray request = socket->readLine();
      if (request != kRaiseRequest) return;
      socket->write(kRaiseReply);
      socket->flush();
      emit raiseRequested();
    });
  }
}

}  // namespace platform
