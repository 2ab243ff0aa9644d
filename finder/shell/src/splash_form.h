// The start-up picture `TSplashForm`: borderless, on top of every window, centred,
// 510 x 263, the "SPLASH" picture inside a lowered bevel. A missing picture leaves an
// empty frame. It cannot be dismissed: it ignores the mouse and the keyboard.
#pragma once

#include <chrono>

#include <QImage>
#include <QWidget>

namespace mvf::shell {

class SplashForm final : public QWidget {
public:
    explicit SplashForm(QImage picture);

    // Shows it centred on the screen and paints it before returning.
    void ShowNow();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

inline constexpr int kSplashWidth = 510;
inline constexpr int kSplashHeight = 263;

// Keeps the program painting, without taking any input, until `deadline`: the splash
// stays up for its minimum time while its window still draws.
void WaitWithoutInput(std::chrono::steady_clock::time_point deadline);

} // namespace mvf::shell
