#include "TestFiles.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testfiles {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() /
                         ("dunmoor-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    if (fs::create_directory(candidate)) {
      path = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot make a scratch directory");
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

std::string TempDir::Str(const std::string& child) const {
  std::filesystem::path full = child.empty() ? path : path / child;
  return full.make_preferred().string();
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBmp24(const fs::path& path, int width, int height, const std::function<uint32_t(int x, int y)>& rgb) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary);
  uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  uint32_t imageSize = stride * static_cast<uint32_t>(height);
  auto put16 = [&](uint32_t v) { out.put(static_cast<char>(v)), out.put(static_cast<char>(v >> 8)); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
  out.put('B'), out.put('M');
  put32(54 + imageSize), put32(0), put32(54);
  put32(40), put32(static_cast<uint32_t>(width)), put32(static_cast<uint32_t>(height)), put16(1), put16(24);
  put32(0), put32(imageSize), put32(0), put32(0), put32(0), put32(0);
  for (int y = height - 1; y >= 0; --y) {  // bottom-up, blue green red
    for (int x = 0; x < width; ++x) {
      uint32_t c = rgb(x, y);
      out.put(static_cast<char>(c)), out.put(static_cast<char>(c >> 8)), out.put(static_cast<char>(c >> 16));
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < stride; ++pad) out.put(0);
  }
  return static_cast<bool>(out);
}

void CopyTree(const fs::path& from, const fs::path& to) {
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  // Shared books are read-only; copies must be writable for the tests that change them.
  for (const auto& entry : fs::recursive_directory_iterator(to)) {
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
  }
}

fs::path BuiltBook(const std::string& name) { return fs::path(DUNMOOR_BOOKS_DIR) / name; }
fs::path SharedBook(const std::string& name) { return fs::path(DUNMOOR_SHARED_BOOKS) / name; }

int32_t MappedEntryPosition(const std::string& book, const std::string& entry) {
  std::ifstream map(fs::path(DUNMOOR_BOOKS_DIR) / (book + ".map"));
  std::string word, id, kind;
  long long position = 0;
  for (std::string line; std::getline(map, line);) {
    std::istringstream fields(line);
    if (fields >> word >> id >> kind >> position && word == "entry" && id == entry && kind == "text")
      return static_cast<int32_t>(position);
  }
  return -1;
}

}  // namespace testfiles
