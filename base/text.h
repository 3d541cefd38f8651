// Text as the form runtime holds it (UTF-16) and its conversions to and from numbers.
#pragma once

#include <string>
#include <string_view>

#include "base/checked_int.h"
#include "base/plain_text.h"

namespace vop {

using Text = std::u16string;
using TextView = std::u16string_view;

// Decimal digits, a minus sign for negative values, no leading space: 47 -> "47".
Text decimalText(Int32 value);

// The signed form: a leading space for zero and positive values, a minus sign
// for negative ones: 7 -> " 7", -1 -> "-1".
Text signedText(Int32 value);

// Reads a whole 32-bit integer: optional surrounding spaces, an optional sign,
// decimal digits. Anything else is a type mismatch; a value out of range an overflow.
Int32 textToInteger(TextView text);

// Rounds to the nearest 32-bit integer, ties to the even one (2.5 -> 2, 3.5 -> 4),
// whatever the processor's rounding mode. Out of range or not a number is an overflow.
Int32 roundToInteger(double value);

}  // namespace vop
