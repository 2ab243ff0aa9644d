#include "viewer/app/command_line.h"

namespace mvf::viewer {

std::vector<std::string> CommandLineFiles(int argc, const char* const* argv) {
    std::vector<std::string> files;
    for (int i = 1; i < argc && argv[i] && argv[i][0] != '\0'; ++i) files.emplace_back(argv[i]);
    return files;
}

} // namespace mvf::viewer
