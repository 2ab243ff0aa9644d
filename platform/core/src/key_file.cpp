#include "key_file.h"

#include <fstream>
#include <iterator>

namespace mvf::platform {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

} // namespace

KeyFile KeyFile::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(text);
}

KeyFile KeyFile::Parse(std::string_view text) {
    KeyFile file;
    std::map<std::string, std::string>* group = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            group = &file.groups_[std::string(line.substr(1, line.size() - 2))];
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!group || equals == std::string_view::npos) continue;
        group->emplace(std::string(Trim(line.substr(0, equals))),
                       std::string(Trim(line.substr(equals + 1))));
    }
    return file;
}

std::string KeyFile::Value(const std::string& group, const std::string& key) const {
    const auto g = groups_.find(group);
    if (g == groups_.end()) return {};
    const auto k = g->second.find(key);
    return k == g->second.end() ? std::string() : k->second;
}

bool KeyFile::Has(const std::string& group, const std::string& key) const {
    const auto g = groups_.find(group);
    return g != groups_.end() && g->second.count(key) != 0;
}

std::vector<std::string> KeyFile::List(const std::string& group, const std::string& key) const {
    std::vector<std::string> items;
    const std::string value = Value(group, key);
    std::string_view rest = value;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view item = Trim(rest.substr(0, end));
        if (!item.empty()) items.emplace_back(item);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return items;
}

std::string Unescape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default: out += '\\'; out += value[i];
        }
    }
    return out;
}

} // namespace mvf::platform
