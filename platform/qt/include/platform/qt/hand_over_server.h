// The receiving end of a hand-over. The first viewer listens on
// HandOverSocketName(kViewerMessage) and opens each file name a later start sends it; a
// test's fake external editor listens on HandOverSocketName(kExternalEditorMessage).
//
// Messages are byte strings (one file name each, its exact bytes: never decoded, never
// cut). The handler runs on the thread that owns the server, inside its event loop, one
// message at a time and in the order the messages arrived, across all senders: should a
// handler open a modal box (and so spin a nested event loop), later messages wait until
// it returns. The sender is acknowledged only after the handler returned, as the
// synchronous window message did, so the sender may go on (or end) knowing the name was
// handled.
//
// Usage:
//   HandOverServer server([&](const QByteArray& name) { LoadAFile(name); },
//                         [&] { RaiseMainWindow(); });
//   switch (server.Listen(HandOverSocketName(kViewerMessage))) {
//   case HandOverServer::Listening: break;          // this process is the receiver
//   case HandOverServer::AlreadyServed: ...         // another one is: SendHandOver to it
//   case HandOverServer::Failed: ... server.FailureText()
//   }
#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <deque>
#include <functional>
#include <memory>

class QLocalServer;
class QObject;
class QLocalSocket;

namespace mvf::platform {

class HandOverServer {
public:
    using MessageHandler = std::function<void(const QByteArray& message)>;
    using ConnectionHandler = std::function<void()>;

    // `onMessage` runs for every message; `onConnection`, when given, each time a sender
    // connects, before its messages (the viewer brings its window to the front there: a
    // second start with no files only activates the first). Another process's Listen that
    // finds this server alive connects once too, and so counts as a sender.
    explicit HandOverServer(MessageHandler onMessage, ConnectionHandler onConnection = {});
    ~HandOverServer(); // stops listening and removes the socket; never call it from a handler
    HandOverServer(const HandOverServer&) = delete;
    HandOverServer& operator=(const HandOverServer&) = delete;

    enum ListenOutcome {
        Listening,     // this server receives the messages sent to `socketName`
        AlreadyServed, // a live receiver answers on `socketName`: hand over to it instead
        Failed,        // neither; FailureText() says why
    };

    // Starts listening on `socketName` (a full path, see HandOverSocketName). A socket
    // left behind by a receiver that died (killed, crashed) is recognised because nobody
    // answers on it, removed and taken over. Concurrent Listen calls on one name, in any
    // processes, are serialised by a lock file beside the socket, so only one wins.
    ListenOutcome Listen(const QString& socketName);
    QString FailureText() const { return failure_; }

private:
    struct Pending {
        QPointer<QLocalSocket> sender;
        QByteArray message;
    };

    void Accept();
    void ReadFrames(QLocalSocket* socket);
    void CollectFrames(QLocalSocket* socket);
    void HandlePending();

    MessageHandler onMessage_;
    ConnectionHandler onConnection_;
    std::unique_ptr<QLocalServer> server_;
    std::unique_ptr<QObject> receiver_; // the context of every connection to this object
    std::deque<Pending> pending_;
    bool handling_ = false;
    QString failure_;
};

} // namespace mvf::platform
