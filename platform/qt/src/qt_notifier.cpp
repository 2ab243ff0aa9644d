#include "platform/qt/qt_notifier.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace mvf::platform {
namespace {

QMessageBox::Icon QtIcon(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::None: return QMessageBox::NoIcon;
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::Ok: return QMessageBox::Ok;
    case BoxButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case BoxButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case BoxButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton QtButton(BoxAnswer answer) {
    switch (answer) {
    case BoxAnswer::Ok: return QMessageBox::Ok;
    case BoxAnswer::Cancel: return QMessageBox::Cancel;
    case BoxAnswer::Yes: return QMessageBox::Yes;
    case BoxAnswer::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

} // namespace

QString DisplayText(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool pair = i + 1 < text.size() && ((c == u'\n' && text[i + 1] == u'\r') ||
                                                  (c == u'\r' && text[i + 1] == u'\n'));
        if (pair) {
            shown += u'\n';
            ++i;
        } else {
            shown += c == u'\r' ? QChar(u'\n') : c;
        }
    }
    return shown;
}

std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBox& box) {
    auto shown = std::make_unique<QMessageBox>(QtIcon(box.icon), box.caption, DisplayText(box.text),
                                               QtButtons(box.buttons), box.parent);
    // The texts are the system's own words, never markup.
    shown->setTextFormat(Qt::PlainText);
    shown->setDefaultButton(QtButton(EffectiveDefault(box)));
    shown->setEscapeButton(QtButton(DismissAnswer(box.buttons)));
    // Every box is modal for the whole application; a system-modal one also stays on top
    // of every other window on the desktop.
    if (box.systemModal) shown->setWindowFlag(Qt::WindowStaysOnTopHint);
    return shown;
}

BoxAnswer QtNotifier::Show(const MessageBox& box) {
    const std::unique_ptr<QMessageBox> shown = BuildMessageBox(box);
    shown->exec();
    switch (shown->standardButton(shown->clickedButton())) {
    case QMessageBox::Ok: return BoxAnswer::Ok;
    case QMessageBox::Cancel: return BoxAnswer::Cancel;
    case QMessageBox::Yes: return BoxAnswer::Yes;
    case QMessageBox::No: return BoxAnswer::No;
    default: return DismissAnswer(box.buttons);
    }
}

} // namespace mvf::platform
