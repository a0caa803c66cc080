// The dictionary forms a word of running Japanese text may be an inflection of: a verb of any
// class or an い-adjective in its polite, negative, past, て, potential, passive, causative,
// volitional, conditional, imperative, たい, そう, すぎる and ている/てしまう/ておく forms, and
// chains of them (勉強させられた → 勉強させられる → 勉強させる → 勉強する → 勉強).
//
// Each rule takes an ending off and puts the ending of the form it comes from on, and says what
// kind of word it takes and leaves: a rule only applies to a word of a kind it takes, so that a
// chain stays grammatical (the past of a passive, not the passive of a past). The words found
// are only candidates: a dictionary says which of them are words.
#ifndef BOOKTEXT_DEINFLECT_H
#define BOOKTEXT_DEINFLECT_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace booktext {

// What kind of word a form is (bits).
enum WordKind : uint32_t {
  kIchidan = 1u << 0,    // 一段: 食べる, 見る
  kGodan = 1u << 1,      // 五段: 書く, 泳ぐ, 話す, 待つ, 死ぬ, 遊ぶ, 読む, 帰る, 買う
  kSuru = 1u << 2,       // サ変: する, 勉強する
  kKuru = 1u << 3,       // カ変: 来る, くる
  kZuru = 1u << 4,       // 信ずる
  kAdjective = 1u << 5,  // い-adjective: 美しい; also the forms in ない and たい
  kNoun = 1u << 6,       // what stands before する: 勉強
  kTeForm = 1u << 7,     // 食べて, 読んで: what ている, てしまう and ておく stand on
  kInflected = 1u << 8,  // a form that ends a word: 食べた, 書けば, 見ろ
};
// The kinds a dictionary lists.
constexpr uint32_t kDictionaryKinds = kIchidan | kGodan | kSuru | kKuru | kZuru | kAdjective | kNoun;

struct Deinflection {
  std::u32string word;       // the dictionary form
  uint32_t kind = 0;         // its WordKind
  std::u32string reason;     // the forms taken off, the last first: "past ← passive"
};

// The dictionary forms word may be an inflection of, nearest first (fewer steps), each once.
// The word itself is not among them.
std::vector<Deinflection> Deinflect(std::u32string_view word);

}  // namespace booktext

#endif  // BOOKTEXT_DEINFLECT_H
