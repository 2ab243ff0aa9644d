// Fuzz target: the viewer's text files. Loading any bytes either fills the list or throws
// one of the editor's own errors and leaves the list empty; nothing of a line is lost
// (the paragraphs hold every byte but the line ends, and the old end-of-file mark when it
// is the very last byte); no paragraph passes the length limit; and a loaded text saves
// and loads back as the same paragraphs.
//
// Input: one byte of settings (bit 0 trims trailing blanks; bits 1-2 choose the paragraph
// length limit; bit 3 sets small paragraph and byte limits; bits 4-5 the wrap width), then
// the bytes of the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "viewer/editor/editor_errors.h"
#include "viewer/editor/para_list.h"
#include "viewer/editor/text_file.h"

namespace {

using namespace mvf::editor;
using mvf::fuzz::Fail;

const mvf::fuzz::ScratchFolder& Scratch() {
    static const mvf::fuzz::ScratchFolder folder;
    return folder;
}

std::vector<std::string> Paragraphs(TParaList& list) {
    std::vector<std::string> out;
    for (int32_t p = 1; p <= list.ParaCount(); ++p) out.emplace_back(list.ParaText(p));
    return out;
}

// The file's bytes without its line ends, and without a Ctrl+Z that is the last byte.
std::string TextWithoutLineEnds(std::string_view bytes) {
    if (!bytes.empty() && bytes.back() == '\x1a') bytes.remove_suffix(1);
    std::string text;
    for (const char c : bytes)
        if (c != '\r' && c != '\n') text += c;
    return text;
}

void Configure(TParaList& list, uint8_t settings) {
    static const int32_t kLengthLimits[] = {kMaxParaLength, 40, 7, 1};
    static const int32_t kWidths[] = {0, 1, 9, 80};
    list.SetParaLengthLimit(kLengthLimits[(settings >> 1) & 3]);
    if (settings & 8) {
        list.SetParaLimit(20);
        list.SetByteLimit(300);
    }
    const int32_t width = kWidths[(settings >> 4) & 3];
    list.SetWrapping(width > 0, width > 0 ? width : 80, 4);
}

// Loads the file; false when it was refused with one of the editor's errors.
bool Load(const std::string& path, TParaList& list, bool trim) {
    try {
        LoadTextFile(path, list, trim);
        return true;
    } catch (const EEditorError&) {
    } catch (const EInOutError&) {
    } catch (const std::exception& e) {
        Fail(std::string("loading threw ") + e.what());
    }
    if (list.ParaCount() != 1 || list.ParaLength(1) != 0) Fail("a refused load left text");
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const uint8_t settings = data[0];
    const bool trim = settings & 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string path = Scratch().Path("text");
    mvf::fuzz::WriteFile(path, bytes);

    TParaList list;
    Configure(list, settings);
    if (!Load(path, list, trim)) return 0;
    const std::vector<std::string> loaded = Paragraphs(list);
    std::string all;
    for (const std::string& p : loaded) {
        if (static_cast<int32_t>(p.size()) > list.ParaLengthLimit())
            Fail("a paragraph passes the length limit");
        all += p;
    }
    if (list.Modified()) Fail("a loaded text is marked modified");
    const std::string& lineEnd = list.LineEnd();
    if (lineEnd != "\n" && lineEnd != "\r" && lineEnd != "\r\n") Fail("a strange line end");
    if (trim) return 0; // trimming drops blanks on purpose
    if (all != TextWithoutLineEnds(bytes)) Fail("loading lost or changed bytes");

    const std::string saved = Scratch().Path("saved");
    SaveTextFile(saved, list, "");
    TParaList again;
    Configure(again, settings);
    if (!Load(saved, again, false)) Fail("a saved text did not load");
    if (Paragraphs(again) != loaded) Fail("a saved text loads as other paragraphs");
    if (again.LineEnd() != lineEnd) Fail("the line end changed through a save");
    return 0;
}
