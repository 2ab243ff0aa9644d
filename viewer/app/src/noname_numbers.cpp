#include "viewer/app/noname_numbers.h"

#include <charconv>

namespace mvf::viewer {

int NonameNumbers::Take() {
    for (int n = 1; n <= kLastUntitledNumber; ++n) {
        if (!used_[n]) {
            used_[n] = true;
            return n;
        }
    }
    return 1;
}

void NonameNumbers::Release(int number) {
    if (number >= 1 && number <= kLastUntitledNumber) used_[number] = false;
}

bool NonameNumbers::InUse(int number) const {
    return number >= 1 && number <= kLastUntitledNumber && used_[number];
}

std::string UntitledName(int number) {
    return std::string(kUntitledPrefix) + std::to_string(number);
}

bool IsUntitled(std::string_view name) {
    return name.substr(0, kUntitledPrefix.size()) == kUntitledPrefix;
}

int UntitledNumber(std::string_view name) {
    if (!IsUntitled(name)) return 0;
    const std::string_view digits = name.substr(kUntitledPrefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return 0;
    return number >= 1 && number <= kLastUntitledNumber ? number : 0;
}

} // namespace mvf::viewer
