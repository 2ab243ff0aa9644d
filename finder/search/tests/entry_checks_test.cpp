// The checks of "Begin Search": order, exact notices, page and field, the current
// directory, and what PrepareSearch fills in.
#include "finder/search/entry_checks.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "search_test_support.h"

namespace mvf::search {
namespace {

using testing::KeepCurrentDirectory;
using testing::TempFolder;

class EntryChecksTest : public ::testing::Test {
protected:
    std::optional<EntryFault> Check(const std::string& folders, const std::string& mask,
                                    const std::string& find) {
        SearchCriteria entered;
        entered.DirectoryText = folders;
        entered.FileMaskText = mask;
        entered.FindText = find;
        return CheckSearchEntries(entered, tmp_.Root());
    }
    void ExpectFault(const std::optional<EntryFault>& fault, const std::string& message,
                     DialogPage page, EntryField field) {
        ASSERT_TRUE(fault);
        EXPECT_EQ(message, fault->Message);
        EXPECT_EQ(page, fault->Page);
        EXPECT_EQ(field, fault->Field);
    }

    KeepCurrentDirectory keep_;
    TempFolder tmp_;
};

TEST_F(EntryChecksTest, FaultsComeInOrderWithTheirPageAndField) {
    tmp_.Folder("docs");
    ExpectFault(Check("", "", "["), "You must provide a drive or directory to search!",
                DialogPage::LookWhere, EntryField::Directory);
    ExpectFault(Check(" , ,", "", "["), "Could not find directory: ", DialogPage::LookWhere,
                EntryField::Directory);
    ExpectFault(Check("docs,missing/Sub", "", "["), "Could not find directory: missing/Sub",
                DialogPage::LookWhere, EntryField::Directory);
    ExpectFault(Check("docs", "", "["), "You must provide a file mask. For Instance: *.*",
                DialogPage::FindWhat, EntryField::Filemask);
    ExpectFault(Check("docs", "   ", "a| |["), "Search Key can't be empty", DialogPage::FindWhat,
                EntryField::FindBox);
    ExpectFault(Check("docs", "*.*", "a|\\(b"), "Invalid regular expression", DialogPage::FindWhat,
                EntryField::FindBox);
    // Each word is checked, also without a boolean mode; empty runs are skipped.
    EXPECT_FALSE(Check("docs", "*.*", "a||b"));
    EXPECT_FALSE(Check("docs", "*.*", ""));
    EXPECT_FALSE(Check("docs", "*.*", "|||"));
}

TEST_F(EntryChecksTest, ExpressionsAreCheckedAsTypedWithTokensInThem) {
    tmp_.Folder("docs");
    // "</sp>*" compiles as typed ("<", "/", "s", "p", ">" and a closure).
    EXPECT_FALSE(Check("docs", "*.*", "x</sp>*"));
    // An expression the engine refuses after its own notice.
    ExpectFault(Check("docs", "*.*", "[abc"), "Invalid regular expression", DialogPage::FindWhat,
                EntryField::FindBox);
}

TEST_F(EntryChecksTest, EachFolderBecomesCurrentFromTheSameBase) {
    tmp_.Folder("one");
    tmp_.Folder("two");
    ASSERT_FALSE(Check("one, two", "*.*", ""));
    // Relative folders are taken from the base, not from the previous folder, and the
    // last one stays current.
    EXPECT_EQ(std::filesystem::canonical(tmp_.Path("two")).string(), platform::CurrentDirectory());
    ASSERT_FALSE(Check(tmp_.Path("one") + "/", "*.*", ""));
    EXPECT_EQ(std::filesystem::canonical(tmp_.Path("one")).string(), platform::CurrentDirectory());
}

TEST_F(EntryChecksTest, PrepareSearchRemembersFirstAndFillsTheListsOnSuccess) {
    tmp_.Folder("docs");
    SearchFlags flags;
    flags.ResultsPending = flags.StopRequested = flags.SearchCancelled = true;
    RememberedLists lists;

    SearchCriteria rejected;
    rejected.DirectoryText = tmp_.Path("missing");
    rejected.FileMaskText = "*.txt";
    rejected.FindText = "key";
    ASSERT_TRUE(PrepareSearch(rejected, lists, flags));
    // The rejected texts are remembered; the flags are cleared; nothing is started.
    EXPECT_EQ(std::vector<std::string>{"key"}, lists.FindTexts);
    EXPECT_EQ(std::vector<std::string>{tmp_.Path("missing")}, lists.Folders);
    EXPECT_FALSE(flags.ResultsPending || flags.StopRequested || flags.SearchCancelled);
    EXPECT_FALSE(flags.SearchRunning);
    EXPECT_TRUE(rejected.Masks.empty());

    ASSERT_TRUE(platform::SetCurrentDirectory(tmp_.Root()));
    SearchCriteria accepted;
    accepted.DirectoryText = "docs, ./docs/, /";
    accepted.FileMaskText = "*.txt, *.h";
    accepted.FindText = "a|b";
    ASSERT_FALSE(PrepareSearch(accepted, lists, flags));
    EXPECT_TRUE(flags.SearchRunning);
    const std::string docs = std::filesystem::canonical(tmp_.Path("docs")).string();
    EXPECT_EQ((std::vector<std::string>{docs, docs, "/"}), accepted.Directories);
    EXPECT_EQ((std::vector<std::string>{"*.txt", "*.h"}), accepted.Masks);
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), accepted.Expressions);
    EXPECT_EQ(2u, lists.FindTexts.size());
}

} // namespace
} // namespace mvf::search
