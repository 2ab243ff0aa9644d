// One found file as one row of the results list. Every field is a text, exactly as shown
// and saved; the type is the row's image index. The list keeps no number or date beside
// the texts: sorting and the results file work from these texts alone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace mvf::results {

// How a file's lines end, as the search classified it. The value is the row's image index.
enum class ResultType : int { DOS = 0, MAC = 1, UNIX = 2, BINARY = 3 };

// The image index of a row added with no type flag: no image. The search always sets one
// flag, so only a hand-edited results file gives such a row; it is saved with an empty type.
inline constexpr int kNoTypeImage = -1;

// "DOS", "MAC", "UNIX" or "BINARY" for image indexes 0-3; empty for any other index.
std::string_view TypeText(int type);

class ResultEntry {
public:
    ResultEntry() : ResultEntry({}, kNoTypeImage, {}, {}, {}, {}) {}
    // The texts are kept as given. Throws std::length_error past 4 GiB of text in all.
    ResultEntry(std::string_view name, int type, std::string_view path, std::string_view size,
                std::string_view created, std::string_view modified);
    ResultEntry(const ResultEntry& other);
    ResultEntry& operator=(const ResultEntry& other);
    // A row moved from may only be assigned to or destroyed.
    ResultEntry(ResultEntry&&) noexcept = default;
    ResultEntry& operator=(ResultEntry&&) noexcept = default;

    // The file's name without its folder (the row's caption).
    std::string_view name() const { return Text(0); }
    // ResultType as an int, or kNoTypeImage.
    int type() const { return type_; }
    // The folder without a trailing "/", except the root "/" (column text 0).
    std::string_view path() const { return Text(1); }
    // The size in bytes as plain decimal text (column text 1).
    std::string_view size() const { return Text(2); }
    // Leading spaces, then the creation time text or "(unknown)" (column text 2).
    std::string_view created() const { return Text(3); }
    // The last-write time text or "(unknown)" (column text 3).
    std::string_view modified() const { return Text(4); }

    // The text shown in report column 0-4: name, path, size, created, modified. The view's
    // data() is followed by a NUL, so it can go straight to the C library's string calls.
    std::string_view ColumnText(int column) const { return Text(column); }

    friend bool operator==(const ResultEntry& a, const ResultEntry& b);

private:
    static constexpr int kTexts = 5;
    std::string_view Text(int i) const {
        const std::uint32_t begin = i == 0 ? 0 : end_[i - 1] + 1;
        return {texts_.get() + begin, end_[i] - begin};
    }

    // The five texts back to back, each ended by a NUL, in one allocation: a row takes 32
    // bytes besides its texts, so a million rows stay well inside the memory the list may use.
    std::unique_ptr<char[]> texts_;
    std::uint32_t end_[kTexts] = {}; // where each text's NUL is
    int type_ = kNoTypeImage;
};

// The file's full path: its folder, "/" (unless the folder is the root, which has it), then
// its name. The file actions open, delete and trash this path.
std::string FullPath(std::string_view folder, std::string_view name);
inline std::string FullPath(const ResultEntry& entry) {
    return FullPath(entry.path(), entry.name());
}

} // namespace mvf::results
