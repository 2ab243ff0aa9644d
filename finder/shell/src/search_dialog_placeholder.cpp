#include "search_dialog_placeholder.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "boxes.h"
#include "finder/search/entry_checks.h"
#include "qt_text.h"

namespace mvf::shell {

SearchDialogPlaceholder::SearchDialogPlaceholder(settings::FinderSettings& settings,
                                                 search::SearchFlags& flags,
                                                 platform::Notifier& notifier, Starter starter,
                                                 QWidget* parent)
    : QDialog(parent), settings_(settings), flags_(flags), notifier_(notifier),
      starter_(std::move(starter)), findBox_(new QLineEdit(this)), filemask_(new QLineEdit(this)),
      directory_(new QLineEdit(this)),
      subDirCheck_(new QCheckBox(QStringLiteral("Search sub-folders"), this)),
      searchBG_(new QCheckBox(QStringLiteral("Search in the background"), this)) {
    setObjectName(QStringLiteral("TVantorFinder"));
    setWindowTitle(QStringLiteral("Vantor Finder"));
    findBox_->setObjectName(QStringLiteral("FindBox"));
    filemask_->setObjectName(QStringLiteral("Filemask"));
    directory_->setObjectName(QStringLiteral("Directory"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Containing:"), findBox_);
    form->addRow(QStringLiteral("File mask:"), filemask_);
    form->addRow(QStringLiteral("Look in:"), directory_);
    form->addRow(QString(), subDirCheck_);
    form->addRow(QString(), searchBG_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* begin =
        buttons->addButton(QStringLiteral("Begin Search"), QDialogButtonBox::AcceptRole);
    begin->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(begin, &QPushButton::clicked, this, &SearchDialogPlaceholder::BeginsearchClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(420, sizeHint().height());
}

void SearchDialogPlaceholder::showEvent(QShowEvent* event) {
    findBox_->setText(QString::fromStdString(settings_.VFindString));
    filemask_->setText(QString::fromStdString(settings_.VMaskString));
    directory_->setText(QString::fromStdString(settings_.VDirString));
    subDirCheck_->setChecked(settings_.VFSearchSub);
    searchBG_->setChecked(settings_.VFBGSearch);
    QDialog::showEvent(event);
}

void SearchDialogPlaceholder::BeginsearchClick() {
    search::SearchCriteria criteria;
    criteria.FindText = findBox_->text().toStdString();
    criteria.FileMaskText = filemask_->text().toStdString();
    criteria.DirectoryText = directory_->text().toStdString();
    criteria.SearchSubfolders = subDirCheck_->isChecked();
    criteria.Background = searchBG_->isChecked();
    criteria.Bark = settings_.VFBark;
    criteria.SkipBinaries = settings_.VFSkipBinaries;
    criteria.ErrorHandling = settings_.VFDontWarn ? search::ErrorHandlingMode::DontWarn
                             : settings_.VFWarn   ? search::ErrorHandlingMode::Warn
                                                  : search::ErrorHandlingMode::Suppress;

    search::RememberedLists lists{settings_.Lists.FindTexts, settings_.Lists.Masks,
                                  settings_.Lists.Folders};
    const std::optional<search::EntryFault> fault = search::PrepareSearch(criteria, lists, flags_);
    settings_.Lists = {lists.FindTexts, lists.Masks, lists.Folders};
    if (fault) {
        platform::MessageBox notice =
            Box(QText(search::kNoticeCaption), QString::fromStdString(fault->Message));
        notice.parent = this;
        notifier_.Show(notice);
        return;
    }
    settings_.VFindString = criteria.FindText;
    settings_.VMaskString = criteria.FileMaskText;
    settings_.VDirString = criteria.DirectoryText;
    settings_.VFSearchSub = criteria.SearchSubfolders;
    settings_.VFBGSearch = criteria.Background;
    starter_(std::move(criteria));
    accept();
}

} // namespace mvf::shell
