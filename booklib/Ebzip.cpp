#include "Ebzip.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <system_error>
#include <thread>

namespace dunmoor {

namespace {

constexpr uint8_t kMagic[5] = {'E', 'B', 'Z', 'i', 'p'};
constexpr unsigned kModeZlibSlices = 1;
constexpr uint32_t kSmallestSlice = 2048;
// Slices inflated ahead of the one asked for when a read goes on into them: one stored read
// then serves a whole leaf-page run.
constexpr size_t kRunBytes = 64 * 1024;
// Whole slices of a read from which on they are inflated on two threads.
constexpr uint64_t kLongReadBytes = 512 * 1024;

uint64_t BigEndian(const uint8_t* bytes, unsigned width) {
  uint64_t value = 0;
  for (unsigned i = 0; i < width; ++i) value = value << 8 | bytes[i];
  return value;
}

unsigned OffsetWidth(uint64_t originalSize) {
  if (originalSize < (uint64_t{1} << 16)) return 2;
  if (originalSize < (uint64_t{1} << 24)) return 3;
  if (originalSize < (uint64_t{1} << 32)) return 4;
  return 5;
}

}  // namespace

bool LooksLikeEbzip(const uint8_t* bytes, size_t size) {
  return size >= kEbzipHeaderSize && std::memcmp(bytes, kMagic, sizeof kMagic) == 0 &&
         bytes[5] >> 4 == kModeZlibSlices;
}

// A slice is one whole zlib stream in memory: libdeflate inflates such a buffer in one call,
// several times faster than a streaming inflater.
struct EbzipReader::Inflater {
  libdeflate_decompressor* decompressor = nullptr;
  bool ready = false;

  ~Inflater() {
    if (decompressor) libdeflate_free_decompressor(decompressor);
  }
  bool Ready() {
    if (!ready) {
      decompressor = libdeflate_alloc_decompressor();
      ready = decompressor != nullptr;
    }
    return ready;
  }
};

EbzipReader::EbzipReader() : inflater(std::make_unique<Inflater>()) {}
EbzipReader::~EbzipReader() = default;

bool EbzipReader::Open(StoredRead reader, uint64_t stored) {
  read = std::move(reader);
  storedSize = stored;
  uint8_t header[kEbzipHeaderSize];
  uint32_t got = 0;
  if (!read || !read(0, header, sizeof header, &got) || got != sizeof header) return false;
  if (!LooksLikeEbzip(header, sizeof header)) return false;
  level = header[5] & 0x0F;
  if (level > kEbzipMaxLevel || header[6] != 0 || header[7] != 0 || header[8] != 0) return false;
  originalSize = BigEndian(header + 9, 5);
  sliceSize = kSmallestSlice << level;
  sliceCount = (originalSize + sliceSize - 1) / sliceSize;
  offsetWidth = OffsetWidth(originalSize);
  // The index must fit the file, begin right after itself and end with the file's length.
  uint64_t dataStart = kEbzipHeaderSize + (sliceCount + 1) * offsetWidth;
  if (dataStart > storedSize) return false;
  std::vector<uint64_t> ends;
  if (!ReadOffsets(0, 0, &ends) || ends[0] != dataStart) return false;
  if (!ReadOffsets(sliceCount, sliceCount, &ends) || ends[0] != storedSize) return false;

  size_t slots = std::max<size_t>(4, kEbzipCacheBytes / sliceSize);
  cache.assign(slots, CacheSlot{});
  return inflater->Ready();
}

bool EbzipReader::ReadOffsets(uint64_t first, uint64_t last, std::vector<uint64_t>* offsets) {
  // Offsets first .. last + 1, except that the last offset of the index stands alone.
  uint64_t count = std::min(last + 1, sliceCount) - first + 1;
  offsetBytes.resize(static_cast<size_t>(count * offsetWidth));
  uint32_t got = 0;
  if (!read(kEbzipHeaderSize + first * offsetWidth, offsetBytes.data(), static_cast<uint32_t>(offsetBytes.size()),
            &got) ||
      got != offsetBytes.size())
    return false;
  offsets->resize(static_cast<size_t>(count));
  for (size_t i = 0; i < count; ++i) (*offsets)[i] = BigEndian(offsetBytes.data() + i * offsetWidth, offsetWidth);
  return true;
}

bool EbzipReader::Unpack(Inflater& with, const uint8_t* stored, size_t storedLength, uint8_t* out) {
  if (storedLength == sliceSize) {
    std::memcpy(out, stored, sliceSize);
    return true;
  }
  if (!with.Ready()) return false;
  // One stream, consumed whole, that fills the slice exactly and passes its own checksum.
  size_t in = 0, produced = 0;
  const libdeflate_result result =
      libdeflate_zlib_decompress_ex(with.decompressor, stored, storedLength, out, sliceSize, &in, &produced);
  return result == LIBDEFLATE_SUCCESS && produced == sliceSize && in == storedLength;
}

const uint8_t* EbzipReader::Slice(uint64_t slice, uint64_t lastWanted) {
  CacheSlot& hit = cache[static_cast<size_t>(slice % cache.size())];
  if (hit.slice == slice) return hit.bytes.data();

  // A run of slices that are not held yet, as far as the read goes, read from the file at once.
  uint64_t runSlices = std::max<uint64_t>(1, std::min<uint64_t>(kRunBytes / sliceSize, cache.size()));
  uint64_t last = slice;
  while (last < lastWanted && last - slice + 1 < runSlices &&
         cache[static_cast<size_t>((last + 1) % cache.size())].slice != last + 1)
    ++last;
  if (!ReadStored(slice, last)) return nullptr;
  const uint64_t begin = offsetBuffer.front();
  for (uint64_t s = slice; s <= last; ++s) {
    CacheSlot& slot = cache[static_cast<size_t>(s % cache.size())];
    slot.slice = UINT64_MAX;  // empty unless the slice unpacks whole
    slot.bytes.resize(sliceSize);
    size_t i = static_cast<size_t>(s - slice);
    if (!Unpack(*inflater, storedBuffer.data() + (offsetBuffer[i] - begin),
                static_cast<size_t>(offsetBuffer[i + 1] - offsetBuffer[i]), slot.bytes.data()))
      return nullptr;
    slot.slice = s;
  }
  return hit.bytes.data();
}

bool EbzipReader::ReadStored(uint64_t first, uint64_t last) {
  if (!ReadOffsets(first, last, &offsetBuffer)) return false;
  // A stream that could inflate to one slice is never much longer than the slice.
  const uint64_t longestStored = sliceSize + sliceSize / 16 + 64;
  uint64_t dataStart = kEbzipHeaderSize + (sliceCount + 1) * offsetWidth;
  for (size_t i = 0; i + 1 < offsetBuffer.size(); ++i) {
    uint64_t from = offsetBuffer[i], to = offsetBuffer[i + 1];
    if (from < dataStart || to < from || to > storedSize || to - from > longestStored || to == from) return false;
  }
  uint64_t begin = offsetBuffer.front(), end = offsetBuffer.back();
  storedBuffer.resize(static_cast<size_t>(end - begin));
  uint32_t got = 0;
  return read(begin, storedBuffer.data(), static_cast<uint32_t>(storedBuffer.size()), &got) && got == storedBuffer.size();
}

bool EbzipReader::WholeSlices(uint64_t first, uint64_t last, uint8_t* out) {
  if (!ReadStored(first, last)) return false;
  const uint64_t begin = offsetBuffer.front();
  auto unpack = [&](Inflater& with, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      if (!Unpack(with, storedBuffer.data() + (offsetBuffer[i] - begin),
                  static_cast<size_t>(offsetBuffer[i + 1] - offsetBuffer[i]), out + i * sliceSize))
        return false;
    }
    return true;
  };
  const size_t count = static_cast<size_t>(last - first + 1), half = count / 2;
  if (!helper) helper = std::make_unique<Inflater>();
  bool second = false;
  std::thread worker;
  try {
    worker = std::thread([&] { second = unpack(*helper, half, count); });
  } catch (const std::system_error&) {
    second = unpack(*helper, half, count);  // no second thread to be had: one after the other
  }
  bool firstHalf = unpack(*inflater, 0, half);
  if (worker.joinable()) worker.join();
  return firstHalf && second;
}

bool EbzipReader::Read(uint64_t position, void* buffer, uint32_t size, uint32_t* got) {
  *got = 0;
  if (!read || cache.empty()) return false;
  if (position >= originalSize || size == 0) return true;
  uint64_t end = std::min<uint64_t>(originalSize, position + size);
  uint64_t lastSlice = (end - 1) / sliceSize;
  auto* out = static_cast<uint8_t*>(buffer);
  uint32_t copied = 0;
  for (uint64_t at = position; at < end;) {
    uint64_t slice = at / sliceSize;
    // A long run of whole slices from here: straight into the buffer.
    const uint64_t whole = at % sliceSize == 0 ? (end - at) / sliceSize : 0;
    if (whole * sliceSize >= kLongReadBytes) {
      if (!WholeSlices(slice, slice + whole - 1, out + copied)) return false;
      copied += static_cast<uint32_t>(whole * sliceSize);
      at += whole * sliceSize;
      continue;
    }
    const uint8_t* bytes = Slice(slice, lastSlice);
    if (!bytes) return false;
    uint64_t within = at - slice * sliceSize;
    uint64_t take = std::min<uint64_t>(sliceSize - within, end - at);
    std::memcpy(out + copied, bytes + within, static_cast<size_t>(take));
    copied += static_cast<uint32_t>(take);
    at += take;
  }
  *got = copied;
  return true;
}

}  // namespace dunmoor
