#include "platform/qt/notifier.h"

namespace mvf::platform {

bool Offers(BoxButtons buttons, BoxAnswer answer) {
    switch (buttons) {
    case BoxButtons::Ok: return answer == BoxAnswer::Ok;
    case BoxButtons::OkCancel: return answer == BoxAnswer::Ok || answer == BoxAnswer::Cancel;
    case BoxButtons::YesNo: return answer == BoxAnswer::Yes || answer == BoxAnswer::No;
    case BoxButtons::YesNoCancel: return answer != BoxAnswer::Ok;
    }
    return false;
}

BoxAnswer DismissAnswer(BoxButtons buttons) {
    if (Offers(buttons, BoxAnswer::Cancel)) return BoxAnswer::Cancel;
    if (Offers(buttons, BoxAnswer::No)) return BoxAnswer::No;
    return BoxAnswer::Ok;
}

BoxAnswer EffectiveDefault(const MessageBox& box) {
    if (box.defaultButton && Offers(box.buttons, *box.defaultButton)) return *box.defaultButton;
    switch (box.buttons) {
    case BoxButtons::Ok:
    case BoxButtons::OkCancel: return BoxAnswer::Ok;
    case BoxButtons::YesNo:
    case BoxButtons::YesNoCancel: return BoxAnswer::Yes;
    }
    return BoxAnswer::Ok;
}

} // namespace mvf::platform
