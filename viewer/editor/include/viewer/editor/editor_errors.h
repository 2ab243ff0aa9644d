// The editor's error codes and the exceptions of the document model.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace mvf::editor {

// Buffer faults, reported through the editor's OnError event (or raised as EEditorError).
inline constexpr int kErrOutOfMemory = 263;
inline constexpr int kErrRegionTooLarge = 264;
inline constexpr int kErrTooManyParagraphs = 265;
inline constexpr int kErrCannotJoin = 266;
inline constexpr int kErrTextTooLarge = 267;
inline constexpr int kErrParagraphTooLong = 268;

// The text shown for a code; every unknown code has one common text.
std::string_view EditorErrorText(int code);

class EEditorError : public std::runtime_error {
public:
    explicit EEditorError(int code);
    int Code() const { return code_; }

private:
    int code_;
};

// A positioning call was given a line or paragraph number outside the text.
class EInvalidLineOrPara : public std::out_of_range {
public:
    EInvalidLineOrPara() : std::out_of_range("Invalid line or paragraph index") {}
};

// A positioning call was given a line or column outside the text.
class EInvalidLineOrCol : public std::out_of_range {
public:
    EInvalidLineOrCol() : std::out_of_range("Invalid line or column") {}
};

// A file could not be read or written: the run-time I/O error code and its text.
class EInOutError : public std::runtime_error {
public:
    EInOutError(int code, const std::string& text) : std::runtime_error(text), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

} // namespace mvf::editor
