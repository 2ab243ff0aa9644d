// The pattern engine's notices, shown through the notifier.
//
// While its option bit 8 is set, the engine reports every error it meets (a pattern that
// does not compile, ...) to one process-wide notice handler. Creating an
// `EngineNoticeRoute` installs a handler that turns each notice into an OK box with a
// warning icon, with the engine's caption and text, shown by the given notifier on the
// GUI thread:
//  - raised on the GUI thread itself, the box is shown at once;
//  - raised on another thread (the search thread), the box is shown by the GUI thread's
//    event loop while the raising thread waits for it to be answered; so the GUI thread
//    must not be blocked waiting for that thread (it never is: it never waits on a
//    search).
// One route at a time; create it on the GUI thread after the application object, and
// destroy it (which sends notices back to standard error) only when no other thread
// can still call the engine.
#pragma once

#include <memory>

#include "platform/qt/notifier.h"

namespace mvf::platform {

class EngineNoticeRoute {
public:
    explicit EngineNoticeRoute(Notifier& notifier);
    ~EngineNoticeRoute();
    EngineNoticeRoute(const EngineNoticeRoute&) = delete;
    EngineNoticeRoute& operator=(const EngineNoticeRoute&) = delete;

    struct Bridge; // the GUI thread's end of the route

private:
    std::unique_ptr<Bridge> bridge_;
};

// The box a notice becomes.
MessageBox NoticeBox(const char* caption, const char* text);

} // namespace mvf::platform
