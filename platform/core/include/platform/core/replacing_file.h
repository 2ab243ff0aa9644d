// Writing a file so that a failure cannot destroy the one it replaces: the text goes to a
// new file beside the target, which is renamed over the target only once all is written.
// The new file has no name while it is written (where the file system allows), so a
// process killed meanwhile leaves nothing; a named one that a killed save left behind
// ("<target>.saving-PID-N" of a process that is gone) is removed by the next save of the
// same target.
#pragma once

#include <string>
#include <string_view>

namespace mvf::platform {

class ReplacingFile {
public:
    // The target's symbolic link, if it is one, is followed: the file it names is replaced.
    explicit ReplacingFile(std::string target);
    ~ReplacingFile(); // removes the new file unless it was committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the new file (with the target's permissions when the target exists). False
    // when it cannot be made, or when the target exists but is no regular file.
    bool Open();
    bool Write(std::string_view bytes);
    // Flushes the new file to disk and renames it over the target.
    bool Commit();
    // The system's text for the last failure.
    std::string ErrorText() const;

private:
    bool Fail();

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    int error_ = 0;
    bool committed_ = false;
};

} // namespace mvf::platform
