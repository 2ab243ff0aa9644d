#include "viewer/qt_clipboard.h"

#include <QGuiApplication>
#include <QMimeData>

namespace mvf::viewer {
namespace {

QClipboard* Desktop() {
    return QGuiApplication::clipboard();
}

} // namespace

bool QtEditorClipboard::HasText() const {
    const QMimeData* data = Desktop() ? Desktop()->mimeData(mode_) : nullptr;
    return data && (data->hasFormat(kEditorBytesFormat) || data->hasText());
}

std::string QtEditorClipboard::Text() const {
    const QMimeData* data = Desktop() ? Desktop()->mimeData(mode_) : nullptr;
    if (!data) return {};
    if (data->hasFormat(kEditorBytesFormat)) {
        const QByteArray bytes = data->data(kEditorBytesFormat);
        return {bytes.constData(), static_cast<size_t>(bytes.size())};
    }
    const QByteArray utf8 = data->text().toUtf8();
    return {utf8.constData(), static_cast<size_t>(utf8.size())};
}

bool QtEditorClipboard::SetText(std::string_view text) {
    QClipboard* clipboard = Desktop();
    if (!clipboard) return false;
    const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8(bytes));
    data->setData(kEditorBytesFormat, bytes.toByteArray());
    clipboard->setMimeData(data, mode_); // the clipboard owns it now
    return true;
}

} // namespace mvf::viewer
