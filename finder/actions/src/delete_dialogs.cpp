#include "finder/actions/delete_dialogs.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace mvf::actions {

namespace {

const QString kQuestion = QStringLiteral("How do you want to handle them?");
// The framed line shows this many pixels of a path at most; the rest is elided.
constexpr int kPathLineWidth = 420;

QLabel* CentredLine(QWidget* parent) {
    auto* line = new QLabel(parent);
    line->setAlignment(Qt::AlignCenter);
    return line;
}

// A choice whose Alt key takes effect at once: Qt's buttons check themselves only when
// their 100 ms click animation ends, so Alt+R and Enter typed together would take the
// choice that was there before.
class ChoiceButton : public QRadioButton {
public:
    ChoiceButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::Shortcut) return QRadioButton::event(event);
        setFocus(Qt::ShortcutFocusReason);
        setChecked(true);
        return true;
    }
};

QRadioButton* Choice(const QString& text, const char* name, QWidget* parent) {
    auto* choice = new ChoiceButton(text, parent);
    choice->setObjectName(QLatin1String(name));
    return choice;
}

// OK (the default) and Cancel under the dialog's choices.
void AddButtons(QDialog& dialog, QVBoxLayout& layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addWidget(buttons);
    layout.setSizeConstraint(QLayout::SetFixedSize);
}

void CentreOnScreen(QDialog& dialog, QWidget* window) {
    dialog.adjustSize();
    QScreen* screen = window ? window->screen() : dialog.screen();
    if (!screen) return;
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
}

} // namespace

TVFDelDlg::TVFDelDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TVFDelDlg"));
    setWindowTitle(QStringLiteral("Multiple File Deletions"));
    auto* layout = new QVBoxLayout(this);

    Group95 = new QWidget(this);
    Group95->setObjectName(QStringLiteral("Group95"));
    auto* group95 = new QVBoxLayout(Group95);
    group95->setContentsMargins(0, 0, 0, 0);
    Label1 = CentredLine(Group95);
    Label1->setObjectName(QStringLiteral("Label1"));
    Askall = Choice(QStringLiteral("&Ask to recycle or delete each file"), "Askall", Group95);
    Recycleall = Choice(QStringLiteral("Send them all to the &Recycle bin (No confirmations)"),
                        "Recycleall", Group95);
    DeleteAll =
        Choice(QStringLiteral("&Delete them all from disk (No confirmation - Use Caution!)"),
               "DeleteAll", Group95);
    for (QWidget* part : std::initializer_list<QWidget*>{Label1, new QLabel(kQuestion, Group95),
                                                         Askall, Recycleall, DeleteAll})
        group95->addWidget(part);

    Group351 = new QWidget(this);
    Group351->setObjectName(QStringLiteral("Group351"));
    auto* group351 = new QVBoxLayout(Group351);
    group351->setContentsMargins(0, 0, 0, 0);
    Label3 = CentredLine(Group351);
    Label3->setObjectName(QStringLiteral("Label3"));
    Confirm = Choice(QStringLiteral("&Confirm each deletion"), "Confirm", Group351);
    DelAll = Choice(QStringLiteral("&Delete them all from disk (No confirmation - Use Caution!)"),
                    "DelAll", Group351);
    for (QWidget* part :
         std::initializer_list<QWidget*>{Label3, new QLabel(kQuestion, Group351), Confirm, DelAll})
        group351->addWidget(part);

    layout->addWidget(Group95);
    layout->addWidget(Group351);
    AddButtons(*this, *layout);
    Askall->setChecked(true);
    Confirm->setChecked(true);
    Group351->hide();
}

void TVFDelDlg::Prepare(std::size_t count, bool noRecycleBin) {
    const QString line = QStringLiteral("You have selected %1 files for deletion!").arg(count);
    Label1->setText(line);
    Label3->setText(line);
    Group95->setVisible(!noRecycleBin);
    Group351->setVisible(noRecycleBin);
    // The careful choice each time, in either group: a deletion without questions is
    // never chosen in advance.
    Askall->setChecked(true);
    Confirm->setChecked(true);
    (noRecycleBin ? Confirm : Askall)->setFocus();
}

DeleteMode TVFDelDlg::Chosen() const {
    if (Group351->isVisibleTo(this))
        return DelAll->isChecked() ? DeleteMode::DeleteAll : DeleteMode::ConfirmEach;
    if (Recycleall->isChecked()) return DeleteMode::RecycleAll;
    if (DeleteAll->isChecked()) return DeleteMode::DeleteAll;
    return DeleteMode::AskEach;
}

TDelFileDlg::TDelFileDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TDelFileDlg"));
    setWindowTitle(QStringLiteral("File Delete Options"));
    auto* layout = new QVBoxLayout(this);
    DName = new QLabel(this);
    DName->setObjectName(QStringLiteral("DName"));
    DName->setFrameShape(QFrame::Panel);
    DName->setFrameShadow(QFrame::Sunken);
    DName->setTextFormat(Qt::PlainText);
    DName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    DName->setMinimumWidth(kPathLineWidth);
    DName->setMargin(3);
    RecBtn = Choice(QStringLiteral("Move file to &recycle bin"), "RecBtn", this);
    DelBtn = Choice(QStringLiteral("&Delete file from disk"), "DelBtn", this);
    layout->addWidget(DName);
    layout->addWidget(RecBtn);
    layout->addWidget(DelBtn);
    AddButtons(*this, *layout);
    RecBtn->setChecked(true);
}

void TDelFileDlg::Prepare(const std::string& path) {
    const QString shown = QString::fromUtf8(path.data(), qsizetype(path.size()));
    // A long path keeps its beginning and its name, the middle elided; the whole path is
    // the tool tip.
    DName->setText(DName->fontMetrics().elidedText(shown, Qt::ElideMiddle, kPathLineWidth - 8));
    DName->setToolTip(shown);
}

FileDisposal TDelFileDlg::Chosen() const {
    return DelBtn->isChecked() ? FileDisposal::DeleteFromDisk : FileDisposal::Trash;
}

QtDeletePrompts::~QtDeletePrompts() = default;

std::optional<DeleteMode> QtDeletePrompts::ChooseMode(std::size_t count, bool noRecycleBin) {
    if (!multiple_) multiple_ = std::make_unique<TVFDelDlg>(window_);
    multiple_->Prepare(count, noRecycleBin);
    CentreOnScreen(*multiple_, window_);
    if (multiple_->exec() != QDialog::Accepted) return std::nullopt;
    return multiple_->Chosen();
}

std::optional<FileDisposal> QtDeletePrompts::ChooseDisposal(const std::string& path) {
    if (!single_) single_ = std::make_unique<TDelFileDlg>(window_);
    single_->Prepare(path);
    CentreOnScreen(*single_, window_);
    if (single_->exec() != QDialog::Accepted) return std::nullopt;
    return single_->Chosen();
}

} // namespace mvf::actions
