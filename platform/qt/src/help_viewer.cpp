#include "platform/qt/help_viewer.h"

#include <filesystem>
#include <utility>

#include <QStringList>

#include "help_window.h"

namespace mvf::platform {
namespace {

const QSize kMainSize(640, 520);
const QSize kGraphicsSize(440, 360);

} // namespace

QString ContextAnchor(int context) {
    return "context-" + QString::number(context);
}

HelpViewer::HelpViewer(std::vector<std::string> searchFolders)
    : folders_(std::move(searchFolders)) {}

HelpViewer::~HelpViewer() = default;

std::string HelpViewer::FindFile() const {
    for (const std::string& folder : folders_) {
        const std::filesystem::path path = std::filesystem::path(folder) / kHelpFileName;
        std::error_code failed;
        if (std::filesystem::is_regular_file(path, failed)) return path.string();
    }
    return {};
}

HelpWindow& HelpViewer::Pane(HelpPane pane) {
    std::unique_ptr<HelpWindow>& window = pane == HelpPane::Main ? main_ : graphics_;
    if (!window) {
        window = pane == HelpPane::Main
                     ? std::make_unique<HelpWindow>("Morvel Vantor Finder Help", kMainSize)
                     : std::make_unique<HelpWindow>("Morvel Vantor Finder Help - graphics",
                                                    kGraphicsSize);
    }
    return *window;
}

void HelpViewer::ShowTopic(const QString& topicId, HelpPane pane) {
    QStringList searched;
    for (const std::string& folder : folders_)
        searched << QString::fromStdString(
            (std::filesystem::path(folder) / kHelpFileName).string());
    Pane(pane).ShowAnchor(QString::fromStdString(FindFile()), topicId,
                          searched.isEmpty() ? QString("nowhere") : searched.join(", "));
}

void HelpViewer::ShowContext(int context, HelpPane pane) {
    ShowTopic(ContextAnchor(context), pane);
}

QWidget* HelpViewer::Window(HelpPane pane) const {
    return pane == HelpPane::Main ? main_.get() : graphics_.get();
}

QTextBrowser* HelpViewer::Browser(HelpPane pane) const {
    const HelpWindow* window = pane == HelpPane::Main ? main_.get() : graphics_.get();
    return window ? window->Browser() : nullptr;
}

} // namespace mvf::platform
