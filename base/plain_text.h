// Conversions that cannot fail: a number's ASCII digits, and UTF-16 text as UTF-8. A
// run-time error's report is made from these, so they stand below it and raise nothing.
#pragma once

#include <string>
#include <string_view>

namespace vop {

// The digits as plain ASCII, for diagnostics. Written out by hand so that the Windows
// program does not carry a printf engine for the sake of a number.
std::string digits(long long value);

// UTF-8 for diagnostics and for toolkits that take it.
std::string toUtf8(std::u16string_view text);

}  // namespace vop
