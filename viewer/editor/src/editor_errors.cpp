#include "viewer/editor/editor_errors.h"

namespace mvf::editor {

std::string_view EditorErrorText(int code) {
    switch (code) {
    case kErrOutOfMemory: return "insufficient memory for requested operation";
    case kErrRegionTooLarge: return "Region is too large (> 64K)";
    case kErrTooManyParagraphs:
        return "Current operation will exceed the maximum number of allowed paragraphs";
    case kErrCannotJoin:
        return "Cannot join paragraphs. New paragraph size exceeds maximum paragraph size";
    case kErrTextTooLarge: return "Current operation will exceed the maximum editor text size";
    case kErrParagraphTooLong: return "Current operation will exceed the maximum paragraph size";
    default: return "Unknown Error condition";
    }
}

EEditorError::EEditorError(int code)
    : std::runtime_error(std::string(EditorErrorText(code))), code_(code) {}

} // namespace mvf::editor
