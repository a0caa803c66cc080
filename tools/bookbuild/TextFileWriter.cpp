#include "TextFileWriter.h"

#include <set>
#include <utility>

#include "BuildError.h"
#include "ControlCodes.h"
#include "IndexPager.h"
#include "MarkupEncoder.h"
#include "MediaData.h"

namespace bookbuild {

namespace code = booktext::code;

namespace {

constexpr size_t kMaxDescriptors = (kBlockSize - 16) / 16;

// A piece of encoded text placed in the file, whose fixups are resolved once all is placed.
struct Placed {
  uint32_t position;
  EncodedText text;
};

// The word with its katakana written in hiragana (ヴ, ヵ and ヶ have no hiragana in JIS X 0208
// and stay).
JisString HiraganaOf(JisString word) {
  for (uint16_t& c : word)
    if (c >= 0x2521 && c <= 0x2573) c = static_cast<uint16_t>(c - 0x0100);
  return word;
}

uint32_t Append(Bytes* file, const Bytes& bytes) {
  uint32_t at = static_cast<uint32_t>(file->size());
  file->insert(file->end(), bytes.begin(), bytes.end());
  return at;
}

}  // namespace

Bytes WriteTextFile(const BookDef& book, BookLayout* layout) {
  if (book.descriptors.size() > kMaxDescriptors)
    throw BuildError(book.line, "more than " + std::to_string(kMaxDescriptors) + " descriptors");
  MarkupEncoder encoder(book);
  Bytes file(kBlockSize, 0);  // block 1, filled last
  std::vector<Placed> placed;

  // Entry text.
  file.insert(file.end(), {code::kEscape, code::kBeginText});
  std::vector<std::optional<EncodedText>> headings;
  for (const EntryDef& entry : book.entries) {
    EncodedText text = encoder.Encode(entry.text);
    std::optional<EncodedText> heading;
    if (entry.heading) {
      heading = encoder.Encode({*entry.heading}, false);
    } else if (text.hasKeyword) {
      heading = EncodedText{text.keyword, text.keywordFixups, false, {}, {}};
    } else if (!entry.keys.empty()) {
      throw BuildError(entry.line, "entry " + entry.id + " has keys but neither a heading nor a <kw>");
    }
    if (heading) {
      heading->bytes.insert(heading->bytes.end(), {code::kEscape, code::kNewline});
    }
    headings.push_back(std::move(heading));
    // Every entry begins at the indent the book gives its headwords, as real books do: the
    // indent of the last line of the entry before does not carry over.
    uint32_t at = static_cast<uint32_t>(file.size());
    const bool indented = text.bytes.size() >= 2 && text.bytes[0] == code::kEscape && text.bytes[1] == code::kIndent;
    if (book.entryIndent > 0 && !indented) file.insert(file.end(), {code::kEscape, code::kIndent, 0x00, book.entryIndent});
    uint32_t textAt = Append(&file, text.bytes);
    layout->entryText[entry.id] = at;
    placed.push_back({textAt, std::move(text)});
  }
  file.insert(file.end(), {code::kEscape, code::kEndText});
  const uint32_t textPages = BlockOf(static_cast<uint32_t>(file.size() - 1)) - 1;

  // Headings.
  PadToBlock(&file);
  for (size_t i = 0; i < book.entries.size(); ++i) {
    if (!headings[i]) continue;
    uint32_t at = Append(&file, headings[i]->bytes);
    layout->entryHeading[book.entries[i].id] = at;
    placed.push_back({at, std::move(*headings[i])});
  }

  // Menu.
  uint32_t menuPage = 0;
  if (book.menu) {
    PadToBlock(&file);
    EncodedText menu = encoder.Encode(*book.menu);
    menu.bytes.insert(menu.bytes.end(), {code::kEscape, code::kEndText});
    uint32_t at = Append(&file, menu.bytes);
    layout->menu = at;
    menuPage = BlockOf(at);
    placed.push_back({at, std::move(menu)});
  }

  // Indexes.
  std::vector<std::vector<KeyedWord>> words(book.indexes.size());
  for (const EntryDef& entry : book.entries) {
    for (const KeyDef& key : entry.keys) {
      size_t which = book.indexes.size();
      for (size_t i = 0; i < book.indexes.size(); ++i)
        if (book.indexes[i].name == key.index) which = i;
      if (which == book.indexes.size()) throw BuildError(key.line, "no index named '" + key.index + "'");
      auto heading = layout->entryHeading.find(entry.id);
      words[which].push_back({WordToJis(key.word, key.line), key.line, layout->entryText[entry.id], heading->second});
    }
  }
  // The hiragana twins of katakana words, where the source does not list them itself.
  for (size_t i = 0; i < book.indexes.size(); ++i) {
    if (!book.indexes[i].hiraganaTwins) continue;
    std::set<std::pair<JisString, uint32_t>> listed;  // word, entry
    for (const KeyedWord& w : words[i]) listed.insert({w.word, w.textPosition});
    const size_t explicitCount = words[i].size();
    for (size_t k = 0; k < explicitCount; ++k) {
      KeyedWord twin = words[i][k];
      twin.word = HiraganaOf(twin.word);
      if (listed.insert({twin.word, twin.textPosition}).second) words[i].push_back(twin);
    }
  }
  std::vector<uint32_t> indexPageCount(book.indexes.size());
  layout->indexes.resize(book.indexes.size());
  for (size_t i = 0; i < book.indexes.size(); ++i) {
    PadToBlock(&file);
    IndexPages pages = IndexPager(book.indexes[i]).Build(words[i], BlockOf(static_cast<uint32_t>(file.size())));
    Append(&file, pages.pages);
    indexPageCount[i] = static_cast<uint32_t>(pages.pages.size() / kBlockSize);
    layout->indexes[i] = {book.indexes[i].name, book.indexes[i].id, pages.startPage, pages.levels, pages.recordCount};
  }

  // Pictures and sounds.
  if (!book.pictures.empty()) PadToBlock(&file);
  for (const PictureDef& picture : book.pictures) {
    Bytes data = MakePictureData(picture);
    layout->pictures[picture.id] = {Append(&file, data), static_cast<uint32_t>(data.size())};
  }
  if (!book.sounds.empty()) PadToBlock(&file);
  for (const SoundDef& sound : book.sounds) {
    Bytes data = MakeSoundData(sound);
    layout->sounds[sound.id] = {Append(&file, data), static_cast<uint32_t>(data.size())};
  }
  PadToBlock(&file);

  // Positions that text refers to.
  for (const Placed& p : placed) {
    for (const Fixup& f : p.text.fixups) {
      uint32_t target = 0;
      switch (f.kind) {
        case Fixup::kTextPosition:
          target = f.target == "menu" ? *layout->menu : layout->entryText.at(f.target);
          break;
        case Fixup::kPictureData: target = layout->pictures.at(f.target).position; break;
        case Fixup::kSoundStart: target = layout->sounds.at(f.target).position; break;
        case Fixup::kSoundEnd: {
          const DataLayout& d = layout->sounds.at(f.target);
          target = d.position + d.size;
          break;
        }
      }
      SetBcdPosition(&file, p.position + f.at, target);
    }
  }

  // Descriptor table.
  file[0] = static_cast<uint8_t>(book.descriptors.size() >> 8);
  file[1] = static_cast<uint8_t>(book.descriptors.size());
  size_t at = 16;
  for (const DescriptorSlot& slot : book.descriptors) {
    uint8_t* d = &file[at];
    if (slot.kind == DescriptorSlot::kMenu) {
      d[0] = 0x01;
      Bytes page;
      PutBe32(&page, menuPage);
      PutBe32(&page, 1);
      std::copy(page.begin(), page.end(), d + 2);
    } else if (slot.kind == DescriptorSlot::kTextArea) {
      d[0] = 0x00;  // the entry text: from block 2, every block it fills
      Bytes page;
      PutBe32(&page, 2);
      PutBe32(&page, textPages);
      std::copy(page.begin(), page.end(), d + 2);
    } else if (slot.kind == DescriptorSlot::kRaw) {
      const RawDescriptor& raw = book.rawDescriptors[slot.which];
      d[0] = raw.id;
      Bytes page;
      PutBe32(&page, raw.page);
      PutBe32(&page, raw.count);
      std::copy(page.begin(), page.end(), d + 2);
      d[10] = raw.available;
      std::copy(raw.style.begin(), raw.style.end(), d + 11);
      d[15] = raw.convert;
    } else {
      const IndexDef& index = book.indexes[slot.which];
      d[0] = index.id;
      Bytes page;
      PutBe32(&page, layout->indexes[slot.which].startPage);
      PutBe32(&page, indexPageCount[slot.which]);
      std::copy(page.begin(), page.end(), d + 2);
      d[10] = index.available;
      for (int i = 0; i < 12; ++i) d[11 + i / 4] |= static_cast<uint8_t>(index.style[i] << (6 - 2 * (i % 4)));
      d[15] = index.convert;
    }
    at += 16;
  }
  layout->textFileSize = static_cast<uint32_t>(file.size());
  return file;
}

}  // namespace bookbuild
