// A list of messages as one file ("<length>:<bytes>" one after the other), so that
// the hand-over tests and their peer process can pass any bytes between them.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

namespace mvf::testing {

inline std::string EncodeMessages(const std::vector<std::string>& messages) {
    std::string file;
    for (const std::string& message : messages)
        file += std::to_string(message.size()) + ":" + message;
    return file;
}

inline std::vector<std::string> DecodeMessages(const std::string& file) {
    std::vector<std::string> messages;
    std::size_t at = 0;
    while (at < file.size()) {
        const std::size_t colon = file.find(':', at);
        if (colon == std::string::npos) break;
        const std::size_t length = std::strtoul(file.c_str() + at, nullptr, 10);
        messages.push_back(file.substr(colon + 1, length));
        at = colon + 1 + length;
    }
    return messages;
}

} // namespace mvf::testing
