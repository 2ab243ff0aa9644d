// Helpers shared by the engine's tests: notices captured instead of printed, and the
// library's process-wide options restored around each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mvfindgrep.h"

namespace mvf::engine::testing {

struct Notice {
    std::string caption;
    std::string text;
    bool operator==(const Notice&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Notice& n) {
    return os << "{\"" << n.caption << "\", \"" << n.text << "\"}";
}

// Collects every notice the library reports while it lives.
class NoticeCapture {
public:
    NoticeCapture() { previous_ = HGrepSetNoticeHandler(&NoticeCapture::Record, this); }
    ~NoticeCapture() { HGrepSetNoticeHandler(previous_, nullptr); }
    NoticeCapture(const NoticeCapture&) = delete;
    NoticeCapture& operator=(const NoticeCapture&) = delete;

    const std::vector<Notice>& notices() const { return notices_; }
    void clear() { notices_.clear(); }

private:
    static void Record(const char* caption, const char* text, void* self) {
        static_cast<NoticeCapture*>(self)->notices_.push_back({caption, text});
    }
    std::vector<Notice> notices_;
    HGrepNoticeHandler previous_;
};

// Default options (messages on, no line mode) and a clean global error for each test.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        HGrepOptions(HGREP_OPT_DEFAULT);
        HGrepResetError(0);
        InitWordCharTable();
    }
    void TearDown() override {
        HGrepOptions(HGREP_OPT_DEFAULT);
        InitWordCharTable();
    }
    NoticeCapture notices_;
};

} // namespace mvf::engine::testing
