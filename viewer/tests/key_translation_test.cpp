// Qt's keys as the key tables name them, checked through both tables' commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "key_translation.h"
#include "viewer/editor/controller.h"

namespace mvf::viewer {
namespace {

using namespace mvf::editor;

constexpr auto kNone = Qt::NoModifier;
constexpr auto kShift = Qt::ShiftModifier;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kAlt = Qt::AltModifier;

struct Press {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text = {};
    quint32 scanCode = 0;
};

// Runs key presses through the translation and a controller; the command of each.
std::vector<int> Commands(TOvcController& controller, const std::vector<Press>& presses,
                          bool x11 = false) {
    std::vector<int> out;
    for (const Press& p : presses) {
        const KeyStroke s = TranslateKey(p.key, p.modifiers, p.scanCode, p.text, x11);
        out.push_back(controller.EntryCommands.Translate(s.key, s.shift));
    }
    return out;
}

TEST(KeyTranslation, TheDefaultTableSeesItsKeysAndModifiers) {
    TOvcController c;
    c.LoadTables(TOvcController::ViewerTables());
    EXPECT_EQ(
        Commands(c, {{Qt::Key_Left, kNone},
                     {Qt::Key_Left, kCtrl | kShift},
                     {Qt::Key_Right, kCtrl},
                     {Qt::Key_Home, kCtrl | kShift},
                     {Qt::Key_End, kCtrl},
                     {Qt::Key_PageDown, kNone},
                     {Qt::Key_PageUp, kCtrl | kShift},
                     {Qt::Key_Backspace, kShift},
                     {Qt::Key_Backspace, kAlt},
                     {Qt::Key_Delete, kShift},
                     {Qt::Key_Insert, kCtrl},
                     {Qt::Key_Insert, kShift},
                     {Qt::Key_Return, kCtrl},
                     {Qt::Key_Enter, kCtrl | Qt::KeypadModifier},
                     {Qt::Key_Tab, kCtrl},
                     {Qt::Key_Z, kCtrl, "\x1a"},
                     {Qt::Key_Z, kCtrl | kShift, "\x1a"},
                     {Qt::Key_V, kCtrl, "\x16"},
                     {Qt::Key_5, kCtrl, "5"},
                     {Qt::Key_Down, kShift | Qt::KeypadModifier},
                     {Qt::Key_F5, kNone}}),
        (std::vector<int>{ccLeft,     ccExtWordLeft,  ccWordRight, ccExtFirstPage, ccLastPage,
                          ccNextPage, ccExtTopOfPage, ccBack,      ccRestore,      ccCut,
                          ccCopy,     ccPaste,        ccNewLine,   ccNewLine,      ccTab,
                          ccUndo,     ccRedo,         ccPaste,     ccGotoMarker5,  ccExtendDown,
                          ccNoCmd}));
}

TEST(KeyTranslation, ShiftedDigitsAreStillDigitsWhateverTheLayoutPrints) {
    TOvcController c;
    // A US layout reports Ctrl+Shift+3 as "#"; without scan codes the symbol names the digit.
    EXPECT_EQ(Commands(c, {{Qt::Key_NumberSign, kCtrl | kShift, "#"},
                           {Qt::Key_ParenRight, kCtrl | kShift, ")"},
                           {Qt::Key_Exclam, kCtrl | kShift, "!"}}),
              (std::vector<int>{ccSetMarker3, ccSetMarker0, ccSetMarker1}));
    // Another layout prints something else on the digit row ("section" on a German 3,
    // e-acute on a French 2); the X11 key code names the digit.
    EXPECT_EQ(Commands(c,
                       {{Qt::Key_section, kCtrl | kShift, QString(QChar(0xA7)), 12},
                        {Qt::Key_Eacute, kCtrl, QString(QChar(0xE9)), 11},
                        {Qt::Key_Agrave, kCtrl | kShift, QString(QChar(0xC0)), 19}},
                       true),
              (std::vector<int>{ccSetMarker3, ccGotoMarker2, ccSetMarker0}));
    // Without a platform that gives X11 key codes, the same key codes mean nothing.
    const KeyStroke s = TranslateKey(Qt::Key_section, kCtrl | kShift, 12, "", false);
    EXPECT_NE(s.key, '3');
    // Keypad digits are not the digit row: Ctrl with keypad 5 goes to no bookmark.
    EXPECT_EQ(Commands(c,
                       {{Qt::Key_5, kCtrl | Qt::KeypadModifier, "5", 84},
                        {Qt::Key_End, kCtrl | Qt::KeypadModifier, "", 87}},
                       true),
              (std::vector<int>{ccNoCmd, ccLastPage}));
}

TEST(KeyTranslation, WordStarSequencesWithAndWithoutCtrlOnTheSecondKey) {
    TOvcController c;
    c.LoadTables(TOvcController::ViewerTables());
    c.EntryCommands.Table("WordStar")->SetActive(true);
    EXPECT_EQ(
        Commands(c, {{Qt::Key_Q, kCtrl, "\x11"},
                     {Qt::Key_S, kNone, "s"},
                     {Qt::Key_Q, kCtrl, "\x11"},
                     {Qt::Key_Control, kCtrl},
                     {Qt::Key_D, kCtrl, "\x04"},
                     {Qt::Key_K, kCtrl, "\x0b"},
                     {Qt::Key_7, kNone, "7"},
                     {Qt::Key_Q, kCtrl, "\x11"},
                     {Qt::Key_X, kShift, "X"},
                     {Qt::Key_X, kCtrl, "\x18"},
                     {Qt::Key_P, kCtrl, "\x10"},
                     {Qt::Key_Left, kNone},
                     {Qt::Key_Left, kNone}}),
        (std::vector<int>{ccPartial, ccHome, ccPartial, ccPartial, ccEnd, ccPartial, ccSetMarker7,
                          ccPartial, ccSeqBroken, ccDown, ccCtrlChar, ccNoCmd, ccLeft}));
}

TEST(KeyTranslation, OnlyKeysWithoutCtrlOrAltTypeAndNeverControlCharacters) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        QString typed;
    };
    const std::vector<Case> cases = {
        {Qt::Key_A, kNone, "a", "a"},
        {Qt::Key_A, kShift, "A", "A"},
        {Qt::Key_Eacute, kNone, QString(QChar(0xE9)), QString(QChar(0xE9))},
        // AltGr is not Alt: its characters are typed.
        {Qt::Key_E, Qt::GroupSwitchModifier, QString(QChar(0x20AC)), QString(QChar(0x20AC))},
        {Qt::Key_Space, kNone, " ", " "},
        {Qt::Key_A, kCtrl, "\x01", ""},
        {Qt::Key_NumberSign, kCtrl | kShift, "#", ""},
        {Qt::Key_F, kAlt, "f", ""},
        {Qt::Key_F, Qt::MetaModifier, "f", ""},
        {Qt::Key_Delete, kNone, "\x7f", ""},
        {Qt::Key_Tab, kNone, "\t", ""},
        {Qt::Key_Return, kNone, "\r", ""},
        {Qt::Key_Escape, kNone, "\x1b", ""},
    };
    for (const Case& c : cases) {
        const KeyStroke s = TranslateKey(c.key, c.modifiers, 0, c.text, false);
        EXPECT_EQ(s.typed, c.typed) << c.key;
    }
    const KeyStroke backtab = TranslateKey(Qt::Key_Backtab, kShift, 0, "", false);
    EXPECT_EQ(backtab.key, vkTab);
    EXPECT_EQ(backtab.shift, ssShift);
    const KeyStroke all = TranslateKey(Qt::Key_B, kShift | kCtrl | kAlt, 0, "", false);
    EXPECT_EQ(all.key, 'B');
    EXPECT_EQ(all.shift, ssShift | ssCtrl | ssAlt);
}

} // namespace
} // namespace mvf::viewer
