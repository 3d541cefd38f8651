// The caption and "Win" in whatever code page Windows runs, and the language the game
// speaks there: the run may name the code page it set up (VOP_ACP), and then it must be
// the one in force.
#include <cstdlib>
#include <string>

#include "window_fixture.h"

namespace vop::test {
namespace {

class LocaleTest : public Win32WindowTest {};

TEST_F(LocaleTest, TheCountCaptionIsJapaneseTextInThisCodePage) {
    const char* asked = std::getenv("VOP_ACP");
    if (asked != nullptr) {
        ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(asked))) << "the run's locale did not take";
    }
    startWith({20, 15, 7, 48, 39});
    const Text title = textOf(main);
    EXPECT_EQ(title, u"Vop:\u73FE\u57280\u679A");
    // In the system's own code page the caption converts without a lost character;
    // in code page 932 it is the Shift-JIS of the three Japanese characters.
    BOOL lost = FALSE;
    char bytes[64] = {};
    const int length = WideCharToMultiByte(
        CP_ACP, 0, reinterpret_cast<const wchar_t*>(title.c_str()), static_cast<int>(title.size()),
        bytes, sizeof(bytes), nullptr, GetACP() == CP_UTF8 ? nullptr : &lost);
    if (GetACP() == 932) {
        EXPECT_FALSE(lost);
        EXPECT_EQ(std::string(bytes, static_cast<std::size_t>(length)),
                  "Vop:\x8C\xBB\x8D\xDD"
                  "0\x96\x87");
        // Japanese Windows speaks Japanese to its player: the cards are said in Japanese,
        // which the scenarios' "ja" lines check.
        EXPECT_EQ(runtime.language(), u"ja");
    }
}

}  // namespace
}  // namespace vop::test
