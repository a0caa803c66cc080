#include "BookFixture.h"

namespace fixture {

Bytes CatalogBytes(const std::vector<Entry>& entries, int countOverride) {
  size_t count = countOverride >= 0 ? static_cast<size_t>(countOverride) : entries.size();
  Bytes bytes(16, 0);
  bytes[0] = static_cast<uint8_t>(count >> 8);
  bytes[1] = static_cast<uint8_t>(count);
  bytes[3] = 1;
  for (const Entry& entry : entries) {
    Bytes record(164, 0);
    record[0] = entry.type;
    for (size_t i = 0; i < entry.title.size() && i < 80; ++i) record[2 + i] = static_cast<uint8_t>(entry.title[i]);
    for (size_t i = 0; i < 8; ++i)
      record[82 + i] = i < entry.directory.size() ? static_cast<uint8_t>(entry.directory[i]) : ' ';
    record[95] = 1;
    for (size_t i = 0; i < entry.fontNames.size() && i < 64; ++i)
      record[100 + i] = static_cast<uint8_t>(entry.fontNames[i]);
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  return bytes;
}

Bytes TextFileBytes(const std::vector<uint8_t>& identifiers, int blocks) {
  Bytes bytes(static_cast<size_t>(blocks) * 2048, 0);
  bytes[0] = static_cast<uint8_t>(identifiers.size() >> 8);
  bytes[1] = static_cast<uint8_t>(identifiers.size());
  for (size_t i = 0; i < identifiers.size(); ++i) {
    uint8_t* d = &bytes[16 + 16 * i];
    d[0] = identifiers[i];
    d[5] = static_cast<uint8_t>(2 + i);  // start page, 32-bit big-endian
  }
  return bytes;
}

void WriteDisc(const testfiles::TempDir& root, const std::vector<Entry>& entries, const Bytes& textFile) {
  testfiles::WriteFile(root.Path() / "CATALOGS", CatalogBytes(entries));
  for (const Entry& entry : entries) {
    std::string dir;
    for (char c : entry.directory)
      if (c != ' ') dir.push_back(c);
    if (!dir.empty()) testfiles::WriteFile(root.Path() / dir / "DATA" / "HONMON", textFile);
  }
}

std::string FullWidth(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out.push_back(0x23);
    out.push_back(c);
  }
  return out;
}

}  // namespace fixture
