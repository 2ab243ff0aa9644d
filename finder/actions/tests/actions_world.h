// The scratch world the actions' tests run in: real files in a scratch folder, the trash,
// the desktop's associations and the user's runtime folder (where the hand-over socket
// lives) all inside it; the fake viewer and the fake external editor recording what they
// get; the "open" verb recorded instead of starting applications.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QUrl>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <gtest/gtest.h>

#include "finder/results/results_list.h"
#include "platform/qt/default_opener.h"
#include "platform/qt/scripted_notifier.h"
#include "testsupport/qt_print.h"
#include "testsupport/scoped_environment.h"
#include "testsupport/temp_folder.h"

// Qt strings in the tests' failure messages.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}

namespace mvf::testing {

// Handles events until `done` says so or `timeout` passed; whether `done` said so.
inline bool RunEventsUntil(const std::function<bool()>& done,
                           std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    QElapsedTimer clock;
    clock.start();
    QTimer tick; // wakes the wait at least every 10 ms, for conditions outside Qt
    tick.start(10);
    while (!done()) {
        if (clock.elapsed() > timeout.count()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

inline std::string Unhex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

inline std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// What the fake external editor recorded.
struct EditorRecord {
    int starts = 0;
    int arguments = -1;
    pid_t pid = 0;
    long listenedAt = -1;
    std::vector<std::string> files;
    std::vector<long> fileTimes; // milliseconds after the editor's start
};

class ActionsWorld : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::is_directory("/usr/share/mime"))
            GTEST_SKIP() << "no MIME database (package shared-mime-info)";
        env_.Set("HOME", tmp_.Folder("home"));
        env_.Set("XDG_CONFIG_HOME", tmp_.Folder("config"));
        env_.Set("XDG_CONFIG_DIRS", tmp_.Folder("etc-xdg"));
        env_.Set("XDG_DATA_HOME", tmp_.Folder("data"));
        // The machine's MIME database and no application of the machine.
        tmp_.Link("share/mime", "/usr/share/mime");
        env_.Set("XDG_DATA_DIRS", tmp_.Path("share"));
        env_.Unset("XDG_CURRENT_DESKTOP");
        const std::string runtime = tmp_.Folder("runtime");
        ::chmod(runtime.c_str(), 0700);
        env_.Set("XDG_RUNTIME_DIR", runtime);
        env_.Set("MVF_FAKE_VIEWER_LOG", tmp_.Path("viewer.log"));
        env_.Set("MVF_FAKE_EDITOR_LOG", tmp_.Path("editor.log"));
        platform::SetUrlOpener([this](const QUrl& url) {
            opened_.push_back(url);
            return openerWorks_;
        });
    }

    void TearDown() override {
        platform::SetUrlOpener({});
        // A fake editor started by a test ends with it.
        const EditorRecord editor = Editor();
        if (editor.pid > 0) ::kill(editor.pid, SIGTERM);
    }

    // The external editor is the default application of plain text (and so of C sources).
    void AssociateTextWithTheEditor() {
        tmp_.File("data/applications/morvel32.desktop",
                  "[Desktop Entry]\nType=Application\nName=Morvel Edit\nExec=" +
                      std::string(MVF_FAKE_EDITOR) + " %f\n");
        tmp_.File("config/mimeapps.list", "[Default Applications]\ntext/plain=morvel32.desktop\n");
    }

    // The fake viewer's starts, each with its arguments' exact bytes.
    std::vector<std::vector<std::string>> ViewerStarts() const {
        std::vector<std::vector<std::string>> starts;
        for (const std::string& line : Lines(ReadAll(tmp_.Path("viewer.log")))) {
            std::vector<std::string> arguments;
            for (const std::string& word : Words(line)) arguments.push_back(Unhex(word));
            starts.push_back(arguments);
        }
        return starts;
    }

    EditorRecord Editor() const {
        EditorRecord record;
        for (const std::string& line : Lines(ReadAll(tmp_.Path("editor.log")))) {
            const std::vector<std::string> words = Words(line);
            if (words.size() == 3 && words[0] == "start") {
                ++record.starts;
                record.arguments = std::stoi(words[1]);
                record.pid = std::stoi(words[2]);
            } else if (words.size() == 2 && words[0] == "listen") {
                record.listenedAt = std::stol(words[1]);
            } else if (words.size() == 3 && words[0] == "file") {
                record.files.push_back(Unhex(words[1]));
                record.fileTimes.push_back(std::stol(words[2]));
            }
        }
        return record;
    }

    // A file in the scratch folder with some text in it.
    std::string File(const std::string& relative, const std::string& text = "some text\n") {
        return tmp_.File(relative, text);
    }

    // The rows of `paths` in `list`, in the order given.
    static void AddRows(results::ResultsList& list, const std::vector<std::string>& paths) {
        for (const std::string& path : paths)
            list.AddItem(path, "07/04/1999 03:15:42 PM", "07/04/1999 03:15:42 PM", 10,
                         {.IsDos = true});
    }

    TempFolder tmp_;
    ScopedEnvironment env_;
    platform::ScriptedNotifier notifier_;
    std::vector<QUrl> opened_; // what the "open" verb was given
    bool openerWorks_ = true;
};

} // namespace mvf::testing
