#include "finder/actions/file_opener.h"

#include <QLocalSocket>
#include <thread>

#include "failure_list.h"
#include "finder/actions/opening.h"
#include "platform/core/start_program.h"
#include "platform/qt/default_application.h"
#include "platform/qt/default_opener.h"
#include "platform/qt/hand_over_client.h"
#include "platform/qt/hand_over_socket_name.h"
#include "worker.h"

namespace mvf::actions {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Whether a receiver accepts connections on `socketName` now.
bool Listening(const QString& socketName) {
    QLocalSocket probe;
    probe.connectToServer(socketName);
    const bool listening = probe.waitForConnected(200);
    probe.abort();
    return listening;
}

} // namespace

struct FileOpener::Plan {
    std::vector<std::string> paths;
    bool useViewer = false;
    std::vector<Opener> openers; // one per path, found on the worker
    std::string editorProgram;   // the last program found to be the external editor
    std::vector<std::string> forEditor;
    detail::Failures failures;
};

FileOpener::FileOpener(platform::Notifier& notifier, const bool& useViewer, Options options,
                       QWidget* window)
    : notifier_(notifier), useViewer_(useViewer), options_(std::move(options)), window_(window),
      worker_(std::make_unique<detail::Worker>()) {}

FileOpener::~FileOpener() = default;

void FileOpener::Open(std::vector<std::string> paths) {
    if (paths.empty()) return;
    auto plan = std::make_shared<Plan>();
    plan->paths = std::move(paths);
    plan->useViewer = useViewer_;
    ++pending_;
    worker_->Post([this, plan] {
        // Asking the desktop reads each file's first bytes: not on the GUI thread.
        for (const std::string& path : plan->paths) {
            if (plan->useViewer) {
                plan->openers.push_back(Opener::Viewer);
                continue;
            }
            const auto application = platform::FindDefaultApplication(path);
            const std::string program = application ? application->entry.program : std::string();
            const Opener opener = ChooseOpener(program, false);
            if (opener == Opener::ExternalEditor) plan->editorProgram = program;
            plan->openers.push_back(opener);
        }
        detail::ToGui(this, [this, plan] { Carry(plan); });
    });
}

bool FileOpener::StartViewer(const std::string& path, QString* failure) {
    std::string viewer = options_.programFolder;
    if (viewer.empty() || viewer.back() != '/') viewer.push_back('/');
    viewer.append(kViewerProgram);
    const platform::StartResult started = platform::StartDetached(viewer, {path});
    if (!started.started && failure) *failure = FromUtf8(started.failure);
    return started.started;
}

void FileOpener::Carry(const std::shared_ptr<Plan>& plan) {
    for (std::size_t i = 0; i < plan->paths.size(); ++i) {
        const std::string& path = plan->paths[i];
        switch (plan->openers[i]) {
        case Opener::Viewer: {
            QString failure;
            if (!StartViewer(path, &failure)) plan->failures.emplace_back(path, failure);
            break;
        }
        case Opener::DefaultApplication:
            if (!platform::OpenWithDefaultApplication(path))
                plan->failures.emplace_back(
                    path, QStringLiteral("no application of the desktop opens it"));
            break;
        case Opener::ExternalEditor: plan->forEditor.push_back(path); break;
        }
    }
    if (plan->forEditor.empty()) {
        Done(plan);
        return;
    }
    worker_->Post([this, plan, options = options_] {
        const platform::StartResult started = platform::StartDetached(plan->editorProgram, {});
        QString failure;
        int delivered = 0;
        if (!started.started) {
            failure = FromUtf8(started.failure);
        } else {
            // The editor needs a moment to come up; then it is given a bounded time more to
            // start listening before the first file goes over.
            std::this_thread::sleep_for(options.editorPause);
            const QString socket = platform::HandOverSocketName(platform::kExternalEditorMessage);
            const auto deadline = std::chrono::steady_clock::now() + options.editorListenWait;
            bool listening = Listening(socket);
            while (!listening && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                listening = Listening(socket);
            }
            if (!listening) {
                failure = QStringLiteral("the external editor did not take files within %1 ms")
                              .arg((options.editorPause + options.editorListenWait).count());
            } else {
                QList<QByteArray> messages;
                for (const std::string& path : plan->forEditor)
                    messages.push_back(QByteArray(path.data(), qsizetype(path.size())));
                const platform::HandOverResult handed = platform::SendHandOver(socket, messages);
                delivered = handed.delivered;
                failure = handed.failure;
            }
        }
        if (!failure.isEmpty())
            for (std::size_t i = std::size_t(delivered); i < plan->forEditor.size(); ++i)
                plan->failures.emplace_back(plan->forEditor[i], failure);
        detail::ToGui(this, [this, plan] { Done(plan); });
    });
}

void FileOpener::Done(const std::shared_ptr<Plan>& plan) {
    --pending_;
    detail::TellFailures(notifier_, window_, QStringLiteral("These files could not be opened:"),
                         plan->failures);
    emit finished();
}

} // namespace mvf::actions
