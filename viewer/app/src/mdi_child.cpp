#include "viewer/app/mdi_child.h"

#include <QCloseEvent>
#include <QFontDatabase>

#include "split_bar.h"
#include "viewer/app/main_form.h"
#include "viewer/app/split_geometry.h"
#include "viewer/app/viewer_options.h"
#include "viewer/app/viewer_texts.h"

namespace mvf::viewer {
namespace {

// Blank pixels kept right of the text.
constexpr int kRightMargin = 5;

} // namespace

TMDIChild::TMDIChild(TMainForm& mainForm, const std::string& name)
    : main_(mainForm), caption_(name), editor1_(new EditorWidget(this)) {
    setObjectName("MDIChild");
    setAttribute(Qt::WA_DeleteOnClose, false); // the sub-window that holds it deletes it
    editor1_->setObjectName("Editor1");
    activeEditor_ = editor1_;
    SetUpEditor(*editor1_);
    editor1_->Editor().SetBackupExt("BAK");
    // The viewer writes back exactly the bytes it loaded: trailing blanks stay.
    editor1_->Editor().SetTrimWhiteSpace(false);
    ApplyEditorOptions(*editor1_);
    oldClientHeight_ = height();
    SetCaption(name);
}

TMDIChild::~TMDIChild() {
    for (EditorWidget* editor : {editor1_, editor2_})
        if (editor) QObject::disconnect(editor, nullptr, this, nullptr);
}

void TMDIChild::SetCaption(const std::string& caption) {
    caption_ = caption;
    setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void TMDIChild::SetUpEditor(EditorWidget& editor) {
    editor.SetController(&main_.MainController());
    editor.SetMarkers(main_.Markers());
    editor.setFrameShape(QFrame::NoFrame);
    editor.SetHideSelection(false);
    editor.SetCaretShapes(CaretShape::Bar, CaretShape::Block);
    editor.Editor().SetWantTab(true);
    editor.SetRightMargin(kRightMargin);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    editor.setFont(font);
    connect(&editor, &EditorWidget::focusGained, this, [this, &editor] { EditorEnter(editor); });
    connect(&editor, &EditorWidget::statusChanged, this, [this, &editor] {
        if (&editor == activeEditor_) emit statusChanged();
    });
    connect(&editor, &EditorWidget::errorReported, this,
            [this](int code) { main_.ReportEditorError(code); });
}

void TMDIChild::ApplyEditorOptions(EditorWidget& editor) {
    // The font first: the columns that fit in the window depend on it.
    if (main_.Options().FontChosen) editor.setFont(main_.ChosenFont());
    viewer::ApplyEditorOptions(main_.Options(), editor.Editor(), editor.Editor().VisibleColumns());
    editor.Refresh();
}

void TMDIChild::ApplyOptions() {
    ApplyEditorOptions(*editor1_);
    if (editor2_) ApplyEditorOptions(*editor2_);
}

void TMDIChild::EditorEnter(EditorWidget& editor) {
    if (activeEditor_ == &editor) return;
    activeEditor_ = &editor;
    emit statusChanged();
}

void TMDIChild::SetSplit(bool on) {
    if (on == IsSplit()) return;
    if (on) {
        upperHeight_ = InitialUpperHeight(height());
        splitBar_ = new SplitBar(this);
        connect(splitBar_, &SplitBar::dropped, this, &TMDIChild::DropSplit);
        editor2_ = new EditorWidget(this);
        editor2_->setObjectName("Editor2");
        SetUpEditor(*editor2_);
        ApplyEditorOptions(*editor2_);
        editor2_->ShareTextWith(*editor1_);
        splitBar_->show();
        editor2_->show();
    } else {
        activeEditor_ = editor1_;
        delete editor2_;
        editor2_ = nullptr;
        delete splitBar_;
        splitBar_ = nullptr;
        editor1_->setFocus();
    }
    LayOut();
    emit statusChanged();
}

void TMDIChild::DropSplit(int pressY, int lineY) {
    upperHeight_ = DroppedUpperHeight(upperHeight_, pressY, lineY, height());
    LayOut();
}

void TMDIChild::LayOut() {
    if (!editor2_) {
        editor1_->setGeometry(rect());
        return;
    }
    upperHeight_ = FittedUpperHeight(upperHeight_, height());
    editor1_->setGeometry(0, 0, width(), upperHeight_);
    splitBar_->setGeometry(0, upperHeight_, width(), kSplitBarHeight);
    const int lowerTop = upperHeight_ + kSplitBarHeight;
    editor2_->setGeometry(0, lowerTop, width(), height() - lowerTop);
}

void TMDIChild::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (editor2_) upperHeight_ = ResizedUpperHeight(upperHeight_, height(), oldClientHeight_);
    LayOut();
    if (main_.Options().wrapToWindow)
        editor1_->Editor().SetWrapColumn(editor1_->Editor().VisibleColumns());
    oldClientHeight_ = height();
}

bool TMDIChild::CloseQuery() {
    if (!editor1_->Editor().Paragraphs().Modified()) return true;
    platform::MessageBox box;
    box.caption = QString::fromUtf8(kInformationCaption.data(), kInformationCaption.size());
    box.text = QString::fromUtf8(HasChangedText(caption_));
    box.icon = platform::BoxIcon::Information;
    box.buttons = platform::BoxButtons::YesNoCancel;
    box.parent = &main_;
    switch (main_.Boxes().Show(box)) {
    case platform::BoxAnswer::Yes:
        main_.BringToFront(*this);
        // Closed only once it is saved: a cancelled or failed save keeps the text.
        return main_.SaveDocument(*this);
    case platform::BoxAnswer::No: return true;
    default: return false;
    }
}

void TMDIChild::CloseAsked() {
    asked_ = true;
    if (QWidget* frame = parentWidget()) {
        frame->close();
    } else {
        close();
    }
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    if (!asked_ && !CloseQuery()) {
        event->ignore();
        return;
    }
    asked_ = true;
    event->accept();
    main_.ChildClosing(*this);
}

} // namespace mvf::viewer
