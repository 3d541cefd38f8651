// Conversions between numbers and text.
#include "window/text.h"

#include <cmath>
#include <limits>

namespace vop {

std::string digits(long long value) {
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    // Work on the negative side: it holds the most negative value whole.
    long long rest = value < 0 ? value : -value;
    do {
        *--p = static_cast<char>('0' - rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0) {
        *--p = '-';
    }
    return std::string(p, end);
}

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

std::string toUtf8(TextView text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace vop
