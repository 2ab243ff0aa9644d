// Untitled documents are named "NONAME" followed by a number from 1 to 255.
#pragma once

#include <bitset>
#include <string>
#include <string_view>

namespace mvf::viewer {

inline constexpr std::string_view kUntitledPrefix = "NONAME";
inline constexpr int kLastUntitledNumber = 255;

// The numbers in use by untitled documents (`NonameNumbers`).
class NonameNumbers {
public:
    // The lowest free number, marked as used from now on. When all 255 are in use: 1,
    // left unmarked.
    int Take();
    // Frees a number (a window closed, a document saved under a name); others are ignored.
    void Release(int number);
    bool InUse(int number) const;

private:
    std::bitset<kLastUntitledNumber + 1> used_;
};

std::string UntitledName(int number);
// A name counts as untitled when "NONAME" stands at its very start.
bool IsUntitled(std::string_view name);
// The number after "NONAME"; 0 when what follows is not a number from 1 to 255.
int UntitledNumber(std::string_view name);

} // namespace mvf::viewer
