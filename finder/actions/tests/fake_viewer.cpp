// Stands in for vantorviewer in the actions' tests. Each start appends one line to the
// file named by $MVF_FAKE_VIEWER_LOG: its arguments, each as hexadecimal bytes, separated
// by blanks (so that blanks, quotes and bytes that are not UTF-8 come through exactly).
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* log = std::getenv("MVF_FAKE_VIEWER_LOG");
    if (!log) return 2;
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        for (const char* c = argv[i]; *c; ++c) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(*c));
            line += hex;
        }
    }
    line += '\n';
    const int fd = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return 3;
    // One write of the whole line: lines of starts at the same time do not mix.
    const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    ::close(fd);
    return written ? 0 : 4;
}
