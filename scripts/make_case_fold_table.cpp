// Prints the rows of kFoldRanges in profile/text_case.cpp: Unicode simple
// case folding (CaseFolding.txt, status C and S) as runs of code points that
// share one offset, every code point (stride 1) or every second one (stride 2).
// The table is committed; run this again only for a newer Unicode version:
//
//     g++ -std=c++20 scripts/make_case_fold_table.cpp $(pkg-config --cflags --libs icu-uc) -o /tmp/fold
//     /tmp/fold
#include <unicode/uchar.h>

#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

int main() {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> map;
    for (UChar32 c = 0; c <= 0x10FFFF; ++c) {
        const UChar32 folded = u_foldCase(c, U_FOLD_CASE_DEFAULT);
        if (folded != c) map.emplace_back(static_cast<std::uint32_t>(c), static_cast<std::uint32_t>(folded));
    }
    std::printf("// Unicode %s: %zu code points\n", U_UNICODE_VERSION, map.size());
    for (std::size_t i = 0; i < map.size();) {
        const auto delta = static_cast<std::int32_t>(map[i].second - map[i].first);
        std::size_t run = 1;
        std::uint32_t stride = 1;
        for (const std::uint32_t s : {1u, 2u}) {
            std::size_t j = i + 1;
            while (j < map.size() && map[j].first == map[j - 1].first + s &&
                   static_cast<std::int32_t>(map[j].second - map[j].first) == delta)
                ++j;
            if (j - i > run) {
                run = j - i;
                stride = s;
            }
        }
        std::printf("    {0x%04X, 0x%04X, %d, %u},\n", map[i].first, map[i + run - 1].first, delta, stride);
        i += run;
    }
}
