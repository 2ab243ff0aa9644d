// The build makes the same bytes every time: the drawing tool run twice writes identical
// files, and packing them again gives the resource library the build shipped.
#include "testsupport/run_program.h"
#include "testsupport/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <map>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using mvf::testing::ReadAll;
using mvf::testing::RunProgram;
using mvf::testing::TempFolder;

// Every file under `root` by its path relative to it, with its bytes.
std::map<std::string, std::string> contents(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = ReadAll(entry.path().string());
    return files;
}

void draw(const std::string& folder) {
    const auto run = RunProgram(MVF_ARTGEN, {folder}, folder);
    ASSERT_EQ(run.status, 0) << run.err;
}

TEST(ReproducibleTest, DrawingTwiceGivesTheSameBytes) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    TempFolder first, second;
    draw(first.Root());
    draw(second.Root());
    const auto a = contents(first.Root()), b = contents(second.Root());
    ASSERT_GT(a.size(), 90u); // 21 library files, 72 icons, two lists
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(bytes == b.at(name)) << name << " differs between two runs";
    }
}

TEST(ReproducibleTest, PackingAgainGivesTheShippedLibrary) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QT_RCC_SOURCE_DATE_OVERRIDE", "1", 1); // as the build packs it
    TempFolder folder;
    draw(folder.Root());
    const std::string packed = folder.Path("again.rcc");
    const auto run =
        RunProgram(MVF_RCC_TOOL, {"--binary", "-o", packed, "mvfinder.qrc"}, folder.Root());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string shipped = ReadAll(MVF_RCC_FILE);
    ASSERT_FALSE(shipped.empty());
    EXPECT_TRUE(ReadAll(packed) == shipped) << "bin/mvfinder.rcc is not what the sources make";
}

} // namespace
