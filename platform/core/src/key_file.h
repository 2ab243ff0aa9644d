// Reading the freedesktop "key file" format shared by desktop entries, mimeapps.list,
// defaults.list and mimeinfo.cache: "[Group]" headers and "Key=Value" lines.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mvf::platform {

class KeyFile {
public:
    // Reads the file; a missing or unreadable file reads as empty.
    static KeyFile Read(const std::string& path);
    static KeyFile Parse(std::string_view text);

    bool Empty() const { return groups_.empty(); }
    // The raw value of `key` in `group` (the first one when repeated); empty when absent.
    std::string Value(const std::string& group, const std::string& key) const;
    bool Has(const std::string& group, const std::string& key) const;
    // A value that is a ";"-separated list, without empty items.
    std::vector<std::string> List(const std::string& group, const std::string& key) const;

private:
    std::map<std::string, std::map<std::string, std::string>, std::less<>> groups_;
};

// A string value with the escapes \s \n \t \r \\ turned into their characters.
std::string Unescape(std::string_view value);

} // namespace mvf::platform
