// A caption as the button shows it: "&" is itself, no shortcut. How captions wrap is the
// conformance scenarios' to read, from the pixels of every window.
#include "qt/caption_layout.h"
#include "qt_fixture.h"

namespace vop::test {
namespace {

class Captions : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('S', 12), card('D', 10), card('C', 13), card('H', 2)});
    }
};

TEST_F(Captions, AnAmpersandIsShownAndMakesNoShortcut) {
    EXPECT_EQ(fitCaption("A&B", button(kFocus)->font(), QSize(200, 50)).lines, QStringList{"A&B"});
    runtime.setCaption(kFocus, u"A&B");
    EXPECT_EQ(runtime.button(kFocus)->caption(), "A&B");
    EXPECT_TRUE(button(kFocus)->text().isEmpty());  // Qt's text, which makes Alt+B a mnemonic
}

}  // namespace
}  // namespace vop::test
