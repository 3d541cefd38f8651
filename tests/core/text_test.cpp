// Number and text conversions of the runtime, and its checked 16-bit arithmetic.
#include <gtest/gtest.h>

#include <cfenv>
#include <limits>

#include "base/text.h"
#include "form/form_definition.h"

namespace vop {
namespace {

TEST(Conversions, DecimalAndSignedText) {
    EXPECT_EQ(decimalText(0), u"0");
    EXPECT_EQ(decimalText(52), u"52");
    EXPECT_EQ(decimalText(-7), u"-7");
    EXPECT_EQ(signedText(7), u" 7");
    EXPECT_EQ(signedText(0), u" 0");
    EXPECT_EQ(signedText(-1), u"-1");
    EXPECT_EQ(signedText(14), u" 14");
}

TEST(Conversions, AsciiDigitsForDiagnostics) {
    EXPECT_EQ(digits(0), "0");
    EXPECT_EQ(digits(-7), "-7");
    EXPECT_EQ(digits(1234567890), "1234567890");
    EXPECT_EQ(digits(std::numeric_limits<long long>::min()), "-9223372036854775808");
    EXPECT_EQ(digits(std::numeric_limits<long long>::max()), "9223372036854775807");
}

TEST(Conversions, TextToIntegerAcceptsNumbers) {
    EXPECT_EQ(textToInteger(u"1"), 1);
    EXPECT_EQ(textToInteger(u"52"), 52);
    EXPECT_EQ(textToInteger(u" 7 "), 7);
    EXPECT_EQ(textToInteger(u"-12"), -12);
    EXPECT_EQ(textToInteger(u"+3"), 3);
    EXPECT_EQ(textToInteger(u"2147483647"), std::numeric_limits<Int32>::max());
    EXPECT_EQ(textToInteger(u"-2147483648"), std::numeric_limits<Int32>::min());
}

TEST(ConversionsDeathTest, BadTextEndsTheProgramWithARuntimeError) {
    EXPECT_EXIT(textToInteger(u""), ::testing::ExitedWithCode(1),
                "run-time error 13: Type mismatch");
    EXPECT_EXIT(textToInteger(u"SA"), ::testing::ExitedWithCode(1), "Type mismatch");
    EXPECT_EXIT(textToInteger(u"1 2"), ::testing::ExitedWithCode(1), "Type mismatch");
    EXPECT_EXIT(textToInteger(u"-"), ::testing::ExitedWithCode(1), "Type mismatch");
    EXPECT_EXIT(textToInteger(u"2147483648"), ::testing::ExitedWithCode(1), "error 6: Overflow");
    EXPECT_EXIT(textToInteger(u"99999999999999999999"), ::testing::ExitedWithCode(1), "Overflow");
}

TEST(Conversions, RoundsHalfToEvenWhateverTheRoundingMode) {
    for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        EXPECT_EQ(roundToInteger(0.5), 0);
        EXPECT_EQ(roundToInteger(1.5), 2);
        EXPECT_EQ(roundToInteger(2.5), 2);
        EXPECT_EQ(roundToInteger(812.5), 812);
        EXPECT_EQ(roundToInteger(2437.5), 2438);
        EXPECT_EQ(roundToInteger(2.4999), 2);
        EXPECT_EQ(roundToInteger(2.5001), 3);
        EXPECT_EQ(roundToInteger(-2.5), -2);
        EXPECT_EQ(roundToInteger(-3.5), -4);
        EXPECT_EQ(roundToInteger(51999.9969), 52000);
    }
    std::fesetround(FE_TONEAREST);
}

TEST(ConversionsDeathTest, OutOfRangeValuesOverflow) {
    EXPECT_EXIT(roundToInteger(3e9), ::testing::ExitedWithCode(1), "Overflow");
    EXPECT_EXIT(roundToInteger(std::numeric_limits<double>::quiet_NaN()),
                ::testing::ExitedWithCode(1), "Overflow");
    EXPECT_EXIT(add16(32767, 1), ::testing::ExitedWithCode(1), "Overflow");
    EXPECT_EXIT(sub16(-32768, 1), ::testing::ExitedWithCode(1), "Overflow");
    EXPECT_EXIT(mul16(200, 200), ::testing::ExitedWithCode(1), "Overflow");
}

TEST(Conversions, CheckedArithmeticWithinRange) {
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_EQ(sub16(-32767, 1), -32768);
    EXPECT_EQ(mul16(3, 13), 39);
}

TEST(Conversions, Utf8OfTheCountCaptionCharacters) {
    EXPECT_EQ(toUtf8(u"Vop:\u73FE\u5728"), "Vop:\xE7\x8F\xBE\xE5\x9C\xA8");
    EXPECT_EQ(toUtf8(u"\U0001F0A1"), "\xF0\x9F\x82\xA1");
}

// Twips to pixels rounds to the nearest pixel, half away from zero, as Windows does.
TEST(Conversions, TwipsToPixelsRoundsToNearest) {
    EXPECT_EQ(twipsToPixels(50, 96), 3);     // 3.33
    EXPECT_EQ(twipsToPixels(50, 192), 7);    // 6.67
    EXPECT_EQ(twipsToPixels(945, 144), 95);  // 94.5
    EXPECT_EQ(twipsToPixels(945, 120), 79);  // 78.75
    EXPECT_EQ(twipsToPixels(-15, 96), -1);
}

}  // namespace
}  // namespace vop
