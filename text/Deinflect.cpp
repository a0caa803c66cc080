#include "Deinflect.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <utility>

namespace booktext {

namespace {

struct Rule {
  std::u32string from;  // the ending of the inflected form
  std::u32string to;    // the ending of the form it comes from
  uint32_t takes;       // the kinds of word the inflected form may be
  uint32_t leaves;      // the kind of the form it comes from
  std::u32string name;
};

// A form that ends a word, or the て-form that ている and its kin stand on.
constexpr uint32_t kEnd = kInflected;
constexpr uint32_t kEndOrTe = kInflected | kTeForm;

// A 五段 verb's dictionary ending and its stems: 未然 (a), 連用 (i), 仮定 (e), 意志 (o), and
// its て and た forms with their 音便.
struct GodanRow {
  char32_t u, a, i, e, o;
  const char32_t* te;
  const char32_t* ta;
};
constexpr GodanRow kGodanRows[] = {
    {U'く', U'か', U'き', U'け', U'こ', U"いて", U"いた"}, {U'ぐ', U'が', U'ぎ', U'げ', U'ご', U"いで", U"いだ"},
    {U'す', U'さ', U'し', U'せ', U'そ', U"して", U"した"}, {U'つ', U'た', U'ち', U'て', U'と', U"って", U"った"},
    {U'ぬ', U'な', U'に', U'ね', U'の', U"んで", U"んだ"}, {U'ぶ', U'ば', U'び', U'べ', U'ぼ', U"んで", U"んだ"},
    {U'む', U'ま', U'み', U'め', U'も', U"んで", U"んだ"}, {U'る', U'ら', U'り', U'れ', U'ろ', U"って", U"った"},
    {U'う', U'わ', U'い', U'え', U'お', U"って", U"った"},
};

std::u32string S(char32_t c) { return std::u32string(1, c); }

// The endings a stem takes, with what they are and what kind of word they make.
struct Ending {
  std::u32string text;
  uint32_t takes;
  const char32_t* name;
};

// The polite endings on a verb's 連用 stem.
const Ending kPolite[] = {
    {U"ます", kEnd, U"polite"},
    {U"ました", kEnd, U"polite past"},
    {U"ません", kEnd, U"polite negative"},
    {U"ませんでした", kEnd, U"polite negative past"},
    {U"ましょう", kEnd, U"polite volitional"},
};

void AddGodan(std::vector<Rule>* rules) {
  for (const GodanRow& r : kGodanRows) {
    const std::u32string u = S(r.u);
    auto add = [&](std::u32string from, uint32_t takes, const char32_t* name) {
      rules->push_back({std::move(from), u, takes, kGodan, name});
    };
    // On the 未然 stem.
    add(S(r.a) + U"ない", kAdjective, U"negative");
    add(S(r.a) + U"ず", kEnd, U"negative");
    add(S(r.a) + U"ずに", kEnd, U"negative");
    add(S(r.a) + U"れる", kIchidan, U"passive");
    add(S(r.a) + U"せる", kIchidan, U"causative");
    add(S(r.a) + U"す", kGodan, U"causative");
    // On the 連用 stem.
    for (const Ending& e : kPolite) add(S(r.i) + e.text, e.takes, e.name);
    for (const Ending& e : {Ending{U"たい", kAdjective, U"want"}, Ending{U"そう", kEnd, U"seeming"},
                            Ending{U"すぎる", kIchidan, U"too much"}, Ending{U"ながら", kEnd, U"while"}}) {
      add(S(r.i) + e.text, e.takes, e.name);
    }
    // On the 仮定 stem and the 意志 stem.
    add(S(r.e) + U"る", kIchidan, U"potential");
    add(S(r.e) + U"ば", kEnd, U"conditional");
    add(S(r.e), kEnd, U"imperative");
    add(S(r.o) + U"う", kEnd, U"volitional");
    // The て and た forms.
    add(r.te, kEndOrTe, U"te");
    add(r.ta, kEnd, U"past");
    add(std::u32string(r.ta) + U"ら", kEnd, U"conditional");
  }
  // 行く: 行って, 行った (not 行いて).
  for (const char32_t* stem : {U"行", U"い"}) {
    const std::u32string base = stem + std::u32string(U"く");
    rules->push_back({stem + std::u32string(U"って"), base, kEndOrTe, kGodan, U"te"});
    rules->push_back({stem + std::u32string(U"った"), base, kEnd, kGodan, U"past"});
    rules->push_back({stem + std::u32string(U"ったら"), base, kEnd, kGodan, U"conditional"});
  }
  // 問う and 請う/乞う: 問うて, 問うた (not 問って).
  for (const char32_t* stem : {U"問", U"請", U"乞", U"と", U"こ"}) {
    const std::u32string base = stem + std::u32string(U"う");
    rules->push_back({base + U"て", base, kEndOrTe, kGodan, U"te"});
    rules->push_back({base + U"た", base, kEnd, kGodan, U"past"});
  }
  // The honorific verbs in …る whose 連用 stem ends in い, not り: くださいます, なさいます,
  // いらっしゃいます, おっしゃいます, ございます; and their imperative in い: ください, なさい,
  // いらっしゃい.
  for (const char32_t* stem : {U"さ", U"ゃ", U"ざ"}) {
    const std::u32string base = stem + std::u32string(U"る");
    for (const Ending& e : kPolite) rules->push_back({stem + (U"い" + e.text), base, e.takes, kGodan, e.name});
    rules->push_back({stem + std::u32string(U"いませ"), base, kEnd, kGodan, U"polite imperative"});
    if (base != U"ざる") rules->push_back({stem + std::u32string(U"い"), base, kEnd, kGodan, U"imperative"});
  }
}

// 一段 verbs, and the endings that the other classes share with them in part.
void AddIchidan(std::vector<Rule>* rules) {
  const Ending endings[] = {
      {U"ない", kAdjective, U"negative"},       {U"ず", kEnd, U"negative"},
      {U"ずに", kEnd, U"negative"},             {U"ます", kEnd, U"polite"},
      {U"ました", kEnd, U"polite past"},        {U"ません", kEnd, U"polite negative"},
      {U"ませんでした", kEnd, U"polite negative past"}, {U"ましょう", kEnd, U"polite volitional"},
      {U"た", kEnd, U"past"},                   {U"て", kEndOrTe, U"te"},
      {U"たら", kEnd, U"conditional"},          {U"れば", kEnd, U"conditional"},
      {U"られる", kIchidan, U"passive"},        {U"れる", kIchidan, U"potential"},
      {U"させる", kIchidan, U"causative"},      {U"さす", kGodan, U"causative"},
      {U"よう", kEnd, U"volitional"},           {U"ろ", kEnd, U"imperative"},
      {U"よ", kEnd, U"imperative"},             {U"たい", kAdjective, U"want"},
      {U"そう", kEnd, U"seeming"},              {U"すぎる", kIchidan, U"too much"},
      {U"ながら", kEnd, U"while"},
  };
  for (const Ending& e : endings) rules->push_back({e.text, U"る", e.takes, kIchidan, e.name});
}

// する and the verbs made with it (勉強する), カ変 くる/来る, and ずる.
void AddIrregular(std::vector<Rule>* rules) {
  const Ending suru[] = {
      {U"しない", kAdjective, U"negative"},     {U"せず", kEnd, U"negative"},
      {U"せずに", kEnd, U"negative"},           {U"します", kEnd, U"polite"},
      {U"しました", kEnd, U"polite past"},      {U"しません", kEnd, U"polite negative"},
      {U"しませんでした", kEnd, U"polite negative past"}, {U"しましょう", kEnd, U"polite volitional"},
      {U"した", kEnd, U"past"},                 {U"して", kEndOrTe, U"te"},
      {U"したら", kEnd, U"conditional"},        {U"すれば", kEnd, U"conditional"},
      {U"される", kIchidan, U"passive"},        {U"できる", kIchidan, U"potential"},
      {U"させる", kIchidan, U"causative"},      {U"しよう", kEnd, U"volitional"},
      {U"しろ", kEnd, U"imperative"},           {U"せよ", kEnd, U"imperative"},
      {U"したい", kAdjective, U"want"},         {U"しそう", kEnd, U"seeming"},
      {U"しすぎる", kIchidan, U"too much"},     {U"しながら", kEnd, U"while"},
  };
  for (const Ending& e : suru) rules->push_back({e.text, U"する", e.takes, kSuru, e.name});
  // The noun a する verb is made of.
  rules->push_back({U"する", U"", kSuru, kNoun, U"suru verb"});
  // ずる verbs are also said as じる (一段): 信じた → 信じる → 信ずる.
  rules->push_back({U"じる", U"ずる", kIchidan, kZuru, U"zuru verb"});

  const Ending kuru[] = {
      {U"こない", kAdjective, U"negative"},     {U"こず", kEnd, U"negative"},
      {U"きます", kEnd, U"polite"},             {U"きました", kEnd, U"polite past"},
      {U"きません", kEnd, U"polite negative"},  {U"きませんでした", kEnd, U"polite negative past"},
      {U"きましょう", kEnd, U"polite volitional"}, {U"きた", kEnd, U"past"},
      {U"きて", kEndOrTe, U"te"},               {U"きたら", kEnd, U"conditional"},
      {U"くれば", kEnd, U"conditional"},        {U"こられる", kIchidan, U"passive"},
      {U"こさせる", kIchidan, U"causative"},    {U"こよう", kEnd, U"volitional"},
      {U"こい", kEnd, U"imperative"},           {U"きたい", kAdjective, U"want"},
      {U"きそう", kEnd, U"seeming"},
  };
  for (const Ending& e : kuru) rules->push_back({e.text, U"くる", e.takes, kKuru, e.name});
  // 来る written in kanji conjugates as a 一段 verb does, but for its imperative.
  rules->push_back({U"来い", U"来る", kEnd, kKuru, U"imperative"});
}

// い-adjectives (and the forms in ない and たい, which conjugate as they do).
void AddAdjective(std::vector<Rule>* rules) {
  const Ending endings[] = {
      {U"かった", kEnd, U"past"},              {U"くない", kAdjective, U"negative"},
      {U"くて", kEnd, U"te"},                  {U"ければ", kEnd, U"conditional"},
      {U"かったら", kEnd, U"conditional"},     {U"かろう", kEnd, U"volitional"},
      {U"く", kEnd, U"adverb"},                {U"さ", kEnd, U"noun"},
      {U"そう", kEnd, U"seeming"},             {U"すぎる", kIchidan, U"too much"},
      {U"くなる", kGodan, U"becoming"},
  };
  for (const Ending& e : endings) rules->push_back({e.text, U"い", e.takes, kAdjective, e.name});
  // ない and よい keep their さ before そう: なさそう, よさそう.
  rules->push_back({U"さそう", U"い", kEnd, kAdjective, U"seeming"});
  // いい conjugates as よい.
  rules->push_back({U"よい", U"いい", kAdjective, kAdjective, U"ii"});
}

// Auxiliaries on the て-form.
void AddTeAuxiliaries(std::vector<Rule>* rules) {
  for (const char32_t* te : {U"て", U"で"}) {
    const std::u32string t = te;
    const bool voiced = t == U"で";
    rules->push_back({t + U"いる", t, kIchidan, kTeForm, U"progressive"});
    rules->push_back({t + U"る", t, kIchidan, kTeForm, U"progressive"});
    rules->push_back({t + U"しまう", t, kGodan, kTeForm, U"completion"});
    rules->push_back({std::u32string(voiced ? U"じゃう" : U"ちゃう"), t, kGodan, kTeForm, U"completion"});
    rules->push_back({t + U"おく", t, kGodan, kTeForm, U"in advance"});
    rules->push_back({std::u32string(voiced ? U"どく" : U"とく"), t, kGodan, kTeForm, U"in advance"});
    rules->push_back({t + U"ある", t, kGodan, kTeForm, U"resultative"});
  }
}

// Every rule, and the rules by the last character of their inflected ending (a word is only
// looked at by the rules whose ending it can have).
struct RuleBook {
  std::vector<Rule> all;
  std::unordered_map<char32_t, std::vector<const Rule*>> byLast;
};

const RuleBook& Rules() {
  static const RuleBook book = [] {
    RuleBook made;
    AddGodan(&made.all);
    AddIchidan(&made.all);
    AddIrregular(&made.all);
    AddAdjective(&made.all);
    AddTeAuxiliaries(&made.all);
    for (const Rule& rule : made.all) made.byLast[rule.from.back()].push_back(&rule);
    return made;
  }();
  return book;
}

bool IsKanji(char32_t c) { return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || c == U'々'; }

bool InRow(char32_t c, std::u32string_view row) { return row.find(c) != std::u32string_view::npos; }

// Whether a word of kind could be a dictionary word of that kind by its shape: a 一段 verb has
// an e- or i-row kana (or a kanji) before its る; a word needs more than its ending.
bool Plausible(const std::u32string& word, uint32_t kind) {
  if (word.empty()) return false;
  if (kind == kIchidan) {
    if (word.size() < 2 || word.back() != U'る') return false;
    const char32_t before = word[word.size() - 2];
    return IsKanji(before) || InRow(before, U"いきぎしじちぢにひびぴみりえけげせぜてでねへべぺめれ");
  }
  if (kind == kGodan || kind == kKuru || kind == kZuru || kind == kSuru) return word.size() >= 2 || IsKanji(word[0]);
  if (kind == kAdjective) return word.size() >= 2 && word.back() == U'い';
  return true;
}

constexpr int kMostSteps = 6;

}  // namespace

std::vector<Deinflection> Deinflect(std::u32string_view word) {
  std::vector<Deinflection> found;
  // Breadth first, so that the nearest forms come first.
  struct Form {
    std::u32string word;
    uint32_t kind;
    std::u32string reason;
  };
  std::vector<Form> level{{std::u32string(word), kInflected | kDictionaryKinds | kTeForm, U""}};
  std::set<std::pair<std::u32string, uint32_t>> seen{{std::u32string(word), 0}};
  for (int step = 0; step < kMostSteps && !level.empty(); ++step) {
    std::vector<Form> next;
    for (const Form& form : level) {
      // The rules whose endings the form has, the longest ending first: the more of the word a
      // rule explains, the likelier its word (美しかった: かった before った).
      std::vector<const Rule*> matching;
      if (form.word.empty()) continue;
      const auto candidates = Rules().byLast.find(form.word.back());
      if (candidates == Rules().byLast.end()) continue;
      for (const Rule* rule : candidates->second) {
        if ((form.kind & rule->takes) && form.word.size() >= rule->from.size() &&
            form.word.compare(form.word.size() - rule->from.size(), rule->from.size(), rule->from) == 0)
          matching.push_back(rule);
      }
      std::stable_sort(matching.begin(), matching.end(),
                       [](const Rule* a, const Rule* b) { return a->from.size() > b->from.size(); });
      for (const Rule* matched : matching) {
        const Rule& rule = *matched;
        std::u32string base = form.word.substr(0, form.word.size() - rule.from.size()) + rule.to;
        if (!Plausible(base, rule.leaves) || !seen.insert({base, rule.leaves}).second) continue;
        std::u32string reason = form.reason.empty() ? rule.name : form.reason + U" \u2190 " + rule.name;
        if (rule.leaves & kDictionaryKinds) {
          const bool listed = std::any_of(found.begin(), found.end(), [&](const Deinflection& d) { return d.word == base; });
          if (!listed && base != word) found.push_back({base, rule.leaves, reason});
        }
        next.push_back({std::move(base), rule.leaves, std::move(reason)});
      }
    }
    level = std::move(next);
  }
  return found;
}

}  // namespace booktext
