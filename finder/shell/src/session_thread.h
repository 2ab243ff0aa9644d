// The search session as the search commands reach a running search.
#pragma once

#include "finder/session/search_session.h"
#include "finder/shell/search_commands.h"

namespace mvf::shell {

class SessionThread final : public SearchThread {
public:
    explicit SessionThread(session::SearchSession& session) : session_(session) {}

    bool Paused() const override { return session_.Paused(); }
    void Pause() override { session_.Pause(); }
    void Resume() override { session_.Resume(); }
    void Stop() override { session_.Stop(); }
    void Cancel() override { session_.Cancel(); }

private:
    session::SearchSession& session_;
};

} // namespace mvf::shell
