// The main window's own caption bar: the title glyph (drag it to move the window) and,
// right to left, the done, maximise, options (`OptBtn`), toolbar size (`TBSizeBtn`,
// "TB") and roll-up (`RollupBtn`) buttons.
#pragma once

#include <optional>

#include <QAbstractButton>
#include <QPoint>
#include <QWidget>

namespace mvf::shell {

enum class CaptionGlyph { Done, Maximise, Restore, Options, RollUp, RollDown, ToolbarSize };

// A small raised button with a drawn glyph, crisp at any scale.
class CaptionButton final : public QAbstractButton {
public:
    CaptionButton(CaptionGlyph glyph, const QString& name, QWidget* parent);
    void SetGlyph(CaptionGlyph glyph);
    CaptionGlyph Glyph() const { return glyph_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CaptionGlyph glyph_;
};

// The title "Morvel Vantor Finder 2.1" in bold white; pressing it starts moving the window.
class TitleGlyph final : public QWidget {
public:
    TitleGlyph(const QString& title, QWidget* parent);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString title_;
    // Where the press was, relative to the window, while the window follows the mouse
    // itself (only where the window system cannot move it for us).
    std::optional<QPoint> dragOffset_;
};

class CaptionBar final : public QWidget {
    Q_OBJECT
public:
    CaptionBar(const QString& title, QWidget* parent);

    CaptionButton* DoneButton() const { return done_; }
    CaptionButton* MaximiseButton() const { return maximise_; }
    CaptionButton* OptBtn() const { return options_; }
    CaptionButton* TBSizeBtn() const { return toolbarSize_; }
    CaptionButton* RollupBtn() const { return rollup_; }
    TitleGlyph* Title() const { return title_; }

    void SetRolledUp(bool rolledUp);
    void SetMaximised(bool maximised);

signals:
    void doneClicked();
    void maximiseClicked();
    void optionsClicked();
    void toolbarSizeClicked();
    void rollupClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TitleGlyph* title_;
    CaptionButton* rollup_;
    CaptionButton* toolbarSize_;
    CaptionButton* options_;
    CaptionButton* maximise_;
    CaptionButton* done_;
};

} // namespace mvf::shell
