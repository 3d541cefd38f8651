// Conversions between numbers and text.
#include "base/text.h"

#include <cmath>
#include <limits>

#include "base/runtime_error.h"

namespace vop {

Text decimalText(Int32 value) {
    const std::string ascii = digits(value);
    return Text(ascii.begin(), ascii.end());
}

Text signedText(Int32 value) {
    Text text = decimalText(value);
    if (value >= 0) {
        text.insert(text.begin(), u' ');
    }
    return text;
}

Int32 textToInteger(TextView text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == u' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    const std::size_t firstDigit = pos;
    long long magnitude = 0;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        magnitude = magnitude * 10 + (text[pos] - u'0');
        if (magnitude > 2147483648LL) {
            raiseRuntimeError(RuntimeError::Overflow, "text to integer");
        }
        ++pos;
    }
    const bool hadDigits = pos > firstDigit;
    while (pos < text.size() && text[pos] == u' ') {
        ++pos;
    }
    if (!hadDigits || pos != text.size()) {
        raiseRuntimeError(RuntimeError::TypeMismatch, "\"" + toUtf8(text) + "\" is not a number");
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<Int32>::max()) {
        raiseRuntimeError(RuntimeError::Overflow, "text to integer");
    }
    return static_cast<Int32>(value);
}

Int32 roundToInteger(double value) {
    if (!(value > -2147483648.5 && value < 2147483647.5)) {
        raiseRuntimeError(RuntimeError::Overflow, "number to integer");
    }
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    return static_cast<Int32>(whole);
}

}  // namespace vop
