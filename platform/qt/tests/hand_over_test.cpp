// The hand-over between real processes over a real local socket: exact bytes, order,
// acknowledgements after handling, and receivers that are dead, dying, slow or
// talked to in garbage.
#include "platform/qt/hand_over_client.h"
#include "platform/qt/hand_over_server.h"
#include "platform/qt/hand_over_socket_name.h"

#include <QEventLoop>
#include <QTimer>
#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "message_file.h"
#include "qt_test_application.h"
#include "testsupport/background_program.h"
#include "testsupport/scoped_environment.h"
#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

using namespace std::chrono_literals;
using testing::BackgroundProgram;

QList<QByteArray> AsMessages(const std::vector<std::string>& names) {
    QList<QByteArray> messages;
    for (const std::string& name : names) messages.append(QByteArray::fromStdString(name));
    return messages;
}

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApplication();
        socket_ = QString::fromStdString(tmp_.Path("hand-over"));
    }

    // A receiving peer process; `extra` are its options (--delay, --exit-after).
    std::unique_ptr<BackgroundProgram> PeerServer(std::vector<std::string> extra = {}) {
        std::vector<std::string> args{"serve", socket_.toStdString(), Record()};
        args.insert(args.end(), extra.begin(), extra.end());
        auto peer = std::make_unique<BackgroundProgram>(QT_PEER_PATH, args);
        EXPECT_EQ("listening", peer->ReadLine());
        return peer;
    }
    // A sending peer process handing `names` over to socket_.
    std::unique_ptr<BackgroundProgram> PeerSender(const std::vector<std::string>& names,
                                                  const std::string& file = "send") {
        const std::string messages = tmp_.File(file, testing::EncodeMessages(names));
        return std::make_unique<BackgroundProgram>(
            QT_PEER_PATH, std::vector<std::string>{"send", socket_.toStdString(), messages});
    }
    std::string Record() const { return tmp_.Path("record"); }
    std::vector<std::string> Recorded() const {
        return testing::DecodeMessages(testing::ReadAll(Record()));
    }

    testing::TempFolder tmp_;
    QString socket_;
};

TEST_F(HandOverTest, EveryNameArrivesExactlyInOrderAndHandledBeforeTheAnswer) {
    auto receiver = PeerServer({"--delay", "30"});
    static constexpr char kOddBytes[] = "/tmp/caf\xe9\xff\x00zero.txt"; // not UTF-8, a NUL
    const std::vector<std::string> names{"/home/user/a.txt",
                                         "/tmp/two words \"quoted\".txt",
                                         "/tmp/line\nfeed\r\n.txt",
                                         std::string(kOddBytes, sizeof kOddBytes - 1),
                                         "",
                                         std::string(300000, 'n')};
    const HandOverResult result = SendHandOver(socket_, AsMessages(names));
    EXPECT_TRUE(result.ok()) << result.failure.toStdString();
    EXPECT_EQ(6, result.delivered);
    // Read at once: the receiver answered each name only after handling it.
    EXPECT_EQ(names, Recorded());
}

TEST_F(HandOverTest, ManyNamesKeepTheirOrder) {
    auto receiver = PeerServer();
    std::vector<std::string> names;
    for (int i = 0; i < 2000; ++i) names.push_back("/data/file " + std::to_string(i));
    const HandOverResult result = SendHandOver(socket_, AsMessages(names));
    EXPECT_TRUE(result.ok()) << result.failure.toStdString();
    EXPECT_EQ(2000, result.delivered);
    EXPECT_EQ(names, Recorded());
}

TEST_F(HandOverTest, TheHandlerRunsOneMessageAtATime) {
    // Two senders at once, and a handler that spins a nested event loop (as a message box
    // would) on each message: the next message must wait for it, not overtake it.
    std::vector<std::string> handled;
    int depth = 0, deepest = 0;
    HandOverServer server([&](const QByteArray& message) {
        deepest = std::max(deepest, ++depth);
        QEventLoop modal;
        QTimer::singleShot(40, &modal, &QEventLoop::quit);
        modal.exec();
        handled.push_back(message.toStdString());
        --depth;
    });
    ASSERT_EQ(HandOverServer::Listening, server.Listen(socket_))
        << server.FailureText().toStdString();

    const std::vector<std::string> first{"a1", "a2", "a3", "a4", "a5"};
    const std::vector<std::string> second{"b1", "b2", "b3", "b4", "b5"};
    auto senderA = PeerSender(first, "a");
    auto senderB = PeerSender(second, "b");
    ASSERT_TRUE(testing::RunEventsUntil(
        [&] { return senderA->Wait(0ms) != -2 && senderB->Wait(0ms) != -2; }));
    EXPECT_EQ(0, senderA->Wait());
    EXPECT_EQ(0, senderB->Wait());
    EXPECT_EQ("delivered 5", senderA->ReadLine());
    EXPECT_EQ("delivered 5", senderB->ReadLine());

    EXPECT_EQ(1, deepest);
    ASSERT_EQ(10u, handled.size());
    std::vector<std::string> fromA, fromB;
    for (const std::string& name : handled) (name[0] == 'a' ? fromA : fromB).push_back(name);
    EXPECT_EQ(first, fromA);
    EXPECT_EQ(second, fromB);
}

TEST_F(HandOverTest, ASecondReceiverFindsTheLiveOneAndLeavesItAlone) {
    auto receiver = PeerServer();
    HandOverServer second([](const QByteArray&) { ADD_FAILURE() << "the second got a message"; });
    EXPECT_EQ(HandOverServer::AlreadyServed, second.Listen(socket_));
    EXPECT_TRUE(SendHandOver(socket_, {"/tmp/still reaches the first"}).ok());
    EXPECT_EQ(std::vector<std::string>{"/tmp/still reaches the first"}, Recorded());
}

TEST_F(HandOverTest, AKilledReceiversSocketIsTakenOver) {
    auto receiver = PeerServer();
    receiver->Kill(SIGKILL);
    receiver->Wait();
    ASSERT_TRUE(std::filesystem::exists(socket_.toStdString())); // left behind

    const HandOverResult toTheDead = SendHandOver(socket_, {"/tmp/a.txt"}, 5s);
    EXPECT_EQ(0, toTheDead.delivered);
    EXPECT_NE(-1, toTheDead.failure.indexOf(QStringLiteral("nobody receives on ") + socket_))
        << toTheDead.failure.toStdString();

    std::vector<std::string> handled;
    HandOverServer successor([&](const QByteArray& m) { handled.push_back(m.toStdString()); });
    ASSERT_EQ(HandOverServer::Listening, successor.Listen(socket_))
        << successor.FailureText().toStdString();
    auto sender = PeerSender({"/tmp/a.txt", "/tmp/b.txt"});
    ASSERT_TRUE(testing::RunEventsUntil([&] { return sender->Wait(0ms) != -2; }));
    EXPECT_EQ("delivered 2", sender->ReadLine());
    EXPECT_EQ((std::vector<std::string>{"/tmp/a.txt", "/tmp/b.txt"}), handled);
}

TEST_F(HandOverTest, NobodyListeningFailsAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    const HandOverResult result = SendHandOver(socket_, {"/tmp/a.txt"}, 10s);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(0, result.delivered);
    EXPECT_NE(-1, result.failure.indexOf(socket_));
}

TEST_F(HandOverTest, AReceiverDyingMidwaySaysHowFarItGot) {
    auto receiver = PeerServer({"--exit-after", "2"});
    const HandOverResult result =
        SendHandOver(socket_, AsMessages({"/1", "/2", "/3", "/4", "/5"}), 10s);
    EXPECT_EQ(2, result.delivered);
    EXPECT_NE(-1, result.failure.indexOf(QStringLiteral("hung up")))
        << result.failure.toStdString();
    EXPECT_NE(-1, result.failure.indexOf(QStringLiteral("2 of 5"))) << result.failure.toStdString();
    EXPECT_EQ((std::vector<std::string>{"/1", "/2"}), Recorded());
}

TEST_F(HandOverTest, ASlowReceiverRunsOutTheSendersTime) {
    auto receiver = PeerServer({"--delay", "3000"});
    const auto start = std::chrono::steady_clock::now();
    const HandOverResult result = SendHandOver(socket_, {"/tmp/a.txt", "/tmp/b.txt"}, 300ms);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2500ms);
    EXPECT_EQ(0, result.delivered);
    EXPECT_NE(-1, result.failure.indexOf(QStringLiteral("did not answer within 300 ms")))
        << result.failure.toStdString();
}

TEST_F(HandOverTest, GarbageIsDroppedAndTheReceiverGoesOn) {
    std::vector<std::string> handled;
    HandOverServer server([&](const QByteArray& m) { handled.push_back(m.toStdString()); });
    ASSERT_EQ(HandOverServer::Listening, server.Listen(socket_));
    BackgroundProgram garbage(QT_PEER_PATH, {"send-garbage", socket_.toStdString()});
    ASSERT_TRUE(testing::RunEventsUntil([&] { return garbage.Wait(0ms) != -2; }));
    EXPECT_EQ("dropped", garbage.ReadLine());

    auto sender = PeerSender({"/tmp/after.txt"});
    ASSERT_TRUE(testing::RunEventsUntil([&] { return sender->Wait(0ms) != -2; }));
    EXPECT_EQ("delivered 1", sender->ReadLine());
    EXPECT_EQ(std::vector<std::string>{"/tmp/after.txt"}, handled);
}

TEST_F(HandOverTest, AConnectionWithoutMessagesIsSeen) {
    int connections = 0, messages = 0;
    HandOverServer server([&](const QByteArray&) { ++messages; }, [&] { ++connections; });
    ASSERT_EQ(HandOverServer::Listening, server.Listen(socket_));
    auto sender = PeerSender({});
    ASSERT_TRUE(
        testing::RunEventsUntil([&] { return sender->Wait(0ms) != -2 && connections > 0; }));
    EXPECT_EQ("delivered 0", sender->ReadLine());
    EXPECT_EQ(1, connections);
    EXPECT_EQ(0, messages);
}

TEST_F(HandOverTest, SocketNamesAreOnePerMessageAndUser) {
    testing::ScopedEnvironment env;
    env.Set("XDG_RUNTIME_DIR", tmp_.Folder("run"));
    const QString viewer = HandOverSocketName(kViewerMessage);
    const QString editor = HandOverSocketName(kExternalEditorMessage);
    const QString uid = QString::number(::geteuid());
    EXPECT_EQ(QString::fromStdString(tmp_.Path("run/mvf-MFV-message-")) + uid, viewer);
    EXPECT_EQ(QString::fromStdString(tmp_.Path("run/mvf-FMM-message-")) + uid, editor);

    // The derived name works end to end.
    HandOverServer server([](const QByteArray&) {});
    ASSERT_EQ(HandOverServer::Listening, server.Listen(viewer));
    EXPECT_TRUE(SendHandOver(viewer, {}).ok());
    EXPECT_FALSE(SendHandOver(editor, {}).ok());
}

} // namespace
} // namespace mvf::platform
