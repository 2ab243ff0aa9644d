// Folder paths as the search holds them.
#pragma once

#include <string>
#include <string_view>

namespace mvf::search {

// The folder a user typed, made absolute against `base` (the directory that was current
// when the entries were checked), with empty and "." segments and a trailing "/"
// removed; ".." stays, since through a symbolic link it need not mean the lexical parent.
// Each folder of a list is thus found where the user meant it, whatever folder the
// checks left current. An empty text stays empty.
std::string ResolveFolder(std::string_view base, std::string_view folder);

// The folder followed by "/", unless it already ends in one (the root "/").
std::string WithSeparator(std::string_view folder);

} // namespace mvf::search
