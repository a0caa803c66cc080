#include "MarkupEncoder.h"

#include <cstdio>

#include "BuildError.h"
#include "ControlCodes.h"
#include "JisText.h"
#include "SourceParser.h"

namespace bookbuild {

namespace code = booktext::code;

struct MarkupEncoder::State {
  EncodedText out;
  std::vector<OpenTag> open;
  int narrowDepth = 0;     // explicit <n> nesting: no automatic narrow codes inside
  bool autoNarrow = false;  // an automatic 1F 04 is open
  bool inFirstKeyword = false;
  size_t keywordStart = 0;
  std::vector<std::string> pending;  // targets of open <ref>, <ref2>, <mono>
  std::vector<bool> cdda4a;          // form of each open <cdda>
};

namespace {

void PutCode(Bytes* out, uint8_t code) {
  out->push_back(code::kEscape);
  out->push_back(code);
}

std::string Hex(uint32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(value));
  return buf;
}

// "M:SS" as minutes and seconds.
void ParseTime(const std::string& text, int line, uint32_t* minutes, uint32_t* seconds) {
  size_t colon = text.find(':');
  if (colon == std::string::npos) throw BuildError(line, "time is M:SS, got '" + text + "'");
  *minutes = ParseNumber(text.substr(0, colon), line, 99);
  *seconds = ParseNumber(text.substr(colon + 1), line, 99);
}

uint16_t ParseGaiji(const std::string& text, size_t* i, int line) {
  // text[*i] is '{'
  size_t close = text.find('}', *i);
  if (close == std::string::npos || close - *i != 5) throw BuildError(line, "external character is {XXXX}");
  uint16_t code = static_cast<uint16_t>(ParseNumber("0x" + text.substr(*i + 1, 4), line, 0xFFFF));
  *i = close + 1;
  return code;
}

}  // namespace

uint16_t AsciiToJis(char c) {
  // JIS X 0208 has no full-width straight quotes: books write the curly ones.
  switch (c) {
    case ' ': return 0x2121;
    case '\'': return 0x2147;  // ’
    case '"': return 0x2149;   // ”
    default: return booktext::UnicodeToJis(static_cast<char32_t>(static_cast<unsigned char>(c)) + 0xFEE0);
  }
}

std::vector<uint16_t> WordToJis(const std::string& word, int line) {
  std::vector<uint16_t> out;
  size_t i = 0;
  while (i < word.size()) {
    if (word[i] == '{') {
      out.push_back(ParseGaiji(word, &i, line));
      continue;
    }
    char32_t cp;
    booktext::NextUtf8(word, &i, &cp);
    uint16_t code = cp >= 0x20 && cp <= 0x7E ? AsciiToJis(static_cast<char>(cp)) : booktext::UnicodeToJis(cp);
    if (code == 0) throw BuildError(line, "no JIS X 0208 code for " + Hex(cp));
    out.push_back(code);
  }
  return out;
}

EncodedText MarkupEncoder::Encode(const std::vector<TextLine>& lines, bool lineBreaks) {
  State state;
  for (const TextLine& line : lines) EncodeLine(line, lineBreaks, &state);
  if (!state.open.empty()) {
    const OpenTag& tag = state.open.back();
    throw BuildError(tag.line, "<" + tag.name + "> is not closed");
  }
  return std::move(state.out);
}

void MarkupEncoder::EncodeLine(const TextLine& line, bool lineBreak, State* state) {
  Bytes& out = state->out.bytes;
  const std::string& text = line.text;
  auto closeNarrow = [&] {
    if (state->autoNarrow) PutCode(&out, code::kEndNarrow);
    state->autoNarrow = false;
  };
  auto putAscii = [&](char c) {
    if (state->narrowDepth == 0 && !state->autoNarrow) {
      PutCode(&out, code::kBeginNarrow);
      state->autoNarrow = true;
    }
    PutBe16(&out, AsciiToJis(c));
  };
  bool continued = false;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\\') {
      if (i + 1 == text.size()) {
        continued = true;
        break;
      }
      char e = text[i + 1];
      if (e != '<' && e != '{' && e != '\\') throw BuildError(line.line, std::string("unknown escape \\") + e);
      putAscii(e);
      i += 2;
    } else if (c == '<') {
      size_t close = text.find('>', i);
      if (close == std::string::npos) throw BuildError(line.line, "tag without '>'");
      closeNarrow();
      EncodeTag(text.substr(i + 1, close - i - 1), line.line, state);
      i = close + 1;
    } else if (c == '{') {
      closeNarrow();
      PutBe16(&out, ParseGaiji(text, &i, line.line));
    } else {
      char32_t cp;
      booktext::NextUtf8(text, &i, &cp);
      if (cp >= 0x20 && cp <= 0x7E) {
        putAscii(static_cast<char>(cp));
        continue;
      }
      uint16_t code = cp > 0x7E ? booktext::UnicodeToJis(cp) : 0;
      if (code == 0) throw BuildError(line.line, "no JIS X 0208 code for " + Hex(cp));
      closeNarrow();
      PutBe16(&out, code);
    }
  }
  closeNarrow();
  if (lineBreak && !continued) PutCode(&out, code::kNewline);
}

void MarkupEncoder::AddFixup(Fixup::Kind kind, const std::string& target, int line, State* state) {
  state->out.fixups.push_back({kind, state->out.bytes.size(), target, line});
  state->out.bytes.resize(state->out.bytes.size() + 6, 0);
}

void MarkupEncoder::CloseTag(const std::string& name, int line, State* state) {
  if (state->open.empty() || state->open.back().name != name)
    throw BuildError(line, "</" + name + "> does not close " +
                               (state->open.empty() ? std::string("any tag") : "<" + state->open.back().name + ">"));
  state->open.pop_back();
  Bytes& out = state->out.bytes;
  if (name == "kw") {
    if (state->inFirstKeyword) {
      EncodedText& e = state->out;
      e.keyword.assign(out.begin() + static_cast<long>(state->keywordStart), out.end());
      for (const Fixup& f : e.fixups)
        if (f.at >= state->keywordStart) e.keywordFixups.push_back({f.kind, f.at - state->keywordStart, f.target, f.line});
      state->inFirstKeyword = false;
    }
    PutCode(&out, code::kEndKeyword);
  } else if (name == "n") {
    --state->narrowDepth;
    PutCode(&out, code::kEndNarrow);
  } else if (name == "sub") {
    PutCode(&out, code::kEndSubscript);
  } else if (name == "sup") {
    PutCode(&out, code::kEndSuperscript);
  } else if (name == "em") {
    PutCode(&out, code::kEndEmphasis);
  } else if (name == "deco") {
    PutCode(&out, code::kEndDecoration);
  } else if (name == "deco2") {
    PutCode(&out, code::kEndDecoration2);
  } else if (name == "skip") {
    PutCode(&out, code::kEndSkip);
  } else if (name == "ref" || name == "ref2" || name == "mono") {
    // The end code carries the position: it was kept on the tag stack as a pending fixup.
  } else if (name == "color") {
    PutCode(&out, code::kEndColorGraphic);
  } else if (name == "sound") {
    PutCode(&out, code::kEndSound);
  } else if (name == "cdda") {
    PutCode(&out, code::kEndCdAudio);
  } else if (name == "cdda4a") {
    PutCode(&out, code::kEndSound);
  }
}

void MarkupEncoder::EncodeTag(const std::string& tag, int line, State* state) {
  Bytes& out = state->out.bytes;
  std::vector<std::string> words = SplitWords(tag);
  if (words.empty()) throw BuildError(line, "empty tag");
  std::string name = words[0];
  if (name[0] == '/') {
    name = name.substr(1);
    if (words.size() != 1) throw BuildError(line, "closing tags take no arguments");
    // Closing tags whose end code carries a position.
    if (!state->open.empty() && state->open.back().name == name) {
      if (name == "ref" || name == "ref2" || name == "mono") {
        const std::string& target = state->pending.back();
        PutCode(&out, name == "ref" ? code::kEndReference : name == "ref2" ? code::kEndReference2 : code::kEndMonoGraphic);
        if (target[0] == '@') {
          std::string raw = target.substr(1);
          size_t colon = raw.find(':');
          if (colon == std::string::npos) {
            PutBcdPosition(&out, ParseNumber(raw, line, 0xFFFFFFFF));
          } else {
            PutBcd(&out, ParseNumber(raw.substr(0, colon), line, 99999999), 4);
            PutBcd(&out, ParseNumber(raw.substr(colon + 1), line, 9999), 2);
          }
        } else {
          AddFixup(name == "mono" ? Fixup::kPictureData : Fixup::kTextPosition, target, line, state);
        }
        state->pending.pop_back();
      }
      if (name == "cdda" && state->cdda4a.back()) name = "cdda4a", state->open.back().name = "cdda4a";
      if (name == "cdda" || name == "cdda4a") state->cdda4a.pop_back();
    }
    CloseTag(name, line, state);
    return;
  }
  auto opts = [&](size_t from, std::initializer_list<const char*> known) {
    std::map<std::string, std::string> o;
    for (size_t i = from; i < words.size(); ++i) {
      size_t eq = words[i].find('=');
      std::string key = words[i].substr(0, eq);
      bool ok = eq != std::string::npos;
      bool found = false;
      for (const char* k : known) found = found || key == k;
      if (!ok || !found) throw BuildError(line, "unknown argument '" + words[i] + "' in <" + name + ">");
      o[key] = words[i].substr(eq + 1);
    }
    return o;
  };
  auto push = [&](const std::string& n) { state->open.push_back({n, line}); };
  auto needArgs = [&](size_t count) {
    if (words.size() != count) throw BuildError(line, "<" + name + "> takes " + std::to_string(count - 1) + " argument(s)");
  };
  static const std::map<std::string, uint8_t> kSimple = {
      {"n", code::kBeginNarrow}, {"sub", code::kBeginSubscript}, {"sup", code::kBeginSuperscript},
      {"em", code::kBeginEmphasis}, {"skip", code::kBeginSkip}};
  auto simple = kSimple.find(name);
  if (simple != kSimple.end()) {
    needArgs(1);
    PutCode(&out, simple->second);
    if (name == "n") ++state->narrowDepth;
    push(name);
  } else if (name == "kw") {
    auto o = opts(1, {"arg"});
    uint32_t arg = o.count("arg") ? ParseNumber(o["arg"], line, 0xFFFF) : 0x0100;
    PutCode(&out, code::kBeginKeyword);
    PutBe16(&out, arg);
    if (!state->out.hasKeyword) {
      state->out.hasKeyword = true;
      state->inFirstKeyword = true;
      state->keywordStart = out.size();
    }
    push(name);
  } else if (name == "deco" || name == "deco2") {
    auto o = opts(1, {"arg"});
    PutCode(&out, name == "deco" ? code::kBeginDecoration : code::kBeginDecoration2);
    PutBe16(&out, o.count("arg") ? ParseNumber(o["arg"], line, 0xFFFF) : 0);
    push(name);
  } else if (name == "indent") {
    needArgs(2);
    PutCode(&out, code::kIndent);
    PutBe16(&out, ParseNumber(words[1], line, 0xFFFF));
  } else if (name == "ref" || name == "ref2") {
    needArgs(2);
    PutCode(&out, name == "ref" ? code::kBeginReference : code::kBeginReference2);
    if (words[1] != "menu" && words[1][0] != '@') {
      bool found = false;
      for (const EntryDef& e : book_.entries) found = found || e.id == words[1];
      if (!found) throw BuildError(line, "no entry '" + words[1] + "' to refer to");
    }
    if (words[1] == "menu" && !book_.menu) throw BuildError(line, "the book has no menu to refer to");
    state->pending.push_back(words[1]);
    push(name);
  } else if (name == "mono") {
    needArgs(2);
    const PictureDef* pic = nullptr;
    for (const PictureDef& p : book_.pictures) if (p.id == words[1]) pic = &p;
    if (pic == nullptr || pic->color) throw BuildError(line, "no monochrome picture '" + words[1] + "'");
    PutCode(&out, code::kBeginMonoGraphic);
    PutBe16(&out, 0);
    PutBcd(&out, static_cast<uint32_t>(pic->height), 4);
    PutBcd(&out, static_cast<uint32_t>(pic->width), 4);
    state->pending.push_back(words[1]);
    push(name);
  } else if (name == "color") {
    needArgs(2);
    const PictureDef* pic = nullptr;
    for (const PictureDef& p : book_.pictures) if (p.id == words[1]) pic = &p;
    if (pic == nullptr || !pic->color) throw BuildError(line, "no colour picture '" + words[1] + "'");
    PutCode(&out, code::kBeginColorGraphic);
    // A JPEG file says so in the word after the code, as books made by other tools do.
    PutBe16(&out, pic->jpeg.empty() ? 0 : 0x1209);
    out.resize(out.size() + 10, 0);
    AddFixup(Fixup::kPictureData, words[1], line, state);
    push(name);
  } else if (name == "sound") {
    needArgs(2);
    const SoundDef* sound = nullptr;
    for (const SoundDef& s : book_.sounds) if (s.id == words[1]) sound = &s;
    if (sound == nullptr) throw BuildError(line, "no sound '" + words[1] + "'");
    PutCode(&out, code::kBeginSound);
    out.push_back(0x00);
    out.push_back(0x01);  // low nibble 1: the data lies in the text file
    PutBe16(&out, sound->code ? *sound->code : (sound->raw ? 0x0100 : 0x0000));
    AddFixup(Fixup::kSoundStart, words[1], line, state);
    AddFixup(Fixup::kSoundEnd, words[1], line, state);
    push(name);
  } else if (name == "cdda") {
    auto o = opts(1, {"track", "start", "length", "form"});
    if (!o.count("track") || !o.count("start") || !o.count("length"))
      throw BuildError(line, "<cdda> needs track=, start= and length=");
    uint32_t track = ParseNumber(o["track"], line, 99);
    uint32_t sm, ss, lm, ls;
    ParseTime(o["start"], line, &sm, &ss);
    ParseTime(o["length"], line, &lm, &ls);
    bool form4a = o.count("form") && o["form"] == "4a";
    if (o.count("form") && !form4a && o["form"] != "48") throw BuildError(line, "form is 48 or 4a");
    Bytes fields;
    PutBcd(&fields, track, 1);
    fields.push_back(0);
    PutBcd(&fields, sm, 1);
    PutBcd(&fields, ss, 1);
    fields.push_back(0);
    fields.push_back(0);
    PutBcd(&fields, lm, 1);
    PutBcd(&fields, ls, 1);
    fields.push_back(0);
    fields.push_back(0);
    if (form4a) {
      // In this form the track stands in byte 3, whose low nibble 1 marks sound data in the
      // text file: a track number ending in 1 cannot be written here.
      if ((fields[0] & 0x0F) == 1) throw BuildError(line, "the 1F 4A form cannot carry a track number ending in 1");
      PutCode(&out, code::kBeginSound);
      out.push_back(0x00);
      out.insert(out.end(), fields.begin(), fields.end());
      out.resize(out.size() + 5, 0);  // 18 bytes in all
    } else {
      PutCode(&out, code::kBeginCdAudio);
      out.insert(out.end(), fields.begin(), fields.end());
    }
    state->cdda4a.push_back(form4a);
    push(name);
  } else if (name == "raw") {
    std::string hex;
    for (size_t i = 1; i < words.size(); ++i) hex += words[i];
    if (hex.empty() || hex.size() % 2 != 0) throw BuildError(line, "<raw> takes whole hex bytes");
    for (size_t i = 0; i < hex.size(); i += 2)
      out.push_back(static_cast<uint8_t>(ParseNumber("0x" + hex.substr(i, 2), line, 0xFF)));
  } else {
    throw BuildError(line, "unknown tag <" + name + ">");
  }
}

}  // namespace bookbuild
