// Opening found files through real processes: the fake viewer started from the program
// folder, the desktop's "open" verb (recorded), and the fake external editor taking the
// files over the "FMM message" socket after its start and the pause.
#include "finder/actions/file_opener.h"

#include <QSignalSpy>
#include <algorithm>

#include "actions_world.h"
#include "finder/actions/opening.h"

namespace mvf::actions {
namespace {

using platform::BoxIcon;

TEST(Opening, TheEditorIsKnownByItsNameAndTheViewerOptionWins) {
    EXPECT_TRUE(IsExternalEditor("/opt/Morvel/bin/MORVEL32"));
    EXPECT_TRUE(IsExternalEditor("/usr/local/bin/morvel32"));
    EXPECT_FALSE(IsExternalEditor("/usr/bin/gedit"));
    EXPECT_FALSE(IsExternalEditor(""));
    EXPECT_EQ(Opener::ExternalEditor, ChooseOpener("/usr/local/bin/morvel32", false));
    EXPECT_EQ(Opener::Viewer, ChooseOpener("/usr/local/bin/morvel32", true));
    EXPECT_EQ(Opener::Viewer, ChooseOpener("/usr/bin/gedit", true));
    EXPECT_EQ(Opener::DefaultApplication, ChooseOpener("/usr/bin/gedit", false));
    EXPECT_EQ(Opener::DefaultApplication, ChooseOpener("", false));
}

class FileOpenerTest : public testing::ActionsWorld {
protected:
    FileOpener& Opener(std::chrono::milliseconds listenWait = std::chrono::seconds(10)) {
        opener_ = std::make_unique<FileOpener>(
            notifier_, useViewer_,
            FileOpener::Options{.programFolder = MVF_FAKE_VIEWER_FOLDER,
                                .editorListenWait = listenWait},
            nullptr);
        return *opener_;
    }
    // Opens and waits until the opener is done.
    void OpenAndWait(std::vector<std::string> paths) {
        QSignalSpy finished(opener_.get(), &FileOpener::finished);
        opener_->Open(std::move(paths));
        ASSERT_TRUE(finished.wait(30000));
    }

    bool useViewer_ = false;
    std::unique_ptr<FileOpener> opener_;
};

TEST_F(FileOpenerTest, WithTheViewerOptionEachFileStartsTheViewerWithItsPathAsOneArgument) {
    useViewer_ = true;
    AssociateTextWithTheEditor(); // the viewer option wins over the editor
    const std::vector<std::string> paths = {File("a.txt"), File("two words \"quoted\".txt"),
                                            File("not-utf8-\xff\xfe.c")};
    Opener();
    OpenAndWait(paths);
    ASSERT_TRUE(testing::RunEventsUntil([&] { return ViewerStarts().size() == 3; }));
    std::vector<std::vector<std::string>> expected;
    for (const std::string& path : paths) expected.push_back({path});
    std::vector<std::vector<std::string>> starts = ViewerStarts();
    // The three viewers run side by side: their records may come in any order.
    std::sort(starts.begin(), starts.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, starts);
    EXPECT_EQ(0, Editor().starts);
    EXPECT_TRUE(opened_.empty());
    EXPECT_TRUE(notifier_.Boxes().empty()) << notifier_.Describe();
}

TEST_F(FileOpenerTest, WithoutTheOptionFilesGoToTheDesktopsDefaultApplicationInOrder) {
    const std::vector<std::string> paths = {File("z.txt"), File("picture.png", "\x89PNG\r\n"),
                                            File("name with blanks \xff.txt")};
    Opener();
    OpenAndWait(paths);
    ASSERT_EQ(3u, opened_.size());
    for (std::size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(platform::LocalFileUrl(paths[i]), opened_[i]) << i;
    EXPECT_TRUE(ViewerStarts().empty());
    EXPECT_TRUE(notifier_.Boxes().empty()) << notifier_.Describe();
}

TEST_F(FileOpenerTest, FilesOfTheExternalEditorAreHandedOverInOrderAfterItsStartAndThePause) {
    AssociateTextWithTheEditor();
    const std::vector<std::string> texts = {File("one.txt"), File("sub/two.txt"),
                                            File("three \xff.txt")};
    const std::string picture = File("picture.png", "\x89PNG\r\n");
    Opener();
    OpenAndWait({texts[0], picture, texts[1], texts[2]});

    const testing::EditorRecord editor = Editor();
    EXPECT_EQ(1, editor.starts) << "started once for all its files";
    EXPECT_EQ(0, editor.arguments) << "no file on its command line";
    EXPECT_EQ(texts, editor.files) << "every file, the first included, over the socket";
    ASSERT_FALSE(editor.fileTimes.empty());
    // The finder waits 1200 ms after the start before the first file (the editor's clock
    // starts a little after its start).
    EXPECT_GE(editor.fileTimes.front(), 1100);
    // The other file went to the desktop.
    ASSERT_EQ(1u, opened_.size());
    EXPECT_EQ(platform::LocalFileUrl(picture), opened_[0]);
    EXPECT_TRUE(notifier_.Boxes().empty()) << notifier_.Describe();
}

TEST_F(FileOpenerTest, AnEditorThatListensLateStillGetsItsFiles) {
    AssociateTextWithTheEditor();
    env_.Set("MVF_FAKE_EDITOR_LISTEN_AFTER_MS", "2500");
    const std::string file = File("late.txt");
    Opener();
    OpenAndWait({file});
    const testing::EditorRecord editor = Editor();
    EXPECT_GE(editor.listenedAt, 2500);
    EXPECT_EQ(std::vector<std::string>{file}, editor.files);
    EXPECT_TRUE(notifier_.Boxes().empty()) << notifier_.Describe();
}

TEST_F(FileOpenerTest, AnEditorThatNeverListensIsToldWithItsFiles) {
    AssociateTextWithTheEditor();
    env_.Set("MVF_FAKE_EDITOR_LISTEN_AFTER_MS", "60000");
    const std::string first = File("first.txt"), second = File("second.txt");
    Opener(std::chrono::milliseconds(300));
    OpenAndWait({first, second});
    EXPECT_TRUE(Editor().files.empty());
    ASSERT_EQ(1u, notifier_.Boxes().size());
    const platform::MessageBox box = notifier_.Boxes()[0].box;
    EXPECT_EQ("Vantor Finder Error", box.caption);
    EXPECT_EQ(BoxIcon::Warning, box.icon);
    EXPECT_TRUE(box.text.startsWith("These files could not be opened:")) << box.text;
    EXPECT_TRUE(box.text.contains(QString::fromStdString(first) + ": the external editor did not"))
        << box.text;
    EXPECT_TRUE(box.text.contains(QString::fromStdString(second))) << box.text;
}

TEST_F(FileOpenerTest, FilesThatCouldNotBeOpenedAreToldInOneBox) {
    openerWorks_ = false; // the desktop has no application for them
    const std::string a = File("a.dat"), b = File("b.dat");
    Opener();
    OpenAndWait({a, b});
    ASSERT_EQ(1u, notifier_.Boxes().size());
    const QString text = notifier_.Boxes()[0].box.text;
    EXPECT_TRUE(text.contains(QString::fromStdString(a) + ": no application")) << text;
    EXPECT_TRUE(text.contains(QString::fromStdString(b) + ": no application")) << text;

    // A program folder without the viewer.
    useViewer_ = true;
    opener_ = std::make_unique<FileOpener>(
        notifier_, useViewer_, FileOpener::Options{.programFolder = tmp_.Folder("empty")}, nullptr);
    OpenAndWait({a});
    ASSERT_EQ(2u, notifier_.Boxes().size());
    EXPECT_TRUE(notifier_.Boxes()[1].box.text.contains("vantorviewer"))
        << notifier_.Boxes()[1].box.text;
}

} // namespace
} // namespace mvf::actions
