// Corners of the core that ordinary play seldom reaches: the window closed behind "Win",
// clicks the platform never delivers, and text outside the game's own alphabet.
#include <gtest/gtest.h>

#include "core/game_fixture.h"
#include "support/invariant_checker.h"
#include "support/random_sources.h"

namespace vop {
namespace {

using test::slot;

// Plays a rigged game to its end; the "Win" box is where the window gets closed.
TEST(CoreEdges, ClicksThePlatformNeverDelivers) {
    ScriptedRandom random{test::valueFor(1), test::valueFor(2), test::valueFor(3),
                          test::valueFor(4), test::valueFor(5)};
    MemoryRuntime runtime(vopWindow(), random);
    frmVop game(runtime);
    runtime.start(game);
    InvariantChecker checker(game, runtime);
    checker.check();
    runtime.click({ctl::lblExist, 5});   // a label takes no click
    runtime.click({ctl::lblColor, 9});   // no such element
    runtime.click({ctl::btnCard, -1});   // nor this one
    runtime.setVisible(slot(2), false);  // a hidden button takes none either
    runtime.click(slot(2));
    runtime.setVisible(slot(2), true);
    checker.afterIgnored();
    EXPECT_EQ(game.playedCount(), 0);
    EXPECT_EQ(*runtime.focus(), ControlId{ctl::btnFocus});
}

TEST(CoreEdges, TextBeyondTheGamesAlphabet) {
    EXPECT_EQ(toUtf8(u"\u00E9"), "\xC3\xA9");              // two bytes
    EXPECT_EQ(toUtf8(u"\u679A"), "\xE6\x9E\x9A");          // three: the count's last character
    EXPECT_EQ(toUtf8(u"\U0001F0A1"), "\xF0\x9F\x82\xA1");  // a surrogate pair: four
    EXPECT_EQ(toUtf8(std::u16string(1, u'\xD83C')), "\xED\xA0\xBC");  // a lone half as is
    EXPECT_EQ(toUtf8(std::u16string(1, u'\xDC00')), "\xED\xB0\x80");  // a lone low half
    EXPECT_EQ(toUtf8(u"\uFF01"), "\xEF\xBC\x81");                     // past the halves
    // A high half followed by anything but a low half stands alone.
    EXPECT_EQ(toUtf8(std::u16string{u'\xD83C', u'A'}),
              "\xED\xA0\xBC"
              "A");
    EXPECT_EQ(toUtf8(std::u16string{u'\xD83C', u'\xE000'}), "\xED\xA0\xBC\xEE\x80\x80");
}

}  // namespace
}  // namespace vop
