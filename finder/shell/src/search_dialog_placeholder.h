// A plain form in the place of the search dialog `TVantorFinder` until that is merged:
// the find text, mask and folder, sub-folders and background, and "Begin Search", which
// runs the search core's checks (each fault in a "Notice" box) and hands the search to
// the main window.
#pragma once

#include <functional>

#include <QDialog>

#include "finder/search/search_criteria.h"
#include "finder/settings/finder_settings.h"
#include "platform/qt/notifier.h"

class QCheckBox;
class QLineEdit;

namespace mvf::shell {

class SearchDialogPlaceholder final : public QDialog {
public:
    using Starter = std::function<void(search::SearchCriteria)>;

    SearchDialogPlaceholder(settings::FinderSettings& settings, search::SearchFlags& flags,
                            platform::Notifier& notifier, Starter starter,
                            QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BeginsearchClick();

    settings::FinderSettings& settings_;
    search::SearchFlags& flags_;
    platform::Notifier& notifier_;
    Starter starter_;
    QLineEdit* findBox_;
    QLineEdit* filemask_;
    QLineEdit* directory_;
    QCheckBox* subDirCheck_;
    QCheckBox* searchBG_;
};

} // namespace mvf::shell
