#include "caption_bar.h"

#include <QHBoxLayout>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>
#include <qdrawutil.h>

#include "assets/icons.h"

namespace mvf::shell {

namespace {

constexpr int kButtonWidth = 18;
constexpr int kButtonHeight = 16;
constexpr int kBarMargin = 2;

QFont BoldFont(const QFont& base) {
    QFont font(base);
    font.setBold(true);
    return font;
}

void DrawTriangle(QPainter& painter, QRectF box, bool up) {
    QPainterPath path;
    const qreal midX = box.center().x();
    if (up) {
        path.moveTo(box.left(), box.bottom());
        path.lineTo(box.right(), box.bottom());
        path.lineTo(midX, box.top());
    } else {
        path.moveTo(box.left(), box.top());
        path.lineTo(box.right(), box.top());
        path.lineTo(midX, box.bottom());
    }
    path.closeSubpath();
    painter.fillPath(path, painter.pen().color());
}

} // namespace

CaptionButton::CaptionButton(CaptionGlyph glyph, const QString& name, QWidget* parent)
    : QAbstractButton(parent), glyph_(glyph) {
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kButtonWidth, kButtonHeight);
}

void CaptionButton::SetGlyph(CaptionGlyph glyph) {
    glyph_ = glyph;
    update();
}

QSize CaptionButton::sizeHint() const {
    return {kButtonWidth, kButtonHeight};
}

void CaptionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool down = isDown();
    qDrawWinButton(&painter, rect(), palette(), down, &palette().brush(QPalette::Button));
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink = isEnabled() ? palette().color(QPalette::ButtonText)
                                   : palette().color(QPalette::Disabled, QPalette::ButtonText);
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    // The glyph's box, nudged down and right while pressed, as a raised button's face is.
    QRectF box(5.0, 4.0, width() - 10.0, height() - 8.0);
    if (down) box.translate(1, 1);
    switch (glyph_) {
    case CaptionGlyph::Done:
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
        break;
    case CaptionGlyph::Maximise:
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(ink, 1));
        painter.drawRect(box.toRect().adjusted(0, 0, -1, -1));
        painter.drawLine(box.toRect().left(), box.toRect().top() + 1, box.toRect().right() - 1,
                         box.toRect().top() + 1);
        break;
    case CaptionGlyph::Restore: {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(ink, 1));
        const QRect r = box.toRect();
        const QRect back(r.left() + 2, r.top() - 1, r.width() - 3, r.height() - 2);
        const QRect front(r.left(), r.top() + 2, r.width() - 3, r.height() - 2);
        painter.drawRect(back);
        painter.fillRect(front, palette().button());
        painter.drawRect(front);
        break;
    }
    case CaptionGlyph::Options:
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(ink, 1));
        for (int i = 0; i < 3; ++i) {
            const int y = box.toRect().top() + 1 + i * 3;
            painter.drawLine(box.toRect().left(), y, box.toRect().right(), y);
        }
        break;
    case CaptionGlyph::RollUp: DrawTriangle(painter, box.adjusted(0, 1, 0, -1), true); break;
    case CaptionGlyph::RollDown: DrawTriangle(painter, box.adjusted(0, 1, 0, -1), false); break;
    case CaptionGlyph::ToolbarSize: {
        QFont font = BoldFont(this->font());
        font.setPixelSize(9);
        painter.setFont(font);
        painter.setPen(ink);
        QRect face = rect();
        if (down) face.translate(1, 1);
        painter.drawText(face, Qt::AlignCenter, QStringLiteral("TB"));
        break;
    }
    }
}

TitleGlyph::TitleGlyph(const QString& title, QWidget* parent) : QWidget(parent), title_(title) {
    setObjectName(QStringLiteral("TitleGlyph"));
    setCursor(Qt::SizeAllCursor);
    setFont(BoldFont(font()));
}

QSize TitleGlyph::sizeHint() const {
    return {20 + fontMetrics().horizontalAdvance(title_) + 4, kButtonHeight};
}

QSize TitleGlyph::minimumSizeHint() const {
    return {20, kButtonHeight};
}

void TitleGlyph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QIcon icon = assets::appIcon(assets::Program::Finder);
    icon.paint(&painter, QRect(0, (height() - 16) / 2, 16, 16));
    painter.setPen(Qt::white);
    const QRect text = rect().adjusted(20, 0, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(title_, Qt::ElideRight, text.width()));
}

void TitleGlyph::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    QWidget* top = window();
    // The window system moves the window when it can (it knows the screen edges and
    // the other windows); elsewhere the window follows the mouse by itself.
    if (QWindow* handle = top->windowHandle(); handle && handle->startSystemMove()) return;
    dragOffset_ = event->globalPosition().toPoint() - top->frameGeometry().topLeft();
}

void TitleGlyph::mouseMoveEvent(QMouseEvent* event) {
    if (!dragOffset_) return QWidget::mouseMoveEvent(event);
    window()->move(event->globalPosition().toPoint() - *dragOffset_);
}

void TitleGlyph::mouseReleaseEvent(QMouseEvent* event) {
    dragOffset_.reset();
    QWidget::mouseReleaseEvent(event);
}

CaptionBar::CaptionBar(const QString& title, QWidget* parent)
    : QWidget(parent), title_(new TitleGlyph(title, this)),
      rollup_(new CaptionButton(CaptionGlyph::RollUp, QStringLiteral("RollupBtn"), this)),
      toolbarSize_(new CaptionButton(CaptionGlyph::ToolbarSize, QStringLiteral("TBSizeBtn"), this)),
      options_(new CaptionButton(CaptionGlyph::Options, QStringLiteral("OptBtn"), this)),
      maximise_(new CaptionButton(CaptionGlyph::Maximise, QStringLiteral("MaxBtn"), this)),
      done_(new CaptionButton(CaptionGlyph::Done, QStringLiteral("DoneBtn"), this)) {
    setObjectName(QStringLiteral("CaptionBar"));
    setFixedHeight(kButtonHeight + 2 * kBarMargin);
    rollup_->setToolTip(QStringLiteral("Roll up"));
    toolbarSize_->setToolTip(QStringLiteral("Toolbar size"));
    options_->setToolTip(QStringLiteral("Options"));
    maximise_->setToolTip(QStringLiteral("Maximize"));
    done_->setToolTip(QStringLiteral("Done"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kBarMargin + 1, kBarMargin, kBarMargin, kBarMargin);
    layout->setSpacing(0);
    layout->addWidget(title_, 1);
    layout->addSpacing(4);
    layout->addWidget(rollup_);
    layout->addWidget(toolbarSize_);
    layout->addSpacing(2);
    layout->addWidget(options_);
    layout->addSpacing(2);
    layout->addWidget(maximise_);
    layout->addWidget(done_);

    connect(done_, &QAbstractButton::clicked, this, &CaptionBar::doneClicked);
    connect(maximise_, &QAbstractButton::clicked, this, &CaptionBar::maximiseClicked);
    connect(options_, &QAbstractButton::clicked, this, &CaptionBar::optionsClicked);
    connect(toolbarSize_, &QAbstractButton::clicked, this, &CaptionBar::toolbarSizeClicked);
    connect(rollup_, &QAbstractButton::clicked, this, &CaptionBar::rollupClicked);
}

void CaptionBar::SetRolledUp(bool rolledUp) {
    rollup_->SetGlyph(rolledUp ? CaptionGlyph::RollDown : CaptionGlyph::RollUp);
    rollup_->setToolTip(rolledUp ? QStringLiteral("Roll down") : QStringLiteral("Roll up"));
}

void CaptionBar::SetMaximised(bool maximised) {
    maximise_->SetGlyph(maximised ? CaptionGlyph::Restore : CaptionGlyph::Maximise);
    maximise_->setToolTip(maximised ? QStringLiteral("Restore") : QStringLiteral("Maximize"));
}

void CaptionBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool active = window()->isActiveWindow();
    QLinearGradient shade(rect().topLeft(), rect().topRight());
    shade.setColorAt(0, active ? QColor(10, 36, 106) : QColor(112, 112, 112));
    shade.setColorAt(1, active ? QColor(86, 134, 196) : QColor(184, 184, 184));
    painter.fillRect(rect(), shade);
}

} // namespace mvf::shell
