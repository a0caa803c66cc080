#include "BookText.h"

#include <cstdio>

#include "JisText.h"
#include "TextFormat.h"

namespace cli {

namespace {

using dunmoor::text::TextUnit;

void AppendEscape(std::string* out, uint16_t code) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "{%04X}", code);
  *out += escape;
}

// The ASCII character that a full-width JIS character stands for in narrow text, or 0.
char NarrowAscii(uint16_t jis) {
  char32_t cp = jistext::JisToUnicode(jis);
  if (cp == 0x3000) return ' ';
  if (cp >= 0xFF01 && cp <= 0xFF5E) return static_cast<char>(cp - 0xFF01 + 0x21);
  return 0;
}

}  // namespace

std::string BookTextToUtf8(const uint8_t* text, size_t size) {
  std::string out;
  bool narrow = false;
  int indent = 0;
  bool lineStart = true;
  dunmoor::text::TextWalker walker(text, size);
  TextUnit unit;
  while (walker.Next(&unit)) {
    const uint8_t* at = text + unit.offset;
    if (at[0] == 0) break;  // a zero byte where a character would begin ends the text
    if (unit.kind == TextUnit::Kind::kControl) {
      switch (unit.code) {
        case dunmoor::text::kBeginNarrow: narrow = true; break;
        case dunmoor::text::kEndNarrow: narrow = false; break;
        case dunmoor::text::kIndent: indent = at[3]; break;
        case dunmoor::text::kNewline:
          out += '\n';
          lineStart = true;
          break;
        default: break;
      }
      continue;
    }
    if (lineStart) {
      out.append(static_cast<size_t>(indent) * 2, ' ');
      lineStart = false;
    }
    switch (unit.kind) {
      case TextUnit::Kind::kCharacter: {
        char ascii = narrow ? NarrowAscii(unit.code) : 0;
        char32_t cp = jistext::JisToUnicode(unit.code);
        if (ascii) {
          out += ascii;
        } else if (cp) {
          jistext::AppendUtf8(&out, cp);
        } else {
          AppendEscape(&out, unit.code);
        }
        break;
      }
      case TextUnit::Kind::kExternalCharacter:
      case TextUnit::Kind::kOther:
        AppendEscape(&out, unit.code);
        break;
      default:
        break;  // a unit cut by the end of the text
    }
  }
  return out;
}

}  // namespace cli
