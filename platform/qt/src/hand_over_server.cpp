#include "platform/qt/hand_over_server.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <chrono>

#include "hand_over_frame.h"
#include "platform/core/lock_file.h"

namespace mvf::platform {

namespace {

// Whether anyone accepts connections on `name`. A socket file whose listener died
// refuses at once; a live listener accepts even while it is busy, as the kernel queues
// the connection for it. No answer in time counts as alive: better to hand over to a
// slow receiver than to take its name.
bool SomeoneListens(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(2000)) {
        probe.disconnectFromServer();
        return true;
    }
    return probe.error() != QLocalSocket::ConnectionRefusedError &&
           probe.error() != QLocalSocket::ServerNotFoundError;
}

} // namespace

HandOverServer::HandOverServer(MessageHandler onMessage, ConnectionHandler onConnection)
    : onMessage_(std::move(onMessage)), onConnection_(std::move(onConnection)),
      server_(std::make_unique<QLocalServer>()), receiver_(std::make_unique<QObject>()) {
    QObject::connect(server_.get(), &QLocalServer::newConnection, receiver_.get(),
                     [this] { Accept(); });
}

HandOverServer::~HandOverServer() {
    // Connections die first: the sockets announce their end while the server deletes
    // them, and nothing here may run then.
    receiver_.reset();
    server_.reset();
}

HandOverServer::ListenOutcome HandOverServer::Listen(const QString& socketName) {
    failure_.clear();
    if (server_->isListening()) return Listening;

    // A bare name lives in the temporary folder (QLocalServer's rule); so does its guard.
    const QString fullName =
        QDir::isAbsolutePath(socketName) ? socketName : QDir::tempPath() + u'/' + socketName;
    const LockFile guard =
        LockFile::LockWithin(QFile::encodeName(fullName + QStringLiteral(".lock")).toStdString(),
                             std::chrono::seconds(5));
    if (!guard.IsHeld() && guard.Outcome() == LockOutcome::AlreadyLocked) {
        failure_ = QStringLiteral("another program is starting to receive on ") + socketName;
        return Failed;
    }
    // Without the guard (say, no right to create it beside the socket) go on unguarded:
    // the name check below still keeps a live receiver's socket.

    if (server_->listen(socketName)) return Listening;
    if (server_->serverError() == QAbstractSocket::AddressInUseError) {
        if (SomeoneListens(socketName)) return AlreadyServed;
        QLocalServer::removeServer(socketName);
        if (server_->listen(socketName)) return Listening;
    }
    failure_ = QStringLiteral("cannot receive on ") + socketName + QStringLiteral(": ") +
               server_->errorString();
    return Failed;
}

void HandOverServer::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::readyRead, receiver_.get(),
                         [this, socket] { ReadFrames(socket); });
        // Frames that arrived just before the sender hung up are still handled.
        QObject::connect(socket, &QLocalSocket::disconnected, receiver_.get(), [this, socket] {
            ReadFrames(socket);
            socket->deleteLater();
        });
        if (onConnection_) onConnection_();
        ReadFrames(socket);
    }
}

void HandOverServer::ReadFrames(QLocalSocket* socket) {
    CollectFrames(socket);
    HandlePending();
}

void HandOverServer::CollectFrames(QLocalSocket* socket) {
    while (socket->bytesAvailable() >= kFrameHeaderSize) {
        const std::uint32_t length = FrameLength(socket->peek(kFrameHeaderSize));
        if (length > kLongestMessage) { // not our sender: drop it and what it sent
            socket->abort();
            return;
        }
        if (socket->bytesAvailable() < kFrameHeaderSize + static_cast<qint64>(length)) return;
        socket->skip(kFrameHeaderSize);
        pending_.push_back({socket, socket->read(length)});
    }
}

void HandOverServer::HandlePending() {
    // A handler that spins a nested event loop may bring more frames in; they queue
    // behind the current one and this outer loop handles them in turn.
    if (handling_) return;
    handling_ = true;
    do {
        while (!pending_.empty()) {
            const Pending next = std::move(pending_.front());
            pending_.pop_front();
            onMessage_(next.message);
            if (next.sender && next.sender->state() == QLocalSocket::ConnectedState) {
                next.sender->write(&kAcknowledgement, 1);
                next.sender->flush();
            }
        }
        // A socket does not announce new data again while its own announcement is still
        // being handled, and handlers run inside one: frames that came in meanwhile may
        // sit unannounced, so every connection is looked at once more.
        for (QLocalSocket* socket : server_->findChildren<QLocalSocket*>()) CollectFrames(socket);
    } while (!pending_.empty());
    handling_ = false;
}

} // namespace mvf::platform
