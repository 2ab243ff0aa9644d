#include "stderr_notifier.h"

#include <cstdio>
#include <string>

namespace mvf::shell {

namespace {

std::string Escaped(const QString& text) {
    std::string out;
    for (const char c : text.toStdString()) {
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

std::string BoxLine(const platform::MessageBox& box) {
    return "box: caption=" + Escaped(box.caption) + " text=" + Escaped(box.text);
}

platform::BoxAnswer StderrNotifier::Show(const platform::MessageBox& box) {
    const std::string line = BoxLine(box) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return platform::EffectiveDefault(box);
}

} // namespace mvf::shell
