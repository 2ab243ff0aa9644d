#include "finder/search/search_criteria.h"

namespace mvf::search {

SearchFlags& ProcessSearchFlags() {
    static SearchFlags flags;
    return flags;
}

} // namespace mvf::search
