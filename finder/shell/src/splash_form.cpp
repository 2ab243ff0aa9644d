#include "splash_form.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <qdrawutil.h>

namespace mvf::shell {

SplashForm::SplashForm(QImage picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(std::move(picture)) {
    setObjectName(QStringLiteral("TSplashForm"));
    setWindowTitle(QStringLiteral("Morvel Vantor Finder"));
    setFixedSize(kSplashWidth, kSplashHeight);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void SplashForm::ShowNow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect place(QPoint(), size());
        place.moveCenter(screen->geometry().center());
        move(place.topLeft());
    }
    show();
    raise();
    repaint();
    // Let the window system map and draw it now, before the main window is made.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!picture_.isNull()) painter.drawImage(rect(), picture_);
    qDrawShadePanel(&painter, rect(), palette(), /*sunken=*/true, 1);
}

void WaitWithoutInput(std::chrono::steady_clock::time_point deadline) {
    // A timer may fire a little early; the wait is over only when the deadline is.
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return;
        QEventLoop loop;
        QTimer::singleShot(left, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

} // namespace mvf::shell
