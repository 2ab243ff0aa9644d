// The special-character map: its grid and characters, what each button adds, the limit,
// OK and Cancel through the search dialog's button, the font and the help.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "char_codes.h"
#include "char_grid.h"
#include "dialog_test_support.h"
#include "finder/dialog/char_map.h"
#include "finder/search/words.h"

namespace mvf::dialog {
namespace {

using testing::ScriptedPrompts;

QLineEdit* SearchStr(TCharMap& map) {
    return map.findChild<QLineEdit*>("SearchStr");
}

void ClickCell(CharGrid* grid, int row, int column) {
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(row, column).center());
}

QPushButton* Button(QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(name);
}

TEST(CharCodes, WesternCodePageCharactersAsUnicode) {
    EXPECT_EQ(u' ', CharacterOfCode(32));
    EXPECT_EQ(u'A', CharacterOfCode(CharMapCode(1, 1)));
    EXPECT_EQ(u'~', CharacterOfCode(126));
    EXPECT_FALSE(CharacterOfCode(127)) << "the delete control is no character";
    EXPECT_EQ(u'\u20AC', CharacterOfCode(128)) << "the euro sign";
    EXPECT_FALSE(CharacterOfCode(129));
    EXPECT_EQ(u'\u201C', CharacterOfCode(147));
    EXPECT_EQ(u'\u0178', CharacterOfCode(159));
    EXPECT_EQ(u'\u00A0', CharacterOfCode(160));
    EXPECT_EQ(u'\u00E9', CharacterOfCode(233));
    EXPECT_EQ(u'\u00FF', CharacterOfCode(CharMapCode(6, 31)));
    EXPECT_FALSE(CharacterOfCode(31));
    EXPECT_FALSE(CharacterOfCode(256));
}

TEST(CharMap, GridCellsAndButtonsBuildTheText) {
    TCharMap map("abc", {}, nullptr, nullptr);
    EXPECT_EQ("Special Characters", map.windowTitle());
    EXPECT_TRUE(map.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_GE(map.minimumWidth(), TCharMap::kClientWidth);
    EXPECT_GE(map.minimumHeight(), TCharMap::kClientHeight);
    CharGrid* grid = map.Grid();
    EXPECT_GE(grid->CellSize().width(), 15);
    EXPECT_GE(grid->CellSize().height(), 20);
    EXPECT_EQ(32 * grid->CellSize().width() + 1, grid->width());
    EXPECT_EQ(7 * grid->CellSize().height() + 1, grid->height());
    EXPECT_EQ(10, grid->font().pointSize());
    EXPECT_EQ("Click on a character to add to search string", grid->toolTip());

    Button(&map, "SpaceBtn")->click();
    Button(&map, "TabBtn")->click();
    EXPECT_EQ("abc</sp></tb>", map.Text());
    EXPECT_EQ("abc \t", search::ExpandTokens(map.Text().toStdString()));

    // Row 0, column 0 is the space character itself; row 1, column 1 is "A".
    ClickCell(grid, 0, 0);
    ClickCell(grid, 1, 1);
    ClickCell(grid, 1, 1); // every click adds
    EXPECT_EQ("abc</sp></tb> AA", map.Text());
    // Reaching a cell with the keys picks it too.
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ("abc</sp></tb> AAB", map.Text());
    // A cell without a character adds nothing; an accented letter is that letter.
    ClickCell(grid, 2, 31); // 127
    ClickCell(grid, 6, 9);  // 233
    EXPECT_EQ(QString::fromUtf8("abc</sp></tb> AAB\xC3\xA9"), map.Text());
}

TEST(CharMap, TheTextStopsAt255CharactersAndNeverCutsAToken) {
    TCharMap map(QString(252, 'x'), {}, nullptr, nullptr);
    Button(&map, "SpaceBtn")->click();
    EXPECT_EQ(252, map.Text().size()) << "a token that does not fit is refused whole";
    ClickCell(map.Grid(), 1, 1);
    ClickCell(map.Grid(), 1, 1);
    ClickCell(map.Grid(), 1, 1);
    EXPECT_EQ(255, map.Text().size());
    ClickCell(map.Grid(), 1, 1);
    EXPECT_EQ(255, map.Text().size());
    EXPECT_EQ(255, SearchStr(map)->maxLength());
    // A longer text than the box takes is cut to it when the map opens.
    TCharMap longer(QString(300, 'y'), {}, nullptr, nullptr);
    EXPECT_EQ(255, longer.Text().size());
}

TEST(CharMap, SelectFontGivesTheFamilyToTheGridAndTheTextAtSize10) {
    ScriptedPrompts prompts;
    prompts.families = {std::nullopt, QString("DejaVu Serif")};
    TCharMap map("", "DejaVu Sans", nullptr, &prompts);
    QString chosen;
    QObject::connect(&map, &TCharMap::FontChosen, [&](const QString& f) { chosen = f; });
    Button(&map, "BitBtn4")->click(); // cancelled
    EXPECT_TRUE(chosen.isEmpty());
    Button(&map, "BitBtn4")->click();
    EXPECT_EQ("DejaVu Serif", chosen);
    EXPECT_EQ("DejaVu Serif", map.Grid()->font().family());
    EXPECT_EQ("DejaVu Serif", SearchStr(map)->font().family());
    EXPECT_EQ(10, map.Grid()->font().pointSize());
    ASSERT_EQ(2u, prompts.fontsShown.size());
}

TEST(CharMap, HelpShowsContext1008InTheGraphicsWindow) {
    platform::HelpViewer help({MVF_PROGRAM_FOLDER});
    TCharMap map("", {}, &help, nullptr);
    Button(&map, "BitBtn3")->click();
    QTextBrowser* graphics = help.Browser(platform::HelpPane::Graphics);
    ASSERT_NE(nullptr, graphics);
    EXPECT_EQ("context-1008", graphics->source().fragment());
    EXPECT_EQ(nullptr, help.Browser(platform::HelpPane::Main));
}

class CharMapFromDialogTest : public testing::DialogTest {};

TEST_F(CharMapFromDialogTest, OkWritesTheTextIntoTheFindBoxAndCancelLeavesIt) {
    prompts_.families = {QString("DejaVu Serif")};
    Show();
    Type("FindBox", "abc");
    testing::WhenModalOpens([](QWidget* modal) {
        auto* map = qobject_cast<TCharMap*>(modal);
        ASSERT_NE(nullptr, map);
        EXPECT_EQ("abc", map->Text());
        Button(map, "SpaceBtn")->click();
        ClickCell(map->Grid(), 6, 9);
        Button(map, "BitBtn4")->click();
        Button(map, "BitBtn1")->click();
    });
    Click("SpecCharBtn");
    EXPECT_EQ(QString::fromUtf8("abc</sp>\xC3\xA9"), Box("FindBox")->currentText());
    EXPECT_EQ("DejaVu Serif", Box("FindBox")->font().family()) << "picked characters show there";

    testing::WhenModalOpens([](QWidget* modal) {
        auto* map = qobject_cast<TCharMap*>(modal);
        ASSERT_NE(nullptr, map);
        Button(map, "TabBtn")->click();
        Button(map, "BitBtn2")->click();
    });
    Click("SpecCharBtn");
    EXPECT_EQ(QString::fromUtf8("abc</sp>\xC3\xA9"), Box("FindBox")->currentText());

    // The character is searched as its UTF-8 bytes.
    EnterSoundSearch();
    Type("FindBox", "caf\xC3\xA9");
    Click("Beginsearch");
    ASSERT_EQ(1u, starter_.started.size());
    EXPECT_EQ("caf\xC3\xA9", starter_.started[0].FindText);
}

} // namespace
} // namespace mvf::dialog
