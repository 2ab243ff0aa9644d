#include "finder/dialog/char_map.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "char_grid.h"
#include "finder/dialog/prompts.h"
#include "platform/qt/help_viewer.h"

namespace mvf::dialog {

namespace {

QFont CharFont(const QString& family, const QFont& base) {
    QFont font = base;
    if (!family.isEmpty()) font.setFamily(family);
    font.setPointSize(TCharMap::kFontPointSize);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

} // namespace

TCharMap::TCharMap(const QString& text, const QString& family, platform::HelpViewer* help,
                   Prompts* prompts, QWidget* parent)
    : QDialog(parent), help_(help), prompts_(prompts), searchStr_(new QLineEdit(this)),
      grid_(new CharGrid(this)) {
    setWindowTitle("Special Characters");
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    searchStr_->setObjectName("SearchStr");
    searchStr_->setMaxLength(kSearchTextLimit);
    grid_->setObjectName("charmap");
    // Black on white for the text being built as for the grid.
    QPalette colours = searchStr_->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    searchStr_->setPalette(colours);
    const QFont font = CharFont(family, grid_->font());
    searchStr_->setFont(font);
    grid_->SetCharFont(font);
    searchStr_->setText(text.left(kSearchTextLimit));

    auto* spaceBtn = new QPushButton("Add a &space", this);
    spaceBtn->setObjectName("SpaceBtn");
    auto* tabBtn = new QPushButton("Add a &tab", this);
    tabBtn->setObjectName("TabBtn");
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("BitBtn1");
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("BitBtn2");
    auto* helpBtn = new QPushButton("Help", this);
    helpBtn->setObjectName("BitBtn3");
    auto* fontBtn = new QPushButton("Select Font", this);
    fontBtn->setObjectName("BitBtn4");
    for (QPushButton* button : {spaceBtn, tabBtn, helpBtn, fontBtn}) button->setAutoDefault(false);
    ok->setDefault(true);

    auto* edit = new QGroupBox("Edit Search String:", this);
    auto* editRow = new QHBoxLayout(edit);
    editRow->addWidget(searchStr_, 1);
    editRow->addWidget(spaceBtn);
    editRow->addWidget(tabBtn);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(helpBtn);
    buttons->addStretch(1);
    buttons->addWidget(fontBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit);
    layout->addWidget(grid_, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addLayout(buttons);
    // At least the design's client area; more when the desktop's font needs it.
    setMinimumSize(layout->totalMinimumSize().expandedTo(QSize(kClientWidth, kClientHeight)));

    connect(grid_, &CharGrid::Picked, this, [this](const QString& c) {
        if (!c.isEmpty()) Append(c);
    });
    connect(spaceBtn, &QPushButton::clicked, this, [this] { Append(kSpaceToken); });
    connect(tabBtn, &QPushButton::clicked, this, [this] { Append(kTabToken); });
    connect(ok, &QPushButton::clicked, this, [this] {
        result_ = searchStr_->text();
        searchStr_->clear();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        searchStr_->clear();
        reject();
    });
    connect(helpBtn, &QPushButton::clicked, this, &TCharMap::ShowHelp);
    connect(fontBtn, &QPushButton::clicked, this, &TCharMap::SelectFont);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &TCharMap::ShowHelp);
    grid_->setFocus();
}

QString TCharMap::Text() const {
    return searchStr_->text();
}

bool TCharMap::Append(const QString& addition) {
    const QString text = searchStr_->text();
    // Whole or not at all: half a token would be no token.
    if (text.size() + addition.size() > kSearchTextLimit) return false;
    searchStr_->setText(text + addition);
    return true;
}

void TCharMap::SelectFont() {
    if (!prompts_) return;
    const std::optional<QString> family = prompts_->PickFontFamily(grid_->font(), this);
    if (!family) return;
    const QFont font = CharFont(*family, grid_->font());
    searchStr_->setFont(font);
    grid_->SetCharFont(font);
    setMinimumSize(layout()->totalMinimumSize().expandedTo(QSize(kClientWidth, kClientHeight)));
    emit FontChosen(*family);
}

void TCharMap::ShowHelp() {
    if (help_) help_->ShowContext(kHelpContext, platform::HelpPane::Graphics);
}

} // namespace mvf::dialog
