// Loading and saving real files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "editor_test_support.h"
#include "testsupport/temp_folder.h"
#include "viewer/editor/text_file.h"
#include "viewer/editor/text_file_editor.h"

namespace mvf::editor {
namespace {

namespace fs = std::filesystem;
using testing::Paras;
using Text = std::vector<std::string>;

class TextFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return dir_.Path(name); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        return dir_.File(name, bytes);
    }
    static std::string Read(const std::string& path) { return mvf::testing::ReadAll(path); }
    size_t FileCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_.Root()), {}));
    }
    // Loads `bytes` and saves them again; returns what was written.
    std::string RoundTrip(const std::string& bytes) {
        ed.LoadFromFile(Write("in.txt", bytes));
        ed.SaveToFile(Path("out.txt"));
        return Read(Path("out.txt"));
    }

    mvf::testing::TempFolder dir_;
    TOvcTextFileEditor ed;
};

TEST_F(TextFileTest, EachLineEndRoundTripsByteForByte) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const std::string bytes = "first" + end + end + "\tthird line" + end + "x" + end;
        EXPECT_EQ(RoundTrip(bytes), bytes);
        EXPECT_EQ(ed.Paragraphs().LineEnd(), end);
        EXPECT_FALSE(ed.Paragraphs().Modified());
    }
}

TEST_F(TextFileTest, CountsFollowTheLastParagraphRule) {
    EXPECT_EQ(RoundTrip(""), "");
    EXPECT_EQ(ed.Paragraphs().ParaCount(), 1);
    EXPECT_EQ(ed.Paragraphs().LineCount(), 1);
    EXPECT_EQ(ed.Paragraphs().ByteCount(), 0);
    EXPECT_EQ(RoundTrip("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(Paras(ed.Paragraphs()), (Text{"a", "b", ""}));
    EXPECT_EQ(ed.Paragraphs().ByteCount(), 6);
    // A last line without a line end gains one; a mixed file takes its first line end.
    EXPECT_EQ(RoundTrip("a\nb\r\nc"), "a\nb\nc\n");
    EXPECT_EQ(RoundTrip("a\rb\nc\r\n"), "a\rb\rc\r");
    // A text that never had a line end is written with line feeds.
    EXPECT_EQ(RoundTrip("single"), "single\n");
}

TEST_F(TextFileTest, TrailingBlanksGoUnlessTrimmingIsOff) {
    EXPECT_EQ(RoundTrip("a  \t\nb \n"), "a\nb\n");
    EXPECT_EQ(ed.Paragraphs().ByteCount(), 6);
    ed.SetTrimWhiteSpace(false);
    EXPECT_EQ(RoundTrip("a  \t\nb \n"), "a  \t\nb \n");
}

TEST_F(TextFileTest, LongLinesAreKeptWholeInSeveralParagraphs) {
    const std::string line(40000, 'q');
    EXPECT_EQ(RoundTrip(line + "\n"), line + "\n");
    EXPECT_EQ(Paras(ed.Paragraphs()), (Text{line.substr(0, 32767), line.substr(32767), ""}));
    // A 3 MB line of words in CR LF lines, and one cut where no blank is near: each comes
    // back as it was, not cut into lines.
    std::string longLine = "start\r\n";
    while (longLine.size() < 3000000) longLine += "word ";
    longLine += "last\r\nend\r\n";
    EXPECT_EQ(RoundTrip(longLine), longLine);
    const std::string wide = std::string(32766, 'x') + "\xC3\xA9" + std::string(10, 'y') + "\n";
    EXPECT_EQ(RoundTrip(wide), wide);
    // A two-byte character at the limit goes whole into the next paragraph.
    EXPECT_EQ(ed.Paragraphs().ParaText(2).substr(0, 2), "\xC3\xA9");
    // A line far longer than a read block is not lost either.
    std::string words;
    while (words.size() < 300000) words += "word ";
    ed.LoadFromFile(Write("words.txt", words + "end\n"));
    std::string joined;
    for (int32_t p = 1; p < ed.Paragraphs().ParaCount(); ++p) {
        EXPECT_LE(ed.Paragraphs().ParaLength(p), 32767);
        joined += ed.Paragraphs().ParaText(p);
    }
    EXPECT_EQ(joined, words + "end");
}

// Editing where a long line was cut keeps the file's lines: a break typed into it ends a
// line there, a join or a deleted paragraph moves only the line ends they should, and undo
// and redo bring back the file as it was before and after each change.
TEST_F(TextFileTest, EditsAroundACutLongLineKeepTheLineEndsAndUndoExactly) {
    const std::string original = "top\nAAAABBBBCCCC\nend\n";
    auto saved = [&] {
        ed.SaveToFile(Path("out.txt"));
        return Read(Path("out.txt"));
    };
    auto reload = [&] {
        ed.Paragraphs().SetParaLengthLimit(4);
        ed.LoadFromFile(Write("in.txt", original));
        ASSERT_EQ(Paras(ed.Paragraphs()), (Text{"top", "AAAA", "BBBB", "CCCC", "end", ""}));
        ASSERT_EQ(saved(), original);
    };
    struct Case {
        const char* what;
        std::function<int(TParaList&)> edit;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"a break inside a piece",
         [](TParaList& l) {
             return l.SplitPara({3, 3}, false, 0, 0);
         },
         "top\nAAAABB\nBBCCCC\nend\n"},
        {"a break at a piece's start",
         [](TParaList& l) {
             return l.SplitPara({3, 1}, false, 0, 0);
         },
         "top\nAAAA\nBBBBCCCC\nend\n"},
        {"joining two pieces", [](TParaList& l) { return l.JoinPara(2, 5); },
         "top\nAAAABBBBCCCC\nend\n"},
        {"joining the last piece with the next line", [](TParaList& l) { return l.JoinPara(4, 5); },
         "top\nAAAABBBBCCCCend\n"},
        {"joining the line before with the first piece",
         [](TParaList& l) { return l.JoinPara(1, 4); }, "topAAAABBBBCCCC\nend\n"},
        {"deleting a middle piece", [](TParaList& l) { return l.DeletePara(3); },
         "top\nAAAACCCC\nend\n"},
        {"deleting the last piece", [](TParaList& l) { return l.DeletePara(4); },
         "top\nAAAABBBB\nend\n"},
        {"deleting the first piece", [](TParaList& l) { return l.DeletePara(2); },
         "top\nBBBBCCCC\nend\n"},
        {"a pasted line at a piece's start",
         [](TParaList& l) {
             return l.InsertText({3, 1}, "new\n");
         },
         "top\nAAAAnew\nBBBBCCCC\nend\n"},
        {"a range across the pieces",
         [](TParaList& l) {
             return l.DeleteRange({2, 3}, {4, 2});
         },
         "top\nAACCC\nend\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reload();
        ed.Paragraphs().SetParaLengthLimit(32767);
        ASSERT_EQ(c.edit(ed.Paragraphs()), 0);
        EXPECT_EQ(saved(), c.expected);
        ParaPos caret;
        ASSERT_TRUE(ed.Paragraphs().UndoGroup(caret));
        EXPECT_EQ(saved(), original);
        ASSERT_TRUE(ed.Paragraphs().RedoGroup(caret));
        EXPECT_EQ(saved(), c.expected);
    }
}

TEST_F(TextFileTest, OnlyAFinalCtrlZEndsTheFile) {
    EXPECT_EQ(RoundTrip("abc\n\x1A"), "abc\n");
    EXPECT_EQ(RoundTrip("a\x1A"
                        "b\nc\n"),
              "a\x1A"
              "b\nc\n");
}

TEST_F(TextFileTest, FailedLoadsLeaveTheDocumentEmptyAndNotOpen) {
    ed.LoadFromFile(Write("ok.txt", "text\n"));
    try {
        ed.LoadFromFile(Path("missing.txt"));
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "File not found");
        EXPECT_EQ(e.Code(), 2);
    }
    EXPECT_FALSE(ed.IsOpen());
    EXPECT_EQ(ed.Paragraphs().ByteCount(), 0);
    EXPECT_EQ(ed.FileName(), Path("missing.txt"));

    fs::create_directory(Path("folder"));
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    for (const std::string name : {"folder", "fifo"}) {
        try {
            ed.LoadFromFile(Path(name)); // a FIFO must not block
            FAIL() << name;
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "File access denied") << name;
        }
    }
    // A limit reached while loading fails the load instead of dropping lines.
    ed.Paragraphs().SetParaLimit(2);
    EXPECT_THROW(ed.LoadFromFile(Write("many.txt", "1\n2\n3\n4\n")), EEditorError);
    EXPECT_EQ(ed.Paragraphs().ParaCount(), 1);
    EXPECT_FALSE(ed.IsOpen());
}

TEST_F(TextFileTest, OpeningFollowsTheFileNameProperty) {
    const std::string path = Write("doc.txt", "hello\n");
    // A final "." is part of a name here: "doc.txt." is another file.
    const std::string dotted = Write("doc.txt.", "dot\n");
    ed.SetFileName(dotted);
    EXPECT_EQ(ed.FileName(), dotted);
    EXPECT_FALSE(ed.IsOpen());
    ed.SetIsOpen(true);
    EXPECT_TRUE(ed.IsOpen());
    EXPECT_EQ(ed.Paragraphs().ParaText(1), "dot");
    ed.Paragraphs().InsertChars({1, 1}, "+");
    ed.SaveToFile(ed.FileName());
    EXPECT_EQ(Read(dotted), "+dot\n");
    EXPECT_EQ(Read(path), "hello\n");
    ed.SetFileName(path);
    EXPECT_FALSE(ed.IsOpen());
    ed.SetIsOpen(true);
    EXPECT_EQ(ed.Paragraphs().ParaText(1), "hello");
    ed.SetFileName(path); // unchanged: stays open
    EXPECT_TRUE(ed.IsOpen());
    ed.SetIsOpen(false);
    EXPECT_EQ(ed.Paragraphs().ByteCount(), 0);
}

TEST_F(TextFileTest, BackupNamesReplaceTheExtension) {
    EXPECT_EQ(BackupFileName("/d/notes.txt", "BAK"), "/d/notes.BAK");
    EXPECT_EQ(BackupFileName("/d/README", "BAK"), "/d/README.BAK");
    EXPECT_EQ(BackupFileName("/d.x/README", "BAK"), "/d.x/README.BAK");
    EXPECT_EQ(BackupFileName("/d/.profile", "BAK"), "/d/.profile.BAK");
    EXPECT_EQ(BackupFileName("a.b.c", "old"), "a.b.old");
    ed.SetBackupExt("LONGER");
    EXPECT_EQ(ed.BackupExt(), "LON");
}

TEST_F(TextFileTest, SavingWithBackupsMovesTheOldTextAside) {
    const std::string notes = Write("notes.txt", "old\n");
    ed.LoadFromFile(notes);
    ed.SetMakeBackup(true);
    ed.Paragraphs().InsertChars({1, 1}, "new ");
    ed.SaveToFile(notes);
    EXPECT_EQ(Read(notes), "new old\n");
    EXPECT_EQ(Read(Path("notes.BAK")), "old\n");
    EXPECT_FALSE(ed.Paragraphs().Modified());
    // A file whose extension already is the backup's gets no backup.
    const std::string bak = Write("keep.BAK", "k\n");
    ed.LoadFromFile(bak);
    ed.SaveToFile(bak);
    EXPECT_EQ(FileCount(), 3u);
}

TEST_F(TextFileTest, SavingKeepsOwnerAndPermissionsAndSavesThroughLinks) {
    const std::string target = Write("target.txt", "t\n");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0; // only root can give a file away
    if (root) {
        ASSERT_EQ(::chown(target.c_str(), 4321, 4321), 0);
    }
    fs::create_symlink(target, Path("link.txt"));
    ed.LoadFromFile(Path("link.txt"));
    ed.Paragraphs().InsertChars({1, 2}, "2");
    ed.SaveToFile(Path("link.txt"));
    EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
    EXPECT_EQ(Read(target), "t2\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
    }
}

TEST_F(TextFileTest, FailedSavesLeaveOldFilesAndBackupsIntactAndSaySo) {
    ed.LoadFromFile(Write("doc.txt", "current\n"));
    Write("doc.BAK", "previous\n");
    ed.SetMakeBackup(true);
    std::string lines;
    for (int i = 0; i < 10; ++i) lines += std::string(10000, 'z') + "\n";
    ASSERT_EQ(ed.Paragraphs().InsertText({1, 1}, lines), 0);

    try {
        ed.SaveToFile(Path("no-such-folder/doc.txt"));
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Path not found");
    }
    fs::create_directory(Path("a-folder"));
    try {
        ed.SaveToFile(Path("a-folder"));
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_TRUE(fs::is_directory(Path("a-folder")));

    // Running out of room part-way through writing (a file-size limit works even as root).
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(ed.SaveToFile(Path("doc.txt")), EInOutError);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(Read(Path("doc.txt")), "current\n");
    EXPECT_EQ(Read(Path("doc.BAK")), "previous\n");
    EXPECT_EQ(FileCount(), 3u); // no temporary file left behind
    EXPECT_TRUE(ed.Paragraphs().Modified());
}

} // namespace
} // namespace mvf::editor
