#include "viewer/app/find_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mvf::viewer {
namespace {

QLineEdit* TextField(QWidget* parent, QGridLayout* grid, int row, const QString& label) {
    auto* field = new QLineEdit(parent);
    auto* caption = new QLabel(label, parent);
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

} // namespace

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("FindDialog1");
    setWindowTitle("Find");
    auto* grid = new QGridLayout(this);
    text_ = TextField(this, grid, 0, "Fi&nd what:");
    wholeWord_ = new QCheckBox("Match &whole word only", this);
    matchCase_ = new QCheckBox("Match &case", this);
    auto* direction = new QGroupBox("Direction", this);
    up_ = new QRadioButton("&Up", direction);
    down_ = new QRadioButton("&Down", direction);
    down_->setChecked(true);
    auto* directions = new QHBoxLayout(direction);
    directions->addWidget(up_);
    directions->addWidget(down_);
    auto* ticks = new QVBoxLayout;
    ticks->addWidget(wholeWord_);
    ticks->addWidget(matchCase_);
    auto* options = new QHBoxLayout;
    options->addLayout(ticks);
    options->addWidget(direction);
    grid->addLayout(options, 1, 0, 1, 2);

    findNext_ = new QPushButton("&Find Next", this);
    findNext_->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findNext_);
    buttons->addWidget(cancel);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 2, 1);

    findNext_->setEnabled(false);
    connect(text_, &QLineEdit::textChanged, this, [this](const QString& text) {
        findNext_->setEnabled(!text.isEmpty());
        emit findTextChanged();
    });
    connect(findNext_, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QString FindDialog::FindText() const {
    return text_->text();
}
void FindDialog::SetFindText(const QString& text) {
    text_->setText(text);
}
bool FindDialog::MatchCase() const {
    return matchCase_->isChecked();
}
bool FindDialog::WholeWord() const {
    return wholeWord_->isChecked();
}
bool FindDialog::Up() const {
    return up_->isChecked();
}
void FindDialog::SetMatchCase(bool on) {
    matchCase_->setChecked(on);
}
void FindDialog::SetWholeWord(bool on) {
    wholeWord_->setChecked(on);
}
void FindDialog::SetUp(bool up) {
    (up ? up_ : down_)->setChecked(true);
}

ReplaceDialog::ReplaceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("ReplaceDialog1");
    setWindowTitle("Replace");
    auto* grid = new QGridLayout(this);
    text_ = TextField(this, grid, 0, "Fi&nd what:");
    replacement_ = TextField(this, grid, 1, "Re&place with:");
    wholeWord_ = new QCheckBox("Match &whole word only", this);
    matchCase_ = new QCheckBox("Match &case", this);
    grid->addWidget(wholeWord_, 2, 0, 1, 2);
    grid->addWidget(matchCase_, 3, 0, 1, 2);

    findNext_ = new QPushButton("&Find Next", this);
    findNext_->setDefault(true);
    replace_ = new QPushButton("&Replace", this);
    replaceAll_ = new QPushButton("Replace &All", this);
    auto* cancel = new QPushButton("Cancel", this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {findNext_, replace_, replaceAll_, cancel})
        buttons->addWidget(button);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 4, 1);

    auto enable = [this](const QString& text) {
        for (QPushButton* button : {findNext_, replace_, replaceAll_})
            button->setEnabled(!text.isEmpty());
    };
    enable({});
    connect(text_, &QLineEdit::textChanged, this, enable);
    connect(findNext_, &QPushButton::clicked, this, &ReplaceDialog::findNext);
    connect(replace_, &QPushButton::clicked, this, &ReplaceDialog::replace);
    connect(replaceAll_, &QPushButton::clicked, this, &ReplaceDialog::replaceAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QString ReplaceDialog::FindText() const {
    return text_->text();
}
QString ReplaceDialog::ReplaceText() const {
    return replacement_->text();
}
void ReplaceDialog::SetFindText(const QString& text) {
    text_->setText(text);
}
void ReplaceDialog::SetReplaceText(const QString& text) {
    replacement_->setText(text);
}
bool ReplaceDialog::MatchCase() const {
    return matchCase_->isChecked();
}
bool ReplaceDialog::WholeWord() const {
    return wholeWord_->isChecked();
}
void ReplaceDialog::SetMatchCase(bool on) {
    matchCase_->setChecked(on);
}
void ReplaceDialog::SetWholeWord(bool on) {
    wholeWord_->setChecked(on);
}

void ReplaceDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    emit shown();
}

} // namespace mvf::viewer
