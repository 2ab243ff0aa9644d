// The "open" verb: the URL that names exactly the file, handed to the installed opener.
#include "platform/qt/default_opener.h"

#include <gtest/gtest.h>

namespace mvf::platform {
namespace {

class DefaultOpenerTest : public ::testing::Test {
protected:
    void TearDown() override { SetUrlOpener({}); }
};

TEST_F(DefaultOpenerTest, Utf8NamesGiveTheUsualFileUrl) {
    for (const char* path :
         {"/home/user/notes.txt", "/tmp/two words.txt", "/tmp/\xc3\xbc#?%&.txt", "/"}) {
        EXPECT_EQ(QUrl::fromLocalFile(QString::fromUtf8(path)), LocalFileUrl(path)) << path;
        EXPECT_EQ(QString::fromUtf8(path), LocalFileUrl(path).toLocalFile()) << path;
    }
}

TEST_F(DefaultOpenerTest, OtherBytesArePercentEncodedNotReplaced) {
    const std::string path = "/tmp/caf\xe9 menu\n#1.txt";
    const QUrl url = LocalFileUrl(path);
    EXPECT_TRUE(url.isValid());
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(QByteArray("file:///tmp/caf%E9%20menu%0A%231.txt"), url.toEncoded());
    EXPECT_EQ(QByteArray::fromStdString(path),
              QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

TEST_F(DefaultOpenerTest, OpeningGoesToTheInstalledOpener) {
    std::vector<QUrl> opened;
    bool answer = true;
    SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return answer;
    });
    EXPECT_TRUE(OpenWithDefaultApplication("/tmp/a b.txt"));
    answer = false;
    EXPECT_FALSE(OpenWithDefaultApplication("/tmp/caf\xe9.txt"));
    ASSERT_EQ(2u, opened.size());
    EXPECT_EQ(QUrl::fromLocalFile("/tmp/a b.txt"), opened[0]);
    EXPECT_EQ(QByteArray("file:///tmp/caf%E9.txt"), opened[1].toEncoded());
}

} // namespace
} // namespace mvf::platform
