#pragma once
// Profile names are compared without regard to letter case, in every script:
// "Profile1" equals "PROFILE1", "ÄBC" equals "äbc", "ΣΟΦΙΑ" equals "σοφια".
// Names are UTF-8; the comparison needs no locale.
#include <string_view>

namespace r88 {

// Unicode simple case folding (one code point to one code point, as
// CaseFolding.txt's C and S entries): the folded form of c, or c itself.
char32_t FoldCase(char32_t c);

// True when the two UTF-8 texts are equal once every character is case
// folded. A byte that is not part of valid UTF-8 equals only the same byte.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace r88
