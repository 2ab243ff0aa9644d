// Stands in for the maker's external editor ("morvel32") in the actions' tests: it
// listens for files on the "FMM message" hand-over, as the editor does, and records what
// it gets in the file named by $MVF_FAKE_EDITOR_LOG:
//   "start <number of arguments> <pid>"   when it starts;
//   "listen <milliseconds since start>"   when it listens;
//   "file <hex bytes> <milliseconds since start>"   for each file handed over.
// $MVF_FAKE_EDITOR_LISTEN_AFTER_MS delays the listening (an editor slow to come up).
// It ends by itself 10 s after its last message (or its start).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/qt/hand_over_server.h"
#include "platform/qt/hand_over_socket_name.h"

namespace {

std::string logPath;

void Record(const std::string& line) {
    const std::string whole = line + '\n';
    const int fd = ::open(logPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    if (::write(fd, whole.data(), whole.size()) != static_cast<ssize_t>(whole.size()))
        std::fputs("fake editor: cannot write its log\n", stderr);
    ::close(fd);
}

std::string Hex(const QByteArray& bytes) {
    std::string hex;
    for (const char c : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(c));
        hex += pair;
    }
    return hex;
}

} // namespace

int main(int argc, char** argv) {
    const char* log = std::getenv("MVF_FAKE_EDITOR_LOG");
    if (!log) return 2;
    logPath = log;
    QCoreApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();
    Record("start " + std::to_string(argc - 1) + " " + std::to_string(::getpid()));

    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(10000);
    QObject::connect(&idle, &QTimer::timeout, &app, &QCoreApplication::quit);
    idle.start();

    mvf::platform::HandOverServer server([&](const QByteArray& message) {
        Record("file " + Hex(message) + " " + std::to_string(clock.elapsed()));
        idle.start();
    });
    const int delay = std::atoi(std::getenv("MVF_FAKE_EDITOR_LISTEN_AFTER_MS")
                                    ? std::getenv("MVF_FAKE_EDITOR_LISTEN_AFTER_MS")
                                    : "0");
    QTimer::singleShot(delay, Qt::PreciseTimer, &app, [&] {
        const auto outcome =
            server.Listen(mvf::platform::HandOverSocketName(mvf::platform::kExternalEditorMessage));
        if (outcome != mvf::platform::HandOverServer::Listening) {
            Record("failed " + server.FailureText().toStdString());
            app.exit(1);
            return;
        }
        Record("listen " + std::to_string(clock.elapsed()));
    });
    return app.exec();
}
