// Fuzz target: the results file. Whatever a file holds, loading it ends cleanly; a list
// that loaded saves, and what was saved loads back as the same rows. A list made of any
// paths and texts saves so that every row loads back as the same file, or the save is
// refused (only for a row that names no file) and the old file is kept.
//
// Input: one byte of settings, then
//   bit 0 clear: the bytes of a results file;
//   bit 0 set: rows parted by zero bytes, each "path\x01created\x01modified", the row's
//   size and type taken from its position.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "finder/results/results_file.h"
#include "fuzz_support.h"

namespace {

using namespace mvf::results;
using mvf::fuzz::Fail;

constexpr std::size_t kMaxRows = 64;

const mvf::fuzz::ScratchFolder& Scratch() {
    static const mvf::fuzz::ScratchFolder folder;
    return folder;
}

std::string_view TrimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// What a row must keep through a save and a load: its file, type, size and texts (the
// creation text gains leading spaces at every load, as it always did).
using Kept = std::tuple<std::string, int, std::string, std::string, std::string>;

std::multiset<Kept> KeptRows(const ResultsList& list) {
    std::multiset<Kept> rows;
    for (const ResultEntry& row : list.entries()) {
        // A folder written "a//b" names the same files as "a/b".
        std::string path = FullPath(row);
        for (std::size_t at; (at = path.find("//")) != std::string::npos;) path.erase(at, 1);
        rows.emplace(path, row.type(), std::string(row.size()),
                     std::string(TrimSpaces(row.created())), std::string(row.modified()));
    }
    return rows;
}

std::string Quoted(const std::string& s) {
    std::string out;
    for (const char c : s) {
        if (static_cast<unsigned char>(c) < ' ' || static_cast<unsigned char>(c) > '~') {
            static const char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[static_cast<unsigned char>(c) >> 4];
            out += hex[c & 15];
        } else {
            out += c;
        }
    }
    return out;
}

void CheckRoundTrip(const ResultsList& list, const std::string& path) {
    const FileResult saved = SaveResults(list, path, "");
    if (saved.status != FileStatus::Done) Fail("a loaded list did not save: " + saved.message.text);
    ResultsList loaded;
    const FileResult back = LoadList(loaded, path, "");
    if (back.status != FileStatus::Done)
        Fail("a saved list did not load: " + Quoted(back.message.text));
    if (KeptRows(loaded) != KeptRows(list)) Fail("rows changed through a save and a load");
    if (loaded.SearchSummary() != list.SearchSummary()) Fail("the summary changed");
}

void FromFile(std::string_view bytes) {
    const std::string path = Scratch().Path("in.ser");
    mvf::fuzz::WriteFile(path, bytes);
    ResultsList list;
    list.AddItem("/before/load", "c", "m", 1, {.IsDos = true});
    const FileResult result = LoadList(list, path, "");
    if (result.status == FileStatus::Skipped) Fail("an existing file was skipped");
    if (result.status == FileStatus::Failed) {
        if (list.size() != 1 || list[0].name() != "load") Fail("a failed load changed the list");
        return;
    }
    if (!list.AutoSort()) Fail("automatic sorting is off after a load");
    if (!list.empty()) CheckRoundTrip(list, Scratch().Path("again.ser"));
}

void FromRows(std::string_view bytes) {
    ResultsList list;
    bool namesNoFile = false;
    const std::vector<std::string_view> rows = mvf::fuzz::SplitAtZeros(bytes.data(), bytes.size());
    for (std::size_t i = 0; i < rows.size() && i < kMaxRows; ++i) {
        std::string_view fields[3];
        std::string_view rest = rows[i];
        for (int f = 0; f < 3; ++f) {
            const std::size_t cut = f < 2 ? rest.find('\x01') : std::string_view::npos;
            fields[f] = rest.substr(0, cut);
            rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
        }
        const int kind = static_cast<int>(i % 5);
        // The time texts are shown, not files: a TAB or a line end in them is shown as "?",
        // and a blank at the end of the last column is not kept.
        std::string times[2] = {std::string(fields[1]), std::string(fields[2])};
        for (std::string& t : times)
            for (char& c : t)
                if (c == '\t' || c == '\r' || c == '\n') c = '?';
        while (!times[1].empty() && times[1].back() == ' ') times[1].pop_back();
        list.AddItem(
            fields[0], times[0], times[1], static_cast<std::int64_t>(i) * 977,
            {.IsUnix = kind == 0, .IsDos = kind == 1, .IsMac = kind == 2, .IsBinary = kind == 3});
        namesNoFile = namesNoFile || fields[0].empty() || fields[0].back() == '/';
    }
    const std::string path = Scratch().Path("rows.ser");
    mvf::fuzz::WriteFile(path, "old");
    const FileResult saved = SaveResults(list, path, "");
    if (namesNoFile) {
        if (saved.status != FileStatus::Failed) Fail("a row that names no file was saved");
        if (mvf::fuzz::ReadFile(path) != "old") Fail("a refused save changed the old file");
        return;
    }
    if (saved.status != FileStatus::Done)
        Fail("a list of files did not save: " + saved.message.text);
    ResultsList loaded;
    const FileResult back = LoadList(loaded, path, "");
    if (back.status != FileStatus::Done)
        Fail("a saved list did not load: " + Quoted(back.message.text));
    if (KeptRows(loaded) != KeptRows(list)) Fail("rows changed through a save and a load");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1)
        FromRows(rest);
    else
        FromFile(rest);
    return 0;
}
