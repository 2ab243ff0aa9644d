#include "finder/shell/options_rules.h"

#include <sys/stat.h>
#include <unistd.h>

#include "boxes.h"
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

std::string HomePageAddress() {
    return MVF_HOME_PAGE_ADDRESS;
}

std::string DownloadPageAddress() {
    return MVF_DOWNLOAD_PAGE_ADDRESS;
}

} // namespace mvf::shell
