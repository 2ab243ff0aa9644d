// Opening every found file after a background search, with its limit; and the error
// log's question and the viewer showing the log.
#include "finder/actions/open_all.h"

#include <QSignalSpy>

#include "actions_world.h"
#include "finder/actions/error_log.h"

namespace mvf::actions {
namespace {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

class OpenAllTest : public testing::ActionsWorld {
protected:
    void Found(int count) {
        list_.SetAutoSort(false);
        for (int i = 0; i < count; ++i) {
            paths_.push_back(File("hits/hit" + std::to_string(100 + i) + ".txt"));
            AddRows(list_, {paths_.back()});
        }
    }
    bool useViewer_ = false;
    results::ResultsList list_;
    std::vector<std::string> paths_;
    FileOpener opener_{notifier_, useViewer_,
                       FileOpener::Options{.programFolder = MVF_FAKE_VIEWER_FOLDER}, nullptr};
};

TEST_F(OpenAllTest, MoreHitsThanTheLimitShowTheListAndOpenNothing) {
    Found(25);
    EXPECT_EQ(OpenAllOutcome::ShowResults, OpenAllFound(list_, 20, notifier_, opener_, nullptr));
    ASSERT_EQ(1u, notifier_.Boxes().size());
    const platform::MessageBox box = notifier_.Boxes()[0].box;
    EXPECT_EQ("Information", box.caption);
    EXPECT_EQ("More than 20 files with hits were found!\n\rVantor Finder will show you the "
              "results list",
              box.text);
    EXPECT_EQ(BoxButtons::Ok, box.buttons);
    EXPECT_TRUE(box.systemModal);
    EXPECT_TRUE(opener_.Idle());
    EXPECT_TRUE(opened_.empty());
}

TEST_F(OpenAllTest, HitsUpToTheLimitAreOpenedAllInListOrderOnOk) {
    Found(20);
    notifier_.Expect(BoxAnswer::Ok);
    QSignalSpy finished(&opener_, &FileOpener::finished);
    EXPECT_EQ(OpenAllOutcome::Opened, OpenAllFound(list_, 20, notifier_, opener_, nullptr));
    ASSERT_GE(notifier_.Boxes().size(), 1u);
    const platform::MessageBox box = notifier_.Boxes()[0].box;
    EXPECT_EQ("Confirm", box.caption);
    EXPECT_EQ("Open 20 files with hits?", box.text);
    EXPECT_EQ(BoxButtons::OkCancel, box.buttons);
    EXPECT_TRUE(box.systemModal);
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_EQ(20u, opened_.size()) << "every entry, not only the selected ones";
    for (std::size_t i = 0; i < paths_.size(); ++i)
        EXPECT_EQ(platform::LocalFileUrl(paths_[i]), opened_[i]) << i;
    EXPECT_EQ(1u, notifier_.Boxes().size()) << notifier_.Describe();
}

TEST_F(OpenAllTest, CancelShowsTheListAndNoHitsDoNothingAtAll) {
    Found(3);
    notifier_.Expect(BoxAnswer::Cancel);
    EXPECT_EQ(OpenAllOutcome::ShowResults, OpenAllFound(list_, 20, notifier_, opener_, nullptr));
    EXPECT_TRUE(opener_.Idle());
    EXPECT_TRUE(opened_.empty());

    list_.Clear();
    EXPECT_EQ(OpenAllOutcome::NoResults, OpenAllFound(list_, 20, notifier_, opener_, nullptr));
    EXPECT_EQ(1u, notifier_.Boxes().size()) << "no box for no hits";
}

TEST_F(OpenAllTest, TheErrorLogIsOfferedAndShownInTheViewer) {
    const std::string resultsFolder = tmp_.Folder("program/searchresults");
    notifier_.Expect(BoxAnswer::Cancel);
    EXPECT_FALSE(OfferErrorLog(notifier_, opener_, resultsFolder, true, nullptr));
    ASSERT_EQ(1u, notifier_.Boxes().size());
    const platform::MessageBox box = notifier_.Boxes()[0].box;
    EXPECT_EQ("Warning", box.caption);
    EXPECT_EQ("Morvel Edit encountered some file open errors.\n\rDo you want to see the log file "
              "search errors.err?",
              box.text);
    EXPECT_EQ(BoxIcon::Warning, box.icon);
    EXPECT_EQ(BoxButtons::OkCancel, box.buttons);
    EXPECT_TRUE(box.systemModal);

    notifier_.Expect(BoxAnswer::Ok);
    EXPECT_TRUE(OfferErrorLog(notifier_, opener_, resultsFolder, false, nullptr));
    EXPECT_FALSE(notifier_.Boxes()[1].box.systemModal);
    ASSERT_TRUE(testing::RunEventsUntil([&] { return !ViewerStarts().empty(); }));
    EXPECT_EQ(std::vector<std::vector<std::string>>{{resultsFolder + "/search errors.err"}},
              ViewerStarts());
}

} // namespace
} // namespace mvf::actions
