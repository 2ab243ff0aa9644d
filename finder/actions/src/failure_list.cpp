#include "failure_list.h"

namespace mvf::actions::detail {

QString FailureListText(const QString& intro, const Failures& failures) {
    QString text = intro + QStringLiteral("\n");
    for (std::size_t i = 0; i < failures.size() && i < kListedFailures; ++i) {
        const std::string& path = failures[i].first;
        text += QStringLiteral("\n") + QString::fromUtf8(path.data(), qsizetype(path.size())) +
                QStringLiteral(": ") + failures[i].second;
    }
    if (failures.size() > kListedFailures)
        text += QStringLiteral("\n... and %1 more.").arg(failures.size() - kListedFailures);
    return text;
}

void TellFailures(platform::Notifier& notifier, QWidget* window, const QString& intro,
                  const Failures& failures) {
    if (failures.empty()) return;
    platform::MessageBox box;
    box.caption = QStringLiteral("Vantor Finder Error");
    box.text = FailureListText(intro, failures);
    box.icon = platform::BoxIcon::Warning;
    box.parent = window;
    notifier.Show(box);
}

} // namespace mvf::actions::detail
