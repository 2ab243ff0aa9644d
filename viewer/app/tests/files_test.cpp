// Files into windows and back to disk: LoadAFile, the open dialog, drops, saving byte for
// byte, backups, and a save that finds the disk full.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "form_fixture.h"
#include "platform/core/open_file.h"

namespace mvf::viewer {
namespace {

namespace fs = std::filesystem;
using mvf::testing::ReadAll;
using platform::BoxAnswer;
using testing::FormFixture;

using FilesTest = FormFixture;

TEST_F(FilesTest, LoadAFileOpensEachFileOnceAndSaysWhatCannotBeRead) {
    EXPECT_FALSE(form->LoadAFile(folder.Path("missing.txt")));
    EXPECT_FALSE(form->LoadAFile(folder.Folder("a-folder")));
    EXPECT_TRUE(form->Children().empty());

    const std::string lower = folder.File("a.txt", "lower\n");
    const std::string upper = folder.File("A.txt", "upper\n");
    EXPECT_TRUE(form->LoadAFile(lower));
    EXPECT_TRUE(form->LoadAFile(upper)); // another file here: paths keep their case
    ASSERT_EQ(Captions(), (std::vector<std::string>{lower, upper}));
    EXPECT_EQ(Text(*form->Children()[0]), "lower\n");
    EXPECT_EQ(Active()->windowTitle(), QString::fromStdString(upper));

    // Loaded again: only brought to the front.
    EXPECT_TRUE(form->LoadAFile(lower));
    EXPECT_EQ(form->Children().size(), 2u);
    EXPECT_EQ(Active(), form->Children()[0]);

    // A file that exists but cannot be read: the two-line box, no window.
    const std::string fifo = folder.Fifo("pipe");
    const std::string locked = folder.File("locked.txt", "secret\n");
    platform::SetOpenFailureHook([&](std::string_view path) { return path == locked; });
    EXPECT_TRUE(form->LoadAFile(fifo));
    EXPECT_TRUE(form->LoadAFile(locked));
    platform::SetOpenFailureHook({});
    EXPECT_EQ(form->Children().size(), 2u);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    const platform::MessageBox& box = boxes.Boxes()[1].box;
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.icon, platform::BoxIcon::Warning);
    EXPECT_EQ(box.buttons, platform::BoxButtons::Ok);
    EXPECT_EQ(box.text, "Unable to open " + QString::fromStdString(locked) +
                            "!\n\rIt may be locked by another application.");
    EXPECT_EQ(box.parent, form.get());
}

TEST_F(FilesTest, TheOpenDialogAndDroppedFilesGoThroughLoadAFile) {
    const std::string one = folder.File("one.txt", "1\n");
    const std::string two = folder.File("two words.txt", "2\n");
    dialogs.AnswerOpen({QString::fromStdString(one), QString::fromStdString(two),
                        QString::fromStdString(folder.Path("not-there.txt"))});
    form->Open1Click();
    EXPECT_EQ(Captions(), (std::vector<std::string>{one, two}));
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].filters,
              "Text files (*.txt);;Ini files (*.ini);;Batch files (*.bat);;Pascal files "
              "(*.pas);;All files (*)");
    EXPECT_TRUE(boxes.Boxes().empty());

    // Dropped: an open one comes to the front, a new one opens.
    const std::string three = folder.File("three.txt", "3\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(one)),
                  QUrl::fromLocalFile(QString::fromStdString(three))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_EQ(Captions(), (std::vector<std::string>{one, two, three}));
    EXPECT_EQ(Active()->Caption(), three);
}

// Each kind of file comes back as it was plus the typed characters.
TEST_F(FilesTest, AnEditedFileIsSavedByteForByte) {
    std::string threeMegabytes = "head\n";
    while (threeMegabytes.size() < 3000000) threeMegabytes += "0123456789abcdef";
    threeMegabytes += "\n";
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"lf.txt", "first\nsecond  \n\tthird\n"},
        {"crlf.txt", "first\r\nsecond\r\n\r\n"},
        {"cr.txt", "first\rsecond\r"},
        {"utf8.txt", "first\n\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\n\xFF\xFE bytes kept\n"},
        {"long.txt", threeMegabytes},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const std::string path = folder.File(file.name, file.bytes);
        ASSERT_TRUE(form->LoadAFile(path));
        EditorWidget& editor = Active()->Editor1();
        testing::Key(&editor, Qt::Key_Home, Qt::ControlModifier);
        TypeInto(editor, QString::fromUtf8("\xC3\xA9X"));
        form->Save1Click();
        EXPECT_EQ(ReadAll(path), "\xC3\xA9X" + file.bytes);
        EXPECT_FALSE(editor.Editor().Paragraphs().Modified());
        EXPECT_EQ(Panel(3), "");
        CloseWindow(*Active());
    }
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Describe();
}

TEST_F(FilesTest, SavingKeepsTheOldTextAsABackupWhileTheOptionIsTicked) {
    const std::string notes = folder.File("notes.txt", "old\n");
    const std::string hidden = folder.File(".bashrc", "alias\n");
    ASSERT_TRUE(form->LoadAFile(notes));
    TypeInto(Active()->Editor1(), "new ");
    form->Save1Click();
    EXPECT_EQ(ReadAll(notes), "new old\n");
    EXPECT_EQ(ReadAll(folder.Path("notes.BAK")), "old\n");

    ASSERT_TRUE(form->LoadAFile(hidden));
    TypeInto(Active()->Editor1(), "#");
    form->Save1Click();
    EXPECT_EQ(ReadAll(folder.Path(".bashrc.BAK")), "alias\n");

    // Save as under another name; the dialog starts at the document's name.
    dialogs.AnswerSave(QString::fromStdString(folder.Path("copy.txt")));
    form->SaveAs1Click();
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].title, "Save .bashrc As");
    EXPECT_EQ(dialogs.Requests()[0].initial, QString::fromStdString(hidden));
    EXPECT_EQ(Active()->Caption(), folder.Path("copy.txt"));
    EXPECT_EQ(ReadAll(folder.Path("copy.txt")), "#alias\n");

    form->Action("Createbackupfile1")->trigger();
    fs::remove(folder.Path("notes.BAK"));
    ASSERT_TRUE(form->LoadAFile(notes)); // still open: only brought to the front
    testing::Key(&Active()->Editor1(), Qt::Key_Home, Qt::ControlModifier);
    TypeInto(Active()->Editor1(), "newer ");
    form->Save1Click();
    EXPECT_EQ(ReadAll(notes), "newer new old\n");
    EXPECT_FALSE(fs::exists(folder.Path("notes.BAK")));
}

// A small file system of its own (tmpfs), unmounted when the test ends.
class SmallFileSystem {
public:
    SmallFileSystem(const std::string& path, const char* size) : path_(path) {
        const std::string options = std::string("size=") + size;
        mounted_ = ::mount("tmpfs", path.c_str(), "tmpfs", 0, options.c_str()) == 0;
        if (!mounted_) failure_ = std::strerror(errno);
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    const std::string& Failure() const { return failure_; }

private:
    std::string path_;
    bool mounted_ = false;
    std::string failure_;
};

TEST_F(FilesTest, ASaveOnAFullDiskSaysSoAndLeavesTheFileAndItsBackupAsTheyWere) {
    const std::string mountPoint = folder.Folder("small");
    SmallFileSystem small(mountPoint, "256k");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << small.Failure()
                     << "); the full-disk save is not checked";
    const std::string path = mountPoint + "/doc.txt";
    const std::string backup = mountPoint + "/doc.BAK";
    mvf::testing::WriteAll(path, "the current text\n");
    mvf::testing::WriteAll(backup, "the text before\n");
    ASSERT_TRUE(form->LoadAFile(path));
    editor::TOvcTextFileEditor& ed = Active()->Editor1().Editor();
    std::string big;
    for (int i = 0; i < 8000; ++i) big += "a line of text that will not fit on this disk\n";
    ASSERT_EQ(ed.Paragraphs().InsertText({1, 1}, big), 0);

    form->Save1Click();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].box.text, "Disk full");
    EXPECT_EQ(boxes.Boxes()[0].box.caption, "Vantor Finder Viewer");
    EXPECT_EQ(boxes.Boxes()[0].box.icon, platform::BoxIcon::Error);
    EXPECT_EQ(ReadAll(path), "the current text\n");
    EXPECT_EQ(ReadAll(backup), "the text before\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(mountPoint), {}), 2) << "no file left behind";
    EXPECT_TRUE(ed.Paragraphs().Modified());
    EXPECT_EQ(Panel(3), "Modified");

    // The document stays open and can still be saved elsewhere.
    boxes.Expect(BoxAnswer::Cancel);
    CloseWindow(*Active());
    EXPECT_EQ(form->Children().size(), 1u);
    dialogs.AnswerSave(QString::fromStdString(folder.Path("rescued.txt")));
    form->SaveAs1Click();
    EXPECT_EQ(ReadAll(folder.Path("rescued.txt")), big + "the current text\n");
}

} // namespace
} // namespace mvf::viewer
