// The words of the game's screen-reader support, in English and in Japanese.
#include "game/word_tables.h"

#include <vector>

namespace vop {

namespace {

constexpr SpokenWords kEnglish{
    .ranks = {u"Ace", u"Two", u"Three", u"Four", u"Five", u"Six", u"Seven", u"Eight", u"Nine",
              u"Ten", u"Jack", u"Queen", u"King"},
    .suits = {u"spades", u"hearts", u"diamonds", u"clubs"},
    .card = u"{0} of {1}",
    .inDeck = u"{0}, in the deck",
    .inHand = u"{0}, in the hand",
    .played = u"{0}, played",
    .empty = u"Empty",
    .none = u"Empty",
    .ground = u"Ground: {0}",
    .table = u"Ground: {0}. {1} played. {2} playable.",
    .newGame = u"New game",
    .end = u"End",
    .canPlay = u"Can be played",
    .cannotPlay = u"Cannot be played",
    .unknownCard = u"Unknown card",
};

constexpr SpokenWords kJapanese{
    .ranks = {u"エース", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"ジャック",
              u"クイーン", u"キング"},
    .suits = {u"スペード", u"ハート", u"ダイヤ", u"クラブ"},
    .card = u"{1}の{0}",
    .inDeck = u"{0}、山札",
    .inHand = u"{0}、手札",
    .played = u"{0}、出した札",
    .empty = u"空き",
    .none = u"なし",
    .ground = u"場札: {0}",
    .table = u"場札: {0}。{1}枚出しました。出せる札は{2}枚。",
    .newGame = u"新しいゲーム",
    .end = u"終了",
    .canPlay = u"出せます",
    .cannotPlay = u"出せません",
    .unknownCard = u"不明な札",
};

}  // namespace

const SpokenWords& spokenWords(TextView language) {
    const TextView primary = language.substr(0, language.find_first_of(u"-_."));
    const bool japanese =
        primary.size() == 2 && (primary[0] | 0x20) == u'j' && (primary[1] | 0x20) == u'a';
    return japanese ? kJapanese : kEnglish;
}

Text fill(std::u16string_view pattern, std::initializer_list<TextView> texts) {
    const std::vector<TextView> args(texts);
    Text out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'{' && i + 2 < pattern.size() && pattern[i + 2] == u'}' &&
            pattern[i + 1] >= u'0' &&
            static_cast<std::size_t>(pattern[i + 1] - u'0') < args.size()) {
            out += args[static_cast<std::size_t>(pattern[i + 1] - u'0')];
            i += 2;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace vop
