// The other process of the platform core's tests. Commands:
//   program-folder            prints ProgramFolder()
//   data-folders              prints DataFolders(), one a line
//   finder-lock               takes the finder's run lock, prints its path and "held",
//                             "locked" or "cannot <reason>"; holds it until its standard
//                             input ends
//   lock PATH [WAIT_MS]       takes the lock (waiting up to WAIT_MS), prints "held",
//                             "locked" or "cannot <reason>"; holds it until its standard
//                             input ends
//   write-args FILE ARG...    writes each ARG followed by a NUL byte to FILE, and
//                             "<parent pid> <session id> <pid>" to FILE.who
//   sleep MS                  prints "sleeping", sleeps, then ends
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

#include "platform/core/installation.h"
#include "platform/core/lock_file.h"
#include "platform/core/program_folder.h"
#include "platform/core/single_instance_locks.h"

namespace {

void Say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// Writes through a temporary name, so the test never reads a half-written file.
void WriteFile(const std::string& path, const std::string& bytes) {
    {
        std::ofstream out(path + ".part", std::ios::binary);
        out << bytes;
    }
    std::rename((path + ".part").c_str(), path.c_str());
}

int Hold(const mvf::platform::LockFile& lock) {
    using namespace mvf::platform;
    switch (lock.Outcome()) {
    case LockOutcome::Held: Say("held"); break;
    case LockOutcome::AlreadyLocked: Say("locked"); return 1;
    default: Say("cannot " + lock.Failure()); return 2;
    }
    char ignored[64];
    while (::read(0, ignored, sizeof ignored) > 0) {
    }
    return 0;
}

int Lock(const std::string& path, int waitMs) {
    using namespace mvf::platform;
    return Hold(waitMs < 0 ? LockFile::TryLock(path)
                           : LockFile::LockWithin(path, std::chrono::milliseconds(waitMs)));
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "program-folder") {
        Say(mvf::platform::ProgramFolder());
        return 0;
    }
    if (command == "data-folders") {
        for (const std::string& folder : mvf::platform::DataFolders()) Say(folder);
        return 0;
    }
    if (command == "finder-lock") {
        Say(mvf::platform::FinderRunLockPath());
        return Hold(mvf::platform::TakeFinderRunLock());
    }
    if (command == "lock" && argc >= 3) return Lock(argv[2], argc >= 4 ? std::stoi(argv[3]) : -1);
    if (command == "write-args" && argc >= 3) {
        std::string bytes;
        for (int i = 3; i < argc; ++i) bytes.append(argv[i]).push_back('\0');
        WriteFile(std::string(argv[2]) + ".who", std::to_string(::getppid()) + " " +
                                                     std::to_string(::getsid(0)) + " " +
                                                     std::to_string(::getpid()));
        WriteFile(argv[2], bytes);
        return 0;
    }
    if (command == "sleep" && argc >= 3) {
        Say("sleeping");
        std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(argv[2])));
        return 0;
    }
    std::fprintf(stderr, "core_peer: unknown command\n");
    return 64;
}
