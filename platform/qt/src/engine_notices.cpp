#include "platform/qt/engine_notices.h"

#include <QObject>
#include <QThread>

#include "mvfindgrep.h"

namespace mvf::platform {

// Lives on the thread that created the route; boxes raised elsewhere are queued to it.
struct EngineNoticeRoute::Bridge : QObject {
    explicit Bridge(Notifier& notifier) : notifier(notifier) {}
    Notifier& notifier;
};

namespace {

void ShowNotice(const char* caption, const char* text, void* context) {
    auto* bridge = static_cast<EngineNoticeRoute::Bridge*>(context);
    const MessageBox box = NoticeBox(caption, text);
    if (QThread::currentThread() == bridge->thread()) {
        bridge->notifier.Show(box);
        return;
    }
    // The raising thread waits here until the GUI thread has shown and closed the box.
    QMetaObject::invokeMethod(
        bridge, [bridge, &box] { bridge->notifier.Show(box); }, Qt::BlockingQueuedConnection);
}

} // namespace

MessageBox NoticeBox(const char* caption, const char* text) {
    MessageBox box;
    box.caption = QString::fromUtf8(caption ? caption : "");
    box.text = QString::fromUtf8(text ? text : "");
    box.icon = BoxIcon::Warning;
    box.buttons = BoxButtons::Ok;
    return box;
}

EngineNoticeRoute::EngineNoticeRoute(Notifier& notifier)
    : bridge_(std::make_unique<Bridge>(notifier)) {
    HGrepSetNoticeHandler(&ShowNotice, bridge_.get());
}

EngineNoticeRoute::~EngineNoticeRoute() {
    HGrepSetNoticeHandler(nullptr, nullptr);
}

} // namespace mvf::platform
