#include "finder/actions/error_log.h"

#include "failure_list.h"

namespace mvf::actions {

QString ErrorLogQuestion() {
    return QStringLiteral("Morvel Edit encountered some file open errors.\n\r"
                          "Do you want to see the log file search errors.err?");
}

std::string ErrorLogPath(const std::string& resultsFolder) {
    std::string path = resultsFolder;
    if (path.empty() || path.back() != '/') path.push_back('/');
    return path.append(kErrorLogName);
}

bool OfferErrorLog(platform::Notifier& notifier, FileOpener& opener,
                   const std::string& resultsFolder, bool systemModal, QWidget* window) {
    platform::MessageBox question;
    question.caption = QStringLiteral("Warning");
    question.text = ErrorLogQuestion();
    question.icon = platform::BoxIcon::Warning;
    question.buttons = platform::BoxButtons::OkCancel;
    question.systemModal = systemModal;
    question.parent = window;
    if (notifier.Show(question) != platform::BoxAnswer::Ok) return false;
    const std::string log = ErrorLogPath(resultsFolder);
    QString failure;
    if (opener.StartViewer(log, &failure)) return true;
    detail::TellFailures(notifier, window, QStringLiteral("The log could not be shown:"),
                         {{log, failure}});
    return false;
}

} // namespace mvf::actions
