#include "row_line.h"

#include <algorithm>

#include "path_split.h"
#include "text_util.h"

namespace mvf::results::detail {
namespace {

constexpr std::size_t kTypeWidth = 8;
constexpr std::size_t kFields = 6;

// Appends `text` with each TAB, CR and LF written as "?" (with `keepTabs`, CR and LF only):
// a column has no way to hold a TAB, nor a line a line end.
void AppendClean(std::string& out, std::string_view text, bool keepTabs = false) {
    const std::size_t from = out.size();
    out.append(text);
    for (auto it = out.begin() + static_cast<std::ptrdiff_t>(from); it != out.end(); ++it)
        if ((*it == '\t' && !keepTabs) || *it == '\r' || *it == '\n') *it = '?';
}

void PadRight(std::string& out, std::string_view text, std::size_t width) {
    AppendClean(out, text);
    if (text.size() < width) out.append(width - text.size(), ' ');
}

void PadLeft(std::string& out, std::string_view text, std::size_t width) {
    if (text.size() < width) out.append(width - text.size(), ' ');
    AppendClean(out, text);
}

void Centre(std::string& out, std::string_view text, std::size_t width) {
    const std::size_t room = width > text.size() ? width - text.size() : 0;
    out.append(room / 2, ' ');
    AppendClean(out, text);
    out.append(room - room / 2, ' ');
}

std::string_view TrimControlRight(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

constexpr char kHex[] = "0123456789abcdef";

void AppendQuoted(std::string& out, std::string_view path) {
    out.push_back('"');
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out.append("\\\\"); break;
        case '"': out.append("\\\""); break;
        case '\t': out.append("\\t"); break;
        case '\r': out.append("\\r"); break;
        case '\n': out.append("\\n"); break;
        default:
            if (byte < ' ' || byte == 0x7f) {
                out.append("\\x").push_back(kHex[byte >> 4]);
                out.push_back(kHex[byte & 15]);
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
}

int HexValue(char c) {
    const char* at = std::find(kHex, kHex + 16, c >= 'A' && c <= 'F' ? c + 32 : c);
    return at == kHex + 16 ? -1 : static_cast<int>(at - kHex);
}

// The path of a seventh field written by AppendQuoted; nothing when it is not one.
std::optional<std::string> ReadQuoted(std::string_view field) {
    field = TrimSpacesRight(field);
    if (field.size() < 2 || field.front() != '"' || field.back() != '"') return std::nullopt;
    field = field.substr(1, field.size() - 2);
    std::string path;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '"') return std::nullopt;
        if (field[i] != '\\') {
            path.push_back(field[i]);
            continue;
        }
        if (++i == field.size()) return std::nullopt;
        switch (field[i]) {
        case '\\': path.push_back('\\'); break;
        case '"': path.push_back('"'); break;
        case 't': path.push_back('\t'); break;
        case 'r': path.push_back('\r'); break;
        case 'n': path.push_back('\n'); break;
        case 'x': {
            const int high = i + 1 < field.size() ? HexValue(field[i + 1]) : -1;
            const int low = i + 2 < field.size() ? HexValue(field[i + 2]) : -1;
            if (high < 0 || low < 0 || (high == 0 && low == 0)) return std::nullopt;
            path.push_back(static_cast<char>(high * 16 + low));
            i += 2;
            break;
        }
        default: return std::nullopt;
        }
    }
    return path;
}

// The full path a row added with `path` has: AddItem splits it at its last "/".
std::string RowPath(std::string_view path) {
    const PathParts parts = SplitPath(path);
    return FullPath(parts.folder, parts.name);
}

// A path names a file when its last part is not empty and no byte of it is zero (which
// no path on this system holds).
bool NamesAFile(std::string_view path) {
    return !SplitPath(path).name.empty() && path.find('\0') == std::string_view::npos;
}

} // namespace

std::vector<std::string_view> Words(std::string_view line, std::string_view separators) {
    std::vector<std::string_view> words;
    for (std::size_t pos = line.find_first_not_of(separators); pos != std::string_view::npos;
         pos = line.find_first_not_of(separators, pos)) {
        const std::size_t end = std::min(line.find_first_of(separators, pos), line.size());
        words.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

Widths Measure(std::span<const ResultEntry> rows) {
    Widths w;
    for (const ResultEntry& row : rows) {
        w.name = std::max(w.name, row.name().size());
        w.path = std::max(w.path, row.path().size());
        w.size = std::max(w.size, row.size().size());
        w.created = std::max(w.created, TrimSpaces(row.created()).size());
        w.modified = std::max(w.modified, row.modified().size());
    }
    return w;
}

void AppendColumnTitles(std::string& out, const Widths& w) {
    PadRight(out, "File Name", w.name);
    out.push_back('\t');
    PadRight(out, "Type", kTypeWidth);
    out.push_back('\t');
    PadRight(out, "Path", w.path);
    out.push_back('\t');
    PadLeft(out, "Size", w.size);
    out.append("\t  ");
    Centre(out, "Creation Date", w.created);
    out.push_back('\t');
    Centre(out, "Last Modified Date", w.modified);
}

std::optional<std::string> AppendRow(std::string& out, const ResultEntry& row, const Widths& w) {
    const std::string fullPath = FullPath(row);
    if (!NamesAFile(fullPath))
        return "The row of " + fullPath + " names no file and cannot be saved.";
    const std::string path = RowPath(fullPath); // "//" and the like name the same file
    const std::size_t start = out.size();
    PadRight(out, row.name(), w.name);
    out.push_back('\t');
    PadRight(out, TypeText(row.type()), kTypeWidth);
    out.push_back('\t');
    // An empty folder (a path without "/", which FullPath reads from the root) would
    // leave two TABs in a row, which read as one: a blank keeps its column.
    PadRight(out, row.path().empty() ? std::string_view(" ") : row.path(), w.path);
    out.push_back('\t');
    PadLeft(out, row.size(), w.size);
    out.append("\t    ");
    PadRight(out, TrimSpaces(row.created()), w.created);
    out.push_back('\t');
    // An empty last column would leave the line one field short; a blank reads back empty.
    if (row.modified().empty()) out.push_back(' ');
    AppendClean(out, row.modified());
    // What the loader makes of the columns decides whether the exact path is needed.
    const auto plain = ReadRow(std::string_view(out).substr(start));
    const auto* fields = std::get_if<RowFields>(&plain);
    if (fields && RowPath(fields->path) == path) return std::nullopt;
    out.push_back('\t');
    AppendQuoted(out, path);
    const auto exact = ReadRow(std::string_view(out).substr(start));
    fields = std::get_if<RowFields>(&exact);
    if (fields && RowPath(fields->path) == path) return std::nullopt;
    out.resize(start);
    return "The row of " + fullPath + " cannot be saved.";
}

std::variant<RowFields, std::string> ReadRow(std::string_view line) {
    // Fields part at TABs; runs of TABs count as one, and leading TABs are skipped.
    const std::vector<std::string_view> field = Words(line, "\t");
    if (field.size() < kFields) return "has fewer than six fields.";
    const auto size = ReadWholeNumber(TrimSpaces(field[3]));
    if (!size || *size < 0) return "has a size that is no whole number.";
    RowFields row;
    // A seventh field in double quotes is the exact path; anything else there (no version
    // wrote any) is passed over as it always was.
    if (field.size() > kFields && field[kFields].front() == '"') {
        std::optional<std::string> exact = ReadQuoted(field[kFields]);
        if (!exact) return "has a full path that cannot be read.";
        row.path = std::move(*exact);
    } else {
        row.path = FullPath(TrimSpacesRight(field[2]), TrimControlRight(field[0]));
    }
    if (!NamesAFile(row.path)) return "names no file.";
    row.type = TrimSpacesRight(field[1]);
    row.size = *size;
    row.created = TrimSpaces(field[4]);
    row.modified = TrimSpacesRight(field[5]);
    return row;
}

} // namespace mvf::results::detail
