#include "platform/qt/hand_over_client.h"

#include <QDeadlineTimer>
#include <QLocalSocket>

#include "hand_over_frame.h"

namespace mvf::platform {

namespace {

QString HowFar(const HandOverResult& result, qsizetype total) {
    return QStringLiteral(" (%1 of %2 handed over)").arg(result.delivered).arg(total);
}

// Waits until `socket` has written everything and sent back one byte.
bool AwaitAcknowledgement(QLocalSocket& socket, std::chrono::milliseconds timeout,
                          QString& failure) {
    const QDeadlineTimer deadline(timeout);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) break;
    while (socket.bytesAvailable() < 1 && socket.state() == QLocalSocket::ConnectedState &&
           !deadline.hasExpired())
        socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    char answer = 0;
    if (socket.bytesAvailable() >= 1 && socket.getChar(&answer)) {
        if (answer == kAcknowledgement) return true;
        failure = QStringLiteral("the receiver gave an unknown answer");
    } else if (socket.state() != QLocalSocket::ConnectedState) {
        failure = QStringLiteral("the receiver hung up before handling a message");
    } else {
        failure = QStringLiteral("the receiver did not answer within %1 ms").arg(timeout.count());
    }
    return false;
}

} // namespace

HandOverResult SendHandOver(const QString& socketName, const QList<QByteArray>& messages,
                            std::chrono::milliseconds timeout) {
    HandOverResult result;
    for (const QByteArray& message : messages)
        if (static_cast<std::uint64_t>(message.size()) > kLongestMessage) {
            result.failure = QStringLiteral("a message is too long to hand over");
            return result;
        }

    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(static_cast<int>(timeout.count()))) {
        const bool nobody = socket.error() == QLocalSocket::ServerNotFoundError ||
                            socket.error() == QLocalSocket::ConnectionRefusedError;
        result.failure = nobody ? QStringLiteral("nobody receives on ") + socketName
                                : QStringLiteral("cannot reach ") + socketName +
                                      QStringLiteral(": ") + socket.errorString();
        return result;
    }
    for (const QByteArray& message : messages) {
        socket.write(EncodeFrame(message));
        QString failure;
        if (!AwaitAcknowledgement(socket, timeout, failure)) {
            result.failure = failure + HowFar(result, messages.size());
            return result;
        }
        ++result.delivered;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
    return result;
}

} // namespace mvf::platform
