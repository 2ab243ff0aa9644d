#include "finder/shell/startup_rules.h"

#include "boxes.h"

namespace mvf::shell {

platform::MessageBox AlreadyRunningBox() {
    return Box(QStringLiteral("Morvel Vantor Finder Already Running!"),
               QStringLiteral(
                   "Morvel Vantor Finder is already running!\n\r\n\rPlease check the system "
                   "tray for our icon.\n\r\n\rIf there is no icon then the machine with Morvel "
                   "Vantor Finder on it will\n\rneed to be restarted in order to clear the user "
                   "lock."));
}

platform::MessageBox LockFailedBox(const std::string& reason) {
    return Box(QStringLiteral("Vantor Finder Error"),
               QStringLiteral("Morvel Vantor Finder cannot start: its lock file could not be "
                              "created.\n\r") +
                   QString::fromStdString(reason),
               platform::BoxIcon::Error);
}

StartupPlan PlanStartup(bool Splash, bool FindMsg) {
    return {.splash = Splash, .notice = !FindMsg};
}

} // namespace mvf::shell
