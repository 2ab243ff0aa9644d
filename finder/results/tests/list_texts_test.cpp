// The status, sort and summary texts, and which toolbar commands are enabled.
#include "finder/results/list_texts.h"
#include "test_support.h"

namespace mvf::results {
namespace {

TEST(StatusTexts, SelectionHitsSortPanelsAndColumnTitles) {
    ResultsList list;
    list.AddItem("/a/First.txt", "", "", 1, {.IsDos = true});
    list.AddItem("/a/second.txt", "", "", 1, {.IsDos = true});
    const std::size_t one[] = {1}, three[] = {0, 1, 1};
    EXPECT_EQ("", SelectionText(list, {}));
    EXPECT_EQ("second.txt", SelectionText(list, one));
    EXPECT_EQ("3 Files Selected", SelectionText(list, three));
    EXPECT_EQ("Files With Hits: 0", HitsText(0));
    EXPECT_EQ("Files With Hits: 1234", HitsText(1234));

    const char* expected[kColumnCount][2] = {
        {"Sort: Name - (A-Z)", "Sort: Name - (Z-A)"},
        {"Sort: Path - (A-Z)", "Sort: Path - (Z-A)"},
        {"Sort: Size - (0-9)", "Sort: Size - (9-0)"},
        {"Sort: Creation Date - (0-9)", "Sort: Creation Date - (9-0)"},
        {"Sort: Edited Date - (0-9)", "Sort: Edited Date - (9-0)"},
    };
    for (int column = 0; column < kColumnCount; ++column) {
        EXPECT_EQ(expected[column][0], SortText(column, true));
        EXPECT_EQ(expected[column][1], SortText(column, false));
    }
    EXPECT_EQ("", SortText(kNoSort, true));

    EXPECT_EQ("Filename", ColumnTitle(kNameColumn));
    EXPECT_EQ("Size on Disk", ColumnTitle(kSizeColumn));
    EXPECT_EQ("Last Edited", ColumnTitle(kModifiedColumn));
    EXPECT_EQ("", ColumnTitle(kColumnCount));
}

TEST(UpdateTB, EnablesCommandsBySelectionRowsAndSearch) {
    // Deleting the only row: no selection, no rows, no search.
    ToolbarState idleEmpty;
    idleEmpty.load = idleEmpty.newSearch = idleEmpty.done = true;
    idleEmpty.hitsText = "Files With Hits: 0";
    EXPECT_EQ(idleEmpty, UpdateTB(0, 0, false));

    const ToolbarState idle = UpdateTB(2, 5, false);
    EXPECT_TRUE(idle.open && idle.remove && idle.clear && idle.load && idle.save &&
                idle.newSearch && idle.done);
    EXPECT_FALSE(idle.stop);
    EXPECT_EQ("Files With Hits: 5", idle.hitsText);

    const ToolbarState searching = UpdateTB(1, 5, true);
    EXPECT_TRUE(searching.open && searching.remove && searching.stop && searching.done);
    EXPECT_FALSE(searching.clear || searching.load || searching.save || searching.newSearch);
}

} // namespace
} // namespace mvf::results
