#include "finder/actions/open_all.h"

namespace mvf::actions {

OpenAllOutcome OpenAllFound(const results::ResultsList& list, int openFirst,
                            platform::Notifier& notifier, FileOpener& opener, QWidget* window) {
    const std::size_t count = list.size();
    platform::MessageBox box;
    box.systemModal = true;
    box.parent = window;
    if (openFirst < 0 || count > std::size_t(openFirst)) {
        box.caption = QStringLiteral("Information");
        box.text = QStringLiteral("More than %1 files with hits were found!\n\r"
                                  "Vantor Finder will show you the results list")
                       .arg(openFirst);
        box.icon = platform::BoxIcon::Information;
        notifier.Show(box);
        return OpenAllOutcome::ShowResults;
    }
    if (count == 0) return OpenAllOutcome::NoResults;
    box.caption = QStringLiteral("Confirm");
    box.text = QStringLiteral("Open %1 files with hits?").arg(count);
    box.icon = platform::BoxIcon::Question;
    box.buttons = platform::BoxButtons::OkCancel;
    if (notifier.Show(box) != platform::BoxAnswer::Ok) return OpenAllOutcome::ShowResults;
    std::vector<std::string> paths;
    paths.reserve(count);
    for (const results::ResultEntry& entry : list.entries())
        paths.push_back(results::FullPath(entry));
    opener.Open(std::move(paths));
    return OpenAllOutcome::Opened;
}

} // namespace mvf::actions
