// Words as running text holds them and the word a dictionary lists them under, written from
// Japanese grammar (not from the rules): every verb class and its forms, い-adjectives, chains of
// forms, the other kana, old and other forms of kanji, and phrases whose beginning is the word.
// The tests of the rules and the tests on a real dictionary (a book made from edict) read it.
#ifndef BOOKTEXT_TEST_RELATEDFORMS_H
#define BOOKTEXT_TEST_RELATEDFORMS_H

#include <string_view>

#include "RelatedWords.h"

namespace booktext {

struct RelatedForm {
  std::u32string_view text;  // as running text holds it
  std::u32string_view word;  // the word a dictionary lists
  Relation how;
};

using R = Relation;

inline constexpr RelatedForm kRelatedForms[] = {
    // 一段: 食べる, 見る, 起きる.
    {U"食べない", U"食べる", R::kDeinflected}, {U"食べます", U"食べる", R::kDeinflected},
    {U"食べました", U"食べる", R::kDeinflected}, {U"食べません", U"食べる", R::kDeinflected},
    {U"食べませんでした", U"食べる", R::kDeinflected}, {U"食べましょう", U"食べる", R::kDeinflected},
    {U"食べた", U"食べる", R::kDeinflected}, {U"食べて", U"食べる", R::kDeinflected},
    {U"食べられる", U"食べる", R::kDeinflected}, {U"食べれる", U"食べる", R::kDeinflected},
    {U"食べさせる", U"食べる", R::kDeinflected}, {U"食べさせられる", U"食べる", R::kDeinflected},
    {U"食べよう", U"食べる", R::kDeinflected}, {U"食べれば", U"食べる", R::kDeinflected},
    {U"食べたら", U"食べる", R::kDeinflected}, {U"食べろ", U"食べる", R::kDeinflected},
    {U"食べたい", U"食べる", R::kDeinflected}, {U"食べたかった", U"食べる", R::kDeinflected},
    {U"食べたくない", U"食べる", R::kDeinflected}, {U"食べそう", U"食べる", R::kDeinflected},
    {U"食べすぎる", U"食べる", R::kDeinflected}, {U"食べすぎた", U"食べる", R::kDeinflected},
    {U"食べている", U"食べる", R::kDeinflected}, {U"食べていた", U"食べる", R::kDeinflected},
    {U"食べてる", U"食べる", R::kDeinflected}, {U"食べてしまう", U"食べる", R::kDeinflected},
    {U"食べてしまった", U"食べる", R::kDeinflected}, {U"食べちゃった", U"食べる", R::kDeinflected},
    {U"食べておく", U"食べる", R::kDeinflected}, {U"食べとく", U"食べる", R::kDeinflected},
    {U"食べなかった", U"食べる", R::kDeinflected}, {U"食べなければ", U"食べる", R::kDeinflected},
    {U"食べず", U"食べる", R::kDeinflected}, {U"食べながら", U"食べる", R::kDeinflected},
    {U"見た", U"見る", R::kDeinflected}, {U"見ない", U"見る", R::kDeinflected},
    {U"見て", U"見る", R::kDeinflected}, {U"見られた", U"見る", R::kDeinflected},
    {U"起きろ", U"起きる", R::kDeinflected}, {U"起きよ", U"起きる", R::kDeinflected},
    // 五段, a row each, with their 音便.
    {U"書かない", U"書く", R::kDeinflected}, {U"書きます", U"書く", R::kDeinflected},
    {U"書いた", U"書く", R::kDeinflected}, {U"書いて", U"書く", R::kDeinflected},
    {U"書ける", U"書く", R::kDeinflected}, {U"書かれる", U"書く", R::kDeinflected},
    {U"書かせる", U"書く", R::kDeinflected}, {U"書かされる", U"書く", R::kDeinflected},
    {U"書かせられる", U"書く", R::kDeinflected}, {U"書こう", U"書く", R::kDeinflected},
    {U"書けば", U"書く", R::kDeinflected}, {U"書いたら", U"書く", R::kDeinflected},
    {U"書け", U"書く", R::kDeinflected}, {U"書きたい", U"書く", R::kDeinflected},
    {U"書きそう", U"書く", R::kDeinflected}, {U"書きすぎる", U"書く", R::kDeinflected},
    {U"書いている", U"書く", R::kDeinflected}, {U"書いちゃう", U"書く", R::kDeinflected},
    {U"書かず", U"書く", R::kDeinflected}, {U"書きながら", U"書く", R::kDeinflected},
    {U"泳いだ", U"泳ぐ", R::kDeinflected}, {U"泳いで", U"泳ぐ", R::kDeinflected},
    {U"泳がない", U"泳ぐ", R::kDeinflected}, {U"泳いじゃった", U"泳ぐ", R::kDeinflected},
    {U"話した", U"話す", R::kDeinflected}, {U"話して", U"話す", R::kDeinflected},
    {U"話さない", U"話す", R::kDeinflected}, {U"話される", U"話す", R::kDeinflected},
    {U"待った", U"待つ", R::kDeinflected}, {U"待って", U"待つ", R::kDeinflected},
    {U"待たない", U"待つ", R::kDeinflected}, {U"待てる", U"待つ", R::kDeinflected},
    {U"死んだ", U"死ぬ", R::kDeinflected}, {U"死んで", U"死ぬ", R::kDeinflected},
    {U"死なない", U"死ぬ", R::kDeinflected}, {U"遊んだ", U"遊ぶ", R::kDeinflected},
    {U"遊んで", U"遊ぶ", R::kDeinflected}, {U"遊ばない", U"遊ぶ", R::kDeinflected},
    {U"読んだ", U"読む", R::kDeinflected}, {U"読んで", U"読む", R::kDeinflected},
    {U"読まない", U"読む", R::kDeinflected}, {U"読まれた", U"読む", R::kDeinflected},
    {U"読んでいる", U"読む", R::kDeinflected}, {U"読んどく", U"読む", R::kDeinflected},
    {U"帰った", U"帰る", R::kDeinflected}, {U"帰って", U"帰る", R::kDeinflected},
    {U"帰らない", U"帰る", R::kDeinflected}, {U"帰ろう", U"帰る", R::kDeinflected},
    {U"買った", U"買う", R::kDeinflected}, {U"買って", U"買う", R::kDeinflected},
    {U"買わない", U"買う", R::kDeinflected}, {U"買おう", U"買う", R::kDeinflected},
    {U"行った", U"行く", R::kDeinflected}, {U"行って", U"行く", R::kDeinflected},
    {U"いった", U"いく", R::kDeinflected}, {U"行かない", U"行く", R::kDeinflected},
    {U"行こう", U"行く", R::kDeinflected}, {U"行ったら", U"行く", R::kDeinflected},
    {U"行ってしまった", U"行く", R::kDeinflected},
    // The other irregular 五段 verbs: 問う's 音便, the honorific verbs' い.
    {U"問うて", U"問う", R::kDeinflected}, {U"問うた", U"問う", R::kDeinflected},
    {U"下さいます", U"下さる", R::kDeinflected}, {U"ください", U"くださる", R::kDeinflected},
    {U"なさいました", U"なさる", R::kDeinflected}, {U"いらっしゃいませ", U"いらっしゃる", R::kDeinflected},
    {U"おっしゃいました", U"おっしゃる", R::kDeinflected}, {U"ございます", U"ござる", R::kDeinflected},
    // サ変: する and the verbs made with it, down to their noun; ずる / じる.
    // (A dictionary lists a verb made with する under its noun: 勉強.)
    {U"しました", U"する", R::kDeinflected}, {U"しません", U"する", R::kDeinflected},
    {U"勉強した", U"勉強", R::kDeinflected}, {U"勉強して", U"勉強", R::kDeinflected},
    {U"勉強しない", U"勉強", R::kDeinflected}, {U"勉強します", U"勉強", R::kDeinflected},
    {U"勉強される", U"勉強", R::kDeinflected}, {U"勉強させる", U"勉強", R::kDeinflected},
    {U"勉強させられた", U"勉強", R::kDeinflected}, {U"勉強しよう", U"勉強", R::kDeinflected},
    {U"勉強すれば", U"勉強", R::kDeinflected}, {U"勉強しろ", U"勉強", R::kDeinflected},
    {U"勉強したい", U"勉強", R::kDeinflected}, {U"勉強できる", U"勉強", R::kDeinflected},
    {U"勉強せず", U"勉強", R::kDeinflected},
    {U"信じた", U"信じる", R::kDeinflected}, {U"信じた", U"信ずる", R::kDeinflected},
    // カ変: くる and 来る.
    {U"きた", U"くる", R::kDeinflected}, {U"こない", U"くる", R::kDeinflected},
    {U"きて", U"くる", R::kDeinflected}, {U"きます", U"くる", R::kDeinflected},
    {U"こられる", U"くる", R::kDeinflected}, {U"こさせる", U"くる", R::kDeinflected},
    {U"こなかった", U"くる", R::kDeinflected}, {U"くれば", U"くる", R::kDeinflected},
    {U"きませんでした", U"くる", R::kDeinflected}, {U"来た", U"来る", R::kDeinflected},
    {U"来ない", U"来る", R::kDeinflected}, {U"来て", U"来る", R::kDeinflected},
    {U"来い", U"来る", R::kDeinflected}, {U"来られる", U"来る", R::kDeinflected},
    // い-adjectives, いい and よい.
    {U"美しかった", U"美しい", R::kDeinflected}, {U"美しくない", U"美しい", R::kDeinflected},
    {U"美しくて", U"美しい", R::kDeinflected}, {U"美しければ", U"美しい", R::kDeinflected},
    {U"美しかったら", U"美しい", R::kDeinflected}, {U"美しく", U"美しい", R::kDeinflected},
    {U"美しさ", U"美しい", R::kDeinflected}, {U"美しそう", U"美しい", R::kDeinflected},
    {U"美しすぎる", U"美しい", R::kDeinflected}, {U"美しくなかった", U"美しい", R::kDeinflected},
    {U"高くなった", U"高い", R::kDeinflected}, {U"よかった", U"よい", R::kDeinflected},
    {U"よくない", U"よい", R::kDeinflected},
    {U"よければ", U"よい", R::kDeinflected}, {U"よさそう", U"よい", R::kDeinflected},
    // Chains of forms.
    {U"食べさせられなかった", U"食べる", R::kDeinflected}, {U"書かせられていた", U"書く", R::kDeinflected},
    {U"飲みたくなかった", U"飲む", R::kDeinflected}, {U"勉強させられた", U"勉強", R::kDeinflected},
    {U"読んでしまいました", U"読む", R::kDeinflected},
    // The other kana.
    {U"カキ", U"かき", R::kKana}, {U"スシ", U"すし", R::kKana}, {U"タベモノ", U"たべもの", R::kKana}, {U"ガッコウ", U"がっこう", R::kKana},
    // Old and other forms of kanji.
    {U"學校", U"学校", R::kVariant}, {U"國", U"国", R::kVariant}, {U"體", U"体", R::kVariant},
    {U"價格", U"価格", R::kVariant}, {U"廣い", U"広い", R::kVariant}, {U"發見", U"発見", R::kVariant},
    {U"元氣", U"元気", R::kVariant}, {U"戰爭", U"戦争", R::kVariant},
    // A phrase whose beginning is the word.
    {U"学校に行った", U"学校", R::kLeading}, {U"先生が来た", U"先生", R::kLeading},
};

}  // namespace booktext

#endif  // BOOKTEXT_TEST_RELATEDFORMS_H
