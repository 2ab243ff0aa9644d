// A lock file: a file held with an exclusive advisory lock (flock) for as long as a
// LockFile object holds it. The finder holds "finderrun.dat" in its program folder this
// way so that one copy runs per installation folder; the viewer serialises its start-ups
// on "SingleMFVProgramHMutex" (see single_instance_locks.h).
//
// The kernel drops the lock when the holding process ends in any way, SIGKILL included,
// so a copy that died never leaves a stale lock. The file itself stays; it is only ever
// an empty marker. The descriptor is closed on exec, so programs the holder starts do
// not inherit the lock. Two LockFile objects in one process exclude each other too.
#pragma once

#include <chrono>
#include <string>
#include <utility>

namespace mvf::platform {

enum class LockOutcome {
    Held,          // this object holds the lock
    AlreadyLocked, // another holder has it (for LockWithin: still had it when time ran out)
    CannotOpen,    // the file could not be created or opened; Failure() says why
    Released,      // nothing held: default-constructed, released, or moved from
};

class LockFile {
public:
    // Creates `path` empty when it is missing, then takes the lock if it is free; never
    // waits.
    static LockFile TryLock(const std::string& path);

    // As TryLock, but while another holder has the lock, waits for it for at most
    // `timeout`, checking at short intervals (a few milliseconds at first, at most 50 ms
    // apart) rather than spinning.
    static LockFile LockWithin(const std::string& path, std::chrono::milliseconds timeout);

    // A lock that could not even be attempted (no folder to put it in, say), with the reason.
    static LockFile CannotOpenBecause(std::string failure) {
        return LockFile(-1, LockOutcome::CannotOpen, std::move(failure));
    }

    LockFile() = default; // holds nothing
    LockFile(LockFile&& other) noexcept;
    LockFile& operator=(LockFile&& other) noexcept;
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;
    ~LockFile(); // releases the lock

    LockOutcome Outcome() const { return outcome_; }
    bool IsHeld() const { return outcome_ == LockOutcome::Held; }
    // For CannotOpen: what failed and why, e.g. "cannot open /x/finderrun.dat: Permission
    // denied". Empty otherwise.
    const std::string& Failure() const { return failure_; }

    // Gives the lock up now (the destructor does the same).
    void Release();

private:
    LockFile(int fd, LockOutcome outcome, std::string failure)
        : fd_(fd), outcome_(outcome), failure_(std::move(failure)) {}

    int fd_ = -1;
    LockOutcome outcome_ = LockOutcome::Released;
    std::string failure_;
};

} // namespace mvf::platform
