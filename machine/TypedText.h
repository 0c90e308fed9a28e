#pragma once

#include <string>
#include <string_view>

namespace sorimu {

// Japanese users type with the input method on, which gives "８０００" for
// 8000, "？" for ? and "－" for a minus. Every parser of typed text (numbers,
// seeds, weights, settings) reads it through this one function: the
// full-width forms of ASCII (U+FF01..U+FF5E) and the ideographic space become
// their ASCII forms, the minus sign U+2212 becomes '-', and everything else
// is kept byte for byte. It lives beside the setting, the lowest layer that
// parses typed text.
std::string HalfWidth(std::string_view text);

}  // namespace sorimu
