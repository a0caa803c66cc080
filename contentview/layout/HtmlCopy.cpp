#include "HtmlCopy.h"

#include <cstdint>
#include <cstdio>

#include "JisText.h"
#include "ShiftJis.h"

namespace calvetta {

namespace {

constexpr char kGetaMark[] = "\xE3\x80\x93";  // 〓, U+3013

void AppendEscaped(std::string* out, char32_t cp) {
  switch (cp) {
    case U'&': *out += "&amp;"; break;
    case U'<': *out += "&lt;"; break;
    case U'>': *out += "&gt;"; break;
    case U'"': *out += "&quot;"; break;
    default: booktext::AppendUtf8(out, cp);
  }
}

// Shift-JIS text (as the marks hold it) as escaped UTF-8: ASCII as it is, a pair through JIS X
// 0208, half-width katakana to U+FF61.., anything without a character as 〓.
void AppendShiftJisHtml(std::string* out, const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<uint8_t>(text[i]);
    if (byte < 0x80) {
      AppendEscaped(out, byte);
      continue;
    }
    if (byte >= 0xA1 && byte <= 0xDF) {
      booktext::AppendUtf8(out, U'\uFF61' + (byte - 0xA1));
      continue;
    }
    if (booktext::IsSjisLeadByte(byte) && i + 1 < text.size()) {
      const uint16_t jis = booktext::SjisToJis(static_cast<uint16_t>(byte << 8 | static_cast<uint8_t>(text[i + 1])));
      ++i;
      if (const char32_t cp = jis ? booktext::JisToUnicode(jis) : 0) {
        AppendEscaped(out, cp);
        continue;
      }
    }
    *out += kGetaMark;
  }
}

// The characters of mapped UTF-8 text, escaped.
void AppendUtf8Html(std::string* out, std::string_view text) {
  size_t at = 0;
  for (char32_t cp; booktext::NextUtf8(text, &at, &cp);) AppendEscaped(out, cp);
}

}  // namespace

std::string HtmlFragment(const std::vector<CopyPiece>& pieces, const booktext::GaijiMap& map) {
  std::string html;
  bool open = false;  // a paragraph's block is open
  auto begin = [&](int32_t indent) {
    char style[64];
    std::snprintf(style, sizeof style, "<div style=\"margin-left:%dpx\">", indent > 0 ? indent : 0);
    html += style;
    open = true;
  };
  for (const CopyPiece& piece : pieces) {
    if (piece.text == "\r\n") {
      if (!open) begin(0);  // an empty paragraph keeps its line
      html += "</div>";
      open = false;
      continue;
    }
    if (!open || piece.indent >= 0) {
      if (open) html += "</div>";
      begin(piece.indent);
    }
    std::string inner;
    if (piece.external) {
      const std::string mapped = map.Lookup(piece.external, piece.narrow);
      if (mapped.empty()) inner += kGetaMark;
      else AppendUtf8Html(&inner, mapped);
    } else {
      AppendShiftJisHtml(&inner, piece.text);
    }
    if (piece.bold) inner = "<b>" + inner + "</b>";
    if (piece.reference) inner = "<span style=\"color:#0000ee;text-decoration:underline\">" + inner + "</span>";
    html += inner;
  }
  if (open) html += "</div>";
  return html;
}

std::string ClipboardHtml(std::string_view fragment) {
  // Every offset is ten digits, so the header's length does not depend on them.
  constexpr char kHeader[] =
      "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\nStartFragment:%010zu\r\nEndFragment:%010zu\r\n";
  constexpr std::string_view kBefore = "<html><head><meta charset=\"utf-8\"></head><body>\r\n<!--StartFragment-->";
  constexpr std::string_view kAfter = "<!--EndFragment-->\r\n</body></html>\r\n";
  char header[160];
  const int headerSize = std::snprintf(header, sizeof header, kHeader, size_t{0}, size_t{0}, size_t{0}, size_t{0});
  const size_t startHtml = static_cast<size_t>(headerSize);
  const size_t startFragment = startHtml + kBefore.size();
  const size_t endFragment = startFragment + fragment.size();
  const size_t endHtml = endFragment + kAfter.size();
  std::snprintf(header, sizeof header, kHeader, startHtml, endHtml, startFragment, endFragment);
  std::string html(header);
  html += kBefore;
  html += fragment;
  html += kAfter;
  return html;
}

}  // namespace calvetta
