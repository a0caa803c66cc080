#include "DiscImage.h"

#include <filesystem>
#include <fstream>

#include "BuildError.h"
#include "FontFile.h"
#include "MarkupEncoder.h"
#include "TextFileWriter.h"

namespace bookbuild {

namespace {

constexpr size_t kCatalogEntry = 164;
constexpr size_t kTitleChars = 40;

void ApplyEdit(const FileEdit& edit, DiscImage* image) {
  Bytes* file = image->Find(edit.file);
  if (file == nullptr) throw BuildError(edit.line, "no file '" + edit.file + "' on the disc");
  if (edit.truncate) {
    if (edit.size > file->size()) throw BuildError(edit.line, "truncate would make the file longer");
    file->resize(edit.size);
    return;
  }
  if (edit.offset > file->size() || edit.bytes.size() > file->size() - edit.offset)
    throw BuildError(edit.line, "patch reaches beyond the end of " + edit.file + " (" +
                                    std::to_string(file->size()) + " bytes)");
  std::copy(edit.bytes.begin(), edit.bytes.end(), file->begin() + static_cast<long>(edit.offset));
}

}  // namespace

Bytes* DiscImage::Find(const std::string& path) {
  for (auto& [name, bytes] : files)
    if (name == path) return &bytes;
  return nullptr;
}

Bytes MakeCatalog(const DiscDef& disc) {
  Bytes out;
  PutBe16(&out, static_cast<uint32_t>(disc.books.size()));
  PutBe16(&out, disc.catalogVersion);
  out.resize(16, 0);
  for (const BookDef& book : disc.books) {
    Bytes entry(kCatalogEntry, 0);
    entry[0] = book.type;
    std::vector<uint16_t> title = WordToJis(book.title, book.titleLine);
    if (title.size() > kTitleChars) throw BuildError(book.titleLine, "title longer than 40 characters");
    for (size_t i = 0; i < title.size(); ++i) {
      entry[2 + 2 * i] = static_cast<uint8_t>(title[i] >> 8);
      entry[3 + 2 * i] = static_cast<uint8_t>(title[i]);
    }
    for (size_t i = 0; i < 8; ++i) entry[82 + i] = i < book.dirName.size() ? book.dirName[i] : ' ';
    entry[95] = 1;
    for (int slot = 0; slot < kFontSlotCount; ++slot) {
      const std::string& name = book.fonts[slot].file;
      if (book.fonts[slot].present) std::copy(name.begin(), name.end(), entry.begin() + 100 + 8 * slot);
    }
    out.insert(out.end(), entry.begin(), entry.end());
  }
  return out;
}

DiscImage MakeDiscImage(const DiscDef& disc, LayoutMap* map) {
  if (disc.books.empty()) throw BuildError(0, "the source describes no book");
  DiscImage image;
  LayoutMap layout;
  layout.catalogFile = disc.catalogFile;
  image.files.push_back({disc.catalogFile, MakeCatalog(disc)});
  for (const BookDef& book : disc.books) {
    BookLayout bookLayout;
    bookLayout.dirName = book.dirName;
    bookLayout.textFile = book.diskDir + "/" + book.dataDir + "/" + book.textFile;
    Bytes text = WriteTextFile(book, &bookLayout);
    if (image.Find(bookLayout.textFile) != nullptr)
      throw BuildError(book.line, "two books write " + bookLayout.textFile);
    image.files.push_back({bookLayout.textFile, std::move(text)});
    for (int slot = 0; slot < kFontSlotCount; ++slot) {
      const FontDef& font = book.fonts[slot];
      if (!font.present) continue;
      std::string path = book.diskDir + "/" + book.gaijiDir + "/" + font.file;
      if (image.Find(path) != nullptr) throw BuildError(font.line, "two fonts write " + path);
      image.files.push_back({path, MakeFontFile(static_cast<FontSlot>(slot), font)});
      bookLayout.fontFiles[slot] = path;
    }
    layout.books.push_back(std::move(bookLayout));
  }
  for (const FileEdit& edit : disc.edits) ApplyEdit(edit, &image);
  if (map != nullptr) *map = std::move(layout);
  return image;
}

void WriteDiscImage(const DiscImage& image, const std::string& outDir) {
  namespace fs = std::filesystem;
  for (const auto& [name, bytes] : image.files) {
    fs::path path = fs::path(outDir) / fs::path(name);
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec) throw BuildError(0, "cannot create " + path.parent_path().string() + ": " + ec.message());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw BuildError(0, "cannot write " + path.string());
  }
}

}  // namespace bookbuild
