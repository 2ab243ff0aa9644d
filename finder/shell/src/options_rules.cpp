#include "finder/shell/options_rules.h"

#include <sys/stat.h>
#include <unistd.h>

#include "boxes.h"
#include "platform/core/autostart.h"
#include "qt_text.h"

namespace mvf::shell {

MainPopChecks MainPopPopup(const settings::FinderSettings& settings) {
    return {.NoSplash1 = !settings.Splash,
            .DisMulti = settings.NoMulti,
            .UseMorvel = settings.UseViewer};
}

namespace {

// A program the finder can start: a regular file it may execute.
bool IsExecutableFile(const std::string& path) {
    struct stat facts {};
    return ::stat(path.c_str(), &facts) == 0 && S_ISREG(facts.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

} // namespace

bool UseMorvelClick(settings::FinderSettings& settings, bool checked, const std::string& viewerFile,
                    platform::Notifier& notifier) {
    if (checked && !IsExecutableFile(viewerFile)) {
        notifier.Show(Box(QText(kFinderErrorCaption), QText(kViewerMissingMessage),
                          platform::BoxIcon::Warning));
        checked = false;
    }
    settings.UseViewer = checked;
    return checked;
}

void DisMultiClick(settings::FinderSettings& settings, bool checked) {
    settings.NoMulti = checked;
}

void NoSplash1Click(settings::FinderSettings& settings, bool checked) {
    settings.Splash = !checked;
}

bool StartsWithSession(const platform::XdgFolders& folders) {
    return platform::IsAutostartOn(platform::AutostartFile(std::string(kAutostartId), folders));
}

bool StartWithSessionClick(bool checked, const std::string& programFile,
                           const platform::XdgFolders& folders, platform::Notifier& notifier) {
    const std::string file = platform::AutostartFile(std::string(kAutostartId), folders);
    const std::string failure =
        checked ? platform::WriteAutostart(file, {.name = "Morvel Vantor Finder",
                                                  .comment = "Find files by name, content, "
                                                             "size and date",
                                                  .icon = "mvfinder",
                                                  .program = programFile})
                : platform::RemoveAutostart(file);
    if (!failure.empty()) {
        const QString what = checked ? QStringLiteral("Morvel Vantor Finder could not be set to "
                                                      "start with the session.")
                                     : QStringLiteral("Morvel Vantor Finder could not be kept "
                                                      "from starting with the session.");
        notifier.Show(Box(QText(kFinderErrorCaption),
                          what + QStringLiteral("\n\r") + QString::fromStdString(failure),
                          platform::BoxIcon::Warning));
    }
    return platform::IsAutostartOn(file);
}

std::string HomePageAddress() {
    return MVF_HOME_PAGE_ADDRESS;
}

std::string DownloadPageAddress() {
    return MVF_DOWNLOAD_PAGE_ADDRESS;
}

} // namespace mvf::shell
