// The special-character map "Special Characters": the find text built from characters
// picked in a 32 x 7 grid (codes 32 to 255, see the cells' characters in char_codes.h)
// and the tokens "</sp>" and "</tb>", which the search reads as a space and a tab.
//
//   TCharMap map(findBox->currentText(), font, help, prompts, dialog);
//   connect(&map, &TCharMap::FontChosen, ...);      // the find box takes the font too
//   if (map.exec() == QDialog::Accepted) findBox->setEditText(map.Result());
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace mvf::platform {
class HelpViewer;
}

namespace mvf::dialog {

class CharGrid;
class Prompts;

inline constexpr int kSearchTextLimit = 255;
inline constexpr const char* kSpaceToken = "</sp>";
inline constexpr const char* kTabToken = "</tb>";

class TCharMap : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 529;
    static constexpr int kClientHeight = 278;
    static constexpr int kFontPointSize = 10;
    static constexpr int kHelpContext = 1008;

    // `text`: the find text to build on; `family`: the font family of the grid and the
    // edit box (size 10). `help` and `prompts` may be null (no help, no font choice).
    TCharMap(const QString& text, const QString& family, platform::HelpViewer* help,
             Prompts* prompts, QWidget* parent = nullptr);

    // The text being built (SearchStr).
    QString Text() const;
    // Appends to the text unless it would pass 255 characters; false when refused.
    bool Append(const QString& addition);
    // The text that "&OK" gave; empty before.
    const QString& Result() const { return result_; }

    CharGrid* Grid() const { return grid_; }

signals:
    // "Select Font" chose a family: the grid and the edit box have it already.
    void FontChosen(const QString& family);

private:
    void SelectFont();
    void ShowHelp();

    platform::HelpViewer* help_;
    Prompts* prompts_;
    QLineEdit* searchStr_;
    CharGrid* grid_;
    QString result_;
};

} // namespace mvf::dialog
