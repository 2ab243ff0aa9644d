// Reading pictures and the sound from a resource file built for the tests.
#include <QFile>

#include <thread>

#include <gtest/gtest.h>

#include "platform/qt/resources.h"
#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

using testing::TempFolder;

const std::string kTestResources = MVF_TEST_RESOURCES; // holds the tests' mvfinder.rcc

bool AnythingRegistered() {
    return QFile::exists(":/mvfinder/SPLASH.png") || QFile::exists(":/mvfinder/BARKSOUND.wav");
}

TEST(ResourceLibraryTest, ReadsPicturesAndTheSoundByName) {
    TempFolder empty;
    // The first folder without the file is passed over.
    const ResourceLibrary library({empty.Root(), kTestResources});
    EXPECT_EQ(kTestResources + "/mvfinder.rcc", library.FindFile());

    const QImage splash = library.Picture("SPLASH");
    ASSERT_FALSE(splash.isNull());
    EXPECT_EQ(QSize(510, 263), splash.size());
    EXPECT_EQ(QColor(Qt::red), splash.pixelColor(0, 0));
    const QImage small = library.Picture("S_SAVE");
    EXPECT_EQ(QSize(24, 22), small.size());
    EXPECT_EQ(QColor(Qt::green), small.pixelColor(23, 21));
    const QImage medium = library.Picture("M_SAVE");
    EXPECT_EQ(QSize(38, 38), medium.size());
    EXPECT_EQ(QColor(Qt::blue), medium.pixelColor(37, 37));
    const QImage markers = library.Picture("MARKERS");
    EXPECT_EQ(QSize(120, 12), markers.size());
    for (int glyph = 0; glyph < 10; ++glyph)
        EXPECT_EQ(glyph * 20, markers.pixelColor(glyph * 12 + 11, 11).red()) << glyph;

    const QByteArray bark = library.Sound("BARKSOUND");
    EXPECT_EQ(844, bark.size());
    EXPECT_TRUE(bark.startsWith("RIFF"));
    EXPECT_FALSE(AnythingRegistered());
}

TEST(ResourceLibraryTest, MissingFilesAndNamesGiveNothing) {
    TempFolder folder;
    const ResourceLibrary nowhere({folder.Root()});
    EXPECT_EQ("", nowhere.FindFile());
    EXPECT_TRUE(nowhere.Picture("SPLASH").isNull());
    EXPECT_TRUE(nowhere.Sound("BARKSOUND").isEmpty());
    EXPECT_TRUE(ResourceLibrary({}).Picture("SPLASH").isNull());

    const ResourceLibrary library({kTestResources});
    EXPECT_TRUE(library.Picture("S_EXIT").isNull());
    EXPECT_TRUE(library.Picture("BARKSOUND").isNull()); // a sound is not a picture
    EXPECT_TRUE(library.Sound("SPLASH").isEmpty());
    EXPECT_FALSE(AnythingRegistered());

    folder.File("mvfinder.rcc", "not a resource file at all");
    const ResourceLibrary broken({folder.Root(), kTestResources});
    EXPECT_TRUE(broken.Picture("SPLASH").isNull()); // the first file found is the one used
    EXPECT_FALSE(AnythingRegistered());
}

TEST(ResourceLibraryTest, TheFileIsLookedForAtEachRead) {
    TempFolder folder;
    const ResourceLibrary library({folder.Root()});
    EXPECT_TRUE(library.Picture("SPLASH").isNull());
    std::filesystem::copy_file(kTestResources + "/mvfinder.rcc", folder.Path("mvfinder.rcc"));
    EXPECT_FALSE(library.Picture("SPLASH").isNull());
    // Nothing holds the file between reads: it can be replaced.
    std::filesystem::remove(folder.Path("mvfinder.rcc"));
    EXPECT_TRUE(library.Picture("SPLASH").isNull());
}

TEST(ResourceLibraryTest, ReadsFromTwoThreadsAtOnceBothSucceed) {
    const ResourceLibrary library({kTestResources});
    int soundsRead = 0;
    std::thread sounds([&] {
        for (int i = 0; i < 50; ++i) soundsRead += library.Sound("BARKSOUND").size() == 844;
    });
    int picturesRead = 0;
    for (int i = 0; i < 50; ++i) picturesRead += !library.Picture("S_SAVE").isNull();
    sounds.join();
    EXPECT_EQ(50, soundsRead);
    EXPECT_EQ(50, picturesRead);
    EXPECT_FALSE(AnythingRegistered());
}

} // namespace
} // namespace mvf::platform
