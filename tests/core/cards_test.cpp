// Card names, the card table and its order.
#include <set>

#include "core/game_fixture.h"

namespace vop {
namespace {

clsCard make(Int16 color, Int16 number) {
    clsCard c;
    c.color = color;
    c.Number = number;
    return c;
}

TEST(CardNames, NamesFromSuitAndRank) {
    EXPECT_EQ(setCap(make(0, 1)), u"SA");
    EXPECT_EQ(setCap(make(1, 7)), u"H 7");
    EXPECT_EQ(setCap(make(2, 10)), u"DT");
    EXPECT_EQ(setCap(make(3, 11)), u"CJ");
    EXPECT_EQ(setCap(make(0, 12)), u"SQ");
    EXPECT_EQ(setCap(make(3, 13)), u"CK");
    EXPECT_EQ(setCap(make(2, 2)), u"D 2");
    EXPECT_EQ(setCap(make(1, 9)), u"H 9");
}

TEST(CardNames, OutOfRangeFieldsAreNamedAsTheyStand) {
    EXPECT_EQ(setCap(make(4, 1)), u"A");
    EXPECT_EQ(setCap(make(-1, 7)), u" 7");
    EXPECT_EQ(setCap(make(0, 0)), u"S 0");
    EXPECT_EQ(setCap(make(0, 14)), u"S 14");
    EXPECT_EQ(setCap(make(0, -1)), u"S-1");
    EXPECT_EQ(setCap(make(7, -32768)), u"-32768");
}

TEST(CardNames, SetCapChangesNothing) {
    clsCard c = make(1, 7);
    c.ID = 20;
    c.Status = 1;
    (void)setCap(c);
    EXPECT_EQ(c.ID, 20);
    EXPECT_EQ(c.color, 1);
    EXPECT_EQ(c.Number, 7);
    EXPECT_EQ(c.Status, 1);
}

TEST(CardNames, GridUsesPlainDigits) {
    const char16_t* expected[] = {u"A", u"2", u"3", u"4", u"5", u"6", u"7",
                                  u"8", u"9", u"T", u"J", u"Q", u"K"};
    for (Int16 r = 1; r <= 13; ++r) {
        EXPECT_EQ(gridRankText(r), expected[r - 1]) << "rank " << r;
    }
}

TEST(CardTable, NewCardIsAllZero) {
    CardTable table;
    const clsCard& c = table.create(5);
    EXPECT_EQ(c.ID, 0);
    EXPECT_EQ(c.color, 0);
    EXPECT_EQ(c.Number, 0);
    EXPECT_EQ(c.Status, 0);
    EXPECT_TRUE(table.created(5));
    EXPECT_FALSE(table.created(6));
    EXPECT_FALSE(table.created(0));
    EXPECT_FALSE(table.created(53));
}

TEST(CardTableDeathTest, OutsideOneToFiftyTwoIsSubscriptOutOfRange) {
    CardTable table;
    EXPECT_EXIT(table(0), ::testing::ExitedWithCode(1),
                "error 9: Subscript out of range \\(cards\\(0\\)\\)");
    EXPECT_EXIT(table(53), ::testing::ExitedWithCode(1), "Subscript out of range");
    EXPECT_EXIT(table.create(-1), ::testing::ExitedWithCode(1), "Subscript out of range");
    EXPECT_EXIT(table(1), ::testing::ExitedWithCode(1), "error 91: Object variable not set");
    table.create(1);
    EXPECT_EXIT(table.create(1), ::testing::ExitedWithCode(1), "created twice");
}

using StartUp = test::GameTest;

TEST_F(StartUp, TableHoldsEveryCardInSuitThenRankOrder) {
    startWith({1, 2, 3, 4, 5});
    const CardTable& cards = game.cards();
    EXPECT_EQ(setCap(cards(1)), u"SA");
    EXPECT_EQ(setCap(cards(13)), u"SK");
    EXPECT_EQ(setCap(cards(14)), u"HA");
    EXPECT_EQ(setCap(cards(27)), u"DA");
    EXPECT_EQ(setCap(cards(40)), u"CA");
    EXPECT_EQ(setCap(cards(52)), u"CK");
    const char16_t* spades[] = {u"SA",  u"S 2", u"S 3", u"S 4", u"S 5", u"S 6", u"S 7",
                                u"S 8", u"S 9", u"ST",  u"SJ",  u"SQ",  u"SK"};
    std::set<Text> names;
    for (int n = 1; n <= 52; ++n) {
        EXPECT_EQ(cards(n).ID, n);
        EXPECT_EQ(cards(n).color, suitOf(n));
        EXPECT_EQ(cards(n).Number, rankOf(n));
        if (n <= 13) {
            EXPECT_EQ(setCap(cards(n)), spades[n - 1]);
        }
        names.insert(setCap(cards(n)));
    }
    EXPECT_EQ(names.size(), 52U);
}

}  // namespace
}  // namespace vop
