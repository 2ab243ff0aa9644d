// The other process of the hand-over tests. Commands:
//   serve SOCKET RECORD [--delay MS] [--exit-after N]
//       receives on SOCKET; appends each message to RECORD (message_file.h) after
//       waiting MS; ends at once when message N+1 arrives; prints "listening",
//       "served" or "failed <why>"
//   send SOCKET MESSAGES [TIMEOUT_MS]
//       hands the messages in the file MESSAGES over; prints "delivered <n>" and, on a
//       failure, "failure <why>"
//   send-garbage SOCKET
//       sends a frame header no sender would; prints "dropped" when the receiver hangs up
#include <QCoreApplication>
#include <QLocalSocket>
#include <QThread>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "message_file.h"
#include "platform/qt/hand_over_client.h"
#include "platform/qt/hand_over_server.h"
#include "testsupport/temp_folder.h"

namespace {

using namespace mvf::platform;

void Say(const QString& line) {
    std::fputs((line + u'\n').toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

int Serve(QCoreApplication& app, const QStringList& args) {
    const std::string record = args.at(3).toStdString();
    int delay = 0, exitAfter = -1, handled = 0;
    for (qsizetype i = 4; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--delay") delay = args[i + 1].toInt();
        if (args[i] == u"--exit-after") exitAfter = args[i + 1].toInt();
    }
    HandOverServer server([&](const QByteArray& message) {
        if (handled == exitAfter) ::_exit(0);
        ++handled;
        QThread::msleep(static_cast<unsigned long>(delay));
        std::ofstream out(record, std::ios::binary | std::ios::app);
        out << mvf::testing::EncodeMessages({message.toStdString()});
    });
    switch (server.Listen(args.at(2))) {
    case HandOverServer::Listening: Say("listening"); return app.exec();
    case HandOverServer::AlreadyServed: Say("served"); return 1;
    default: Say("failed " + server.FailureText()); return 2;
    }
}

int Send(const QStringList& args) {
    QList<QByteArray> messages;
    for (const std::string& m :
         mvf::testing::DecodeMessages(mvf::testing::ReadAll(args.at(3).toStdString())))
        messages.append(QByteArray::fromStdString(m));
    const auto timeout = std::chrono::milliseconds(args.size() > 4 ? args[4].toInt() : 10000);
    const HandOverResult result = SendHandOver(args.at(2), messages, timeout);
    Say(QStringLiteral("delivered %1").arg(result.delivered));
    if (!result.ok()) Say("failure " + result.failure);
    return result.ok() ? 0 : 1;
}

int SendGarbage(const QStringList& args) {
    QLocalSocket socket;
    socket.connectToServer(args.at(2));
    if (!socket.waitForConnected(5000)) return 2;
    socket.write(QByteArray("\xff\xff\xff\xffgarbage", 11));
    socket.waitForBytesWritten(5000);
    const bool dropped =
        socket.state() != QLocalSocket::ConnectedState || socket.waitForDisconnected(10000);
    Say(dropped ? "dropped" : "kept");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString command = args.size() > 1 ? args[1] : QString();
    if (command == u"serve" && args.size() >= 4) return Serve(app, args);
    if (command == u"send" && args.size() >= 4) return Send(args);
    if (command == u"send-garbage" && args.size() >= 3) return SendGarbage(args);
    std::fprintf(stderr, "qt_peer: unknown command\n");
    return 64;
}
