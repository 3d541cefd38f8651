// Signed 16-bit arithmetic that ends the program on overflow, as the form runtime does.
#pragma once

#include <cstdint>
#include <limits>

#include "base/runtime_error.h"

namespace vop {

using Int16 = std::int16_t;
using Int32 = std::int32_t;

inline Int16 toInt16(long long value) {
    if (value < std::numeric_limits<Int16>::min() || value > std::numeric_limits<Int16>::max()) {
        raiseRuntimeError(RuntimeError::Overflow, "16-bit integer");
    }
    return static_cast<Int16>(value);
}

inline Int16 add16(Int16 a, Int16 b) {
    return toInt16(static_cast<long long>(a) + b);
}
inline Int16 sub16(Int16 a, Int16 b) {
    return toInt16(static_cast<long long>(a) - b);
}
inline Int16 mul16(Int16 a, Int16 b) {
    return toInt16(static_cast<long long>(a) * b);
}

}  // namespace vop
