#include "Ebzip.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

#include "TestFiles.h"

namespace dunmoor {
namespace {

using testfiles::Bytes;

// A compressed file held in memory; counts the reads made of it.
struct StoredFile {
  Bytes bytes;
  int reads = 0;

  EbzipReader::StoredRead Reader() {
    return [this](uint64_t offset, void* buffer, uint32_t size, uint32_t* got) {
      ++reads;
      uint64_t n = offset >= bytes.size() ? 0 : std::min<uint64_t>(size, bytes.size() - offset);
      if (n) std::memcpy(buffer, bytes.data() + offset, n);
      *got = static_cast<uint32_t>(n);
      return true;
    };
  }
};

void PutBigEndian(Bytes* out, size_t at, uint64_t value, unsigned width) {
  for (unsigned i = 0; i < width; ++i) (*out)[at + i] = static_cast<uint8_t>(value >> (8 * (width - 1 - i)));
}

// Writes original in the compressed form, slice by slice as the format describes;
// slice(i, bytes) may replace the stored bytes of slice i (to damage it).
Bytes Compress(const Bytes& original, int level,
               const std::function<void(size_t, Bytes*)>& slice = [](size_t, Bytes*) {}) {
  const size_t s = size_t{2048} << level;
  const size_t n = (original.size() + s - 1) / s;
  const unsigned w = original.size() < (1u << 16) ? 2 : original.size() < (1u << 24) ? 3 : 4;
  Bytes out(kEbzipHeaderSize + (n + 1) * w, 0);
  std::memcpy(out.data(), "EBZip", 5);
  out[5] = static_cast<uint8_t>(0x10 | level);
  PutBigEndian(&out, 9, original.size(), 5);
  PutBigEndian(&out, 14, adler32(1, original.data(), static_cast<uInt>(original.size())), 4);
  for (size_t i = 0; i < n; ++i) {
    PutBigEndian(&out, kEbzipHeaderSize + i * w, out.size(), w);
    Bytes plain(s, 0);
    std::memcpy(plain.data(), original.data() + i * s, std::min(s, original.size() - i * s));
    uLongf length = compressBound(static_cast<uLong>(s));
    Bytes packed(length);
    compress2(packed.data(), &length, plain.data(), static_cast<uLong>(s), 6);
    packed.resize(length);
    if (packed.size() >= s) packed = plain;  // compression did not help: stored as is
    slice(i, &packed);
    out.insert(out.end(), packed.begin(), packed.end());
  }
  PutBigEndian(&out, kEbzipHeaderSize + n * w, out.size(), w);
  return out;
}

// Text-like bytes that compress, with a stretch of noise that does not.
Bytes Original(size_t size) {
  Bytes b(size);
  uint32_t x = 12345;
  for (size_t i = 0; i < size; ++i) {
    x = x * 1103515245 + 12345;
    b[i] = (i / 3000) % 4 == 3 ? static_cast<uint8_t>(x >> 16) : static_cast<uint8_t>("EPWING text "[i % 12]);
  }
  return b;
}

bool ReadAll(EbzipReader* reader, uint64_t position, uint32_t size, Bytes* out) {
  out->assign(size, 0xEE);
  uint32_t got = 0;
  if (!reader->Read(position, out->data(), size, &got)) return false;
  out->resize(got);
  return true;
}

TEST(Ebzip, EveryLevelReadsBackTheOriginalAtAnyPositionAndLength) {
  const Bytes original = Original(70000);
  for (int level = 0; level <= kEbzipMaxLevel; ++level) {
    StoredFile file{Compress(original, level)};
    EbzipReader reader;
    ASSERT_TRUE(reader.Open(file.Reader(), file.bytes.size())) << level;
    EXPECT_EQ(reader.OriginalSize(), original.size());
    const size_t s = size_t{2048} << level;
    // Reads across slice edges, inside one slice, up to and past the end.
    for (uint64_t at : {uint64_t{0}, uint64_t{s - 1}, uint64_t{s}, uint64_t{3 * s / 2}, uint64_t{69990}}) {
      for (uint32_t size : {1u, 2u, 2048u, 65536u}) {
        Bytes got;
        ASSERT_TRUE(ReadAll(&reader, at, size, &got)) << level << " " << at << " " << size;
        size_t want = at >= original.size() ? 0 : std::min<size_t>(size, original.size() - at);
        ASSERT_EQ(got.size(), want);
        EXPECT_TRUE(std::equal(got.begin(), got.end(), original.begin() + static_cast<long>(at)))
            << level << " " << at << " " << size;
      }
    }
    Bytes none;
    EXPECT_TRUE(ReadAll(&reader, original.size(), 10, &none));
    EXPECT_TRUE(none.empty());
  }
}

// A read of many whole slices (a full-text scan's) inflates them on two threads straight into
// the buffer: the same bytes as slice by slice, and a damaged slice in either half fails it.
TEST(Ebzip, ALongReadGivesTheSameBytesAndFailsOnDamageInEitherHalf) {
  const Bytes original = Original(3 * 1024 * 1024 + 5000);  // level 2: 385 slices of 8 KiB
  StoredFile file{Compress(original, 2)};
  EbzipReader reader;
  ASSERT_TRUE(reader.Open(file.Reader(), file.bytes.size()));
  for (uint64_t at : {uint64_t{0}, uint64_t{4096}, uint64_t{1024 * 1024 + 2048}}) {
    Bytes got;
    ASSERT_TRUE(ReadAll(&reader, at, 2 * 1024 * 1024, &got)) << at;
    ASSERT_EQ(got.size(), 2u * 1024 * 1024);
    EXPECT_TRUE(std::equal(got.begin(), got.end(), original.begin() + static_cast<long>(at))) << at;
  }
  for (size_t damaged : {size_t{10}, size_t{200}}) {  // the first and the second half of the read
    StoredFile bad{Compress(original, 2, [&](size_t i, Bytes* packed) {
      if (i == damaged) (*packed)[packed->size() / 2] ^= 0x55;
    })};
    EbzipReader damagedReader;
    ASSERT_TRUE(damagedReader.Open(bad.Reader(), bad.bytes.size()));
    Bytes got;
    EXPECT_FALSE(ReadAll(&damagedReader, 0, 3 * 1024 * 1024, &got)) << damaged;
  }
}

TEST(Ebzip, TheFilesOfAnIndependentCompressorReadAsTheOriginal) {
  // The sample book compressed by ebzip at three levels, and the freepwing book's font.
  const Bytes plain = testfiles::ReadFile(testfiles::BuiltBook("sample") / "SAMPLE" / "DATA" / "HONMON");
  ASSERT_FALSE(plain.empty());
  for (const char* disc : {"sample-ebz0", "sample-ebz3", "sample-ebz5"}) {
    StoredFile file{testfiles::ReadFile(testfiles::BuiltBook(disc) / "SAMPLE" / "DATA" / "HONMON.ebz")};
    EbzipReader reader;
    ASSERT_TRUE(reader.Open(file.Reader(), file.bytes.size())) << disc;
    Bytes whole;
    ASSERT_TRUE(ReadAll(&reader, 0, static_cast<uint32_t>(plain.size() + 100), &whole));
    EXPECT_TRUE(whole == plain) << disc;
  }
}

TEST(Ebzip, PagesReadAgainComeFromTheCacheAndARunIsReadAtOnce) {
  StoredFile file{Compress(Original(200000), 0)};
  EbzipReader reader;
  ASSERT_TRUE(reader.Open(file.Reader(), file.bytes.size()));
  Bytes page;
  int before = file.reads;
  ASSERT_TRUE(ReadAll(&reader, 10 * 2048, 32 * 2048, &page));  // 32 slices: index and data, once
  EXPECT_EQ(file.reads - before, 2);
  before = file.reads;
  for (int i = 0; i < 2000; ++i) ASSERT_TRUE(ReadAll(&reader, 10 * 2048 + (i * 31) % 60000, 500, &page));
  EXPECT_EQ(file.reads, before);
}

TEST(Ebzip, DamageIsAReadErrorNeverWrongBytes) {
  const Bytes original = Original(40000);  // level 0: 20 slices, offsets 2 bytes wide
  const Bytes good = Compress(original, 0);
  const size_t index = kEbzipHeaderSize;
  const size_t kDamaged = 8;  // a slice of text, stored compressed
  struct Case {
    const char* what;
    std::function<void(Bytes*)> damage;
    bool opens;
  };
  auto packedAs = [&](size_t which, std::function<void(Bytes*)> change) {
    return [=](Bytes* file) {
      *file = Compress(original, 0, [&](size_t i, Bytes* packed) {
        if (i == which) change(packed);
      });
    };
  };
  auto deflated = [](size_t size) {
    return [size](Bytes* packed) {
      Bytes plain(size, 'x');
      uLongf length = compressBound(static_cast<uLong>(size));
      packed->assign(length, 0);
      compress2(packed->data(), &length, plain.data(), static_cast<uLong>(size), 6);
      packed->resize(length);
    };
  };
  const Case cases[] = {
      {"no magic", [](Bytes* f) { (*f)[0] = 'X'; }, false},
      {"unknown mode", [](Bytes* f) { (*f)[5] = 0x20; }, false},
      {"level above 5", [](Bytes* f) { (*f)[5] = 0x16; }, false},
      {"size needing more slices than the index has", [](Bytes* f) { (*f)[12] += 0x10; }, false},
      {"header cut", [](Bytes* f) { f->resize(20); }, false},
      {"index cut", [&](Bytes* f) { f->resize(index + 10); }, false},
      {"file longer than its index says", [](Bytes* f) { f->push_back(0); }, false},
      {"offsets going backwards", [&](Bytes* f) { PutBigEndian(f, index + 2 * kDamaged, 30, 2); }, true},
      {"offset past the end", [&](Bytes* f) { PutBigEndian(f, index + 2 * kDamaged, 0xFFF0, 2); }, true},
      {"a byte of a stream flipped", packedAs(kDamaged, [](Bytes* p) { (*p)[p->size() / 2] ^= 0x55; }), true},
      {"checksum of a stream wrong", packedAs(kDamaged, [](Bytes* p) { p->back() ^= 1; }), true},
      {"stream one byte short of a slice", packedAs(kDamaged, deflated(2047)), true},
      {"stream one byte over a slice", packedAs(kDamaged, deflated(2049)), true},
      {"two streams in one slice", packedAs(kDamaged, [&](Bytes* p) { Bytes twice = *p; p->insert(p->end(), twice.begin(), twice.end()); }), true},
      {"empty slice", packedAs(kDamaged, [](Bytes* p) { p->clear(); }), true},
  };
  for (const Case& c : cases) {
    StoredFile file{good};
    c.damage(&file.bytes);
    EbzipReader reader;
    bool opened = reader.Open(file.Reader(), file.bytes.size());
    EXPECT_EQ(opened, c.opens) << c.what;
    if (!opened) continue;
    Bytes got;
    // One slice is damaged; the slices before it still read.
    EXPECT_FALSE(ReadAll(&reader, kDamaged * 2048 + 100, 10, &got)) << c.what;
    EXPECT_FALSE(ReadAll(&reader, 0, 40000, &got)) << c.what;
    ASSERT_TRUE(ReadAll(&reader, 100, 2000, &got)) << c.what;
    EXPECT_TRUE(std::equal(got.begin(), got.end(), original.begin() + 100)) << c.what;
  }
}

TEST(Ebzip, AFailingStoredReadFailsTheRead) {
  StoredFile file{Compress(Original(10000), 0)};
  EbzipReader reader;
  ASSERT_TRUE(reader.Open(file.Reader(), file.bytes.size()));
  reader.SetStoredRead([](uint64_t, void*, uint32_t, uint32_t*) { return false; });
  Bytes got;
  EXPECT_FALSE(ReadAll(&reader, 0, 10, &got));
  EbzipReader empty;
  EXPECT_FALSE(empty.Open(nullptr, 100));
  EXPECT_FALSE(ReadAll(&empty, 0, 10, &got));
}

}  // namespace
}  // namespace dunmoor
