// Files held in memory instead of on disk (native build): the store that the fuzz targets and the
// tests put their discs into, and the one look at it that the file functions take first.
#include "MemoryFiles_posix.h"

#include "IsoNames.h"

#include <atomic>
#include <cctype>
#include <map>
#include <mutex>
#include <set>
#include <utility>

namespace dunmoor {

namespace {

struct MemoryStore {
  std::mutex mutex;
  std::map<std::string, MemoryFile> files;  // by folded path
  std::set<std::string> directories;        // folded; every folder above a file put here
  std::atomic<bool> used{false};            // anything put since the last Clear: look here first
  std::atomic<uint64_t> changes{0};         // every change counted
  std::map<std::string, uint64_t> changedBelow;  // folded folder -> the count at its last change
};

MemoryStore& Store() {
  static MemoryStore store;
  return store;
}

std::string Folded(const std::string& path) {
  std::string out = path;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string FoldedParent(const std::string& folded) {
  size_t slash = folded.rfind('/');
  return slash == std::string::npos ? std::string() : folded.substr(0, slash == 0 ? 1 : slash);
}

// Notes folder and every folder above it as held in memory. The store's mutex is held.
void NoteFolders(MemoryStore* store, std::string folder) {
  for (; folder.size() > 1; folder = FoldedParent(folder)) store->directories.insert(folder);
  store->used.store(true, std::memory_order_release);
}

// A change at path (folded): counted, and noted for every folder above it. The mutex is held.
void NoteChange(MemoryStore* store, const std::string& path) {
  const uint64_t now = store->changes.fetch_add(1, std::memory_order_acq_rel) + 1;
  for (std::string folder = path; folder.size() > 1;) {
    store->changedBelow[folder] = now;
    std::string up = FoldedParent(folder);
    if (up == folder) break;
    folder = std::move(up);
  }
}

}  // namespace

uint64_t MemoryChanges() { return Store().changes.load(std::memory_order_acquire); }

uint64_t MemoryChangesBelow(const std::string& folder) {
  MemoryStore& store = Store();
  const std::string key = Folded(folder);
  std::lock_guard<std::mutex> lock(store.mutex);
  auto found = store.changedBelow.find(key);
  return found == store.changedBelow.end() ? 0 : found->second;
}

MemoryAnswer AskMemory(const std::string& path) {
  MemoryAnswer answer;
  MemoryStore& store = Store();
  if (!store.used.load(std::memory_order_acquire)) return answer;
  std::string key = Folded(path);
  std::string parent = FoldedParent(key);
  std::lock_guard<std::mutex> lock(store.mutex);
  auto found = store.files.find(key);
  if (found != store.files.end()) answer.file = found->second;
  // A disc copied with ISO 9660 names holds the file as "NAME.;1" or the like, as on disk.
  const size_t slash = key.rfind('/');
  const std::string name = key.substr(slash == std::string::npos ? 0 : slash + 1);
  for (auto it = store.files.lower_bound(key); !answer.file && it != store.files.end() && !name.empty() &&
                                               it->first.compare(0, key.size(), key) == 0;
       ++it) {
    if (it->first.rfind('/') == slash && IsoNameMatches(it->first.substr(slash + 1), name)) answer.file = it->second;
  }
  answer.folder = store.directories.count(key) > 0;
  // Below a folder held in memory at any depth: a name there that memory lacks is missing, and the
  // file system is never asked (a fuzzed catalog names books and fonts in folders of any name).
  for (std::string up = parent; !up.empty() && !answer.inFolder;) {
    answer.inFolder = store.directories.count(up) > 0;
    std::string next = FoldedParent(up);
    if (next == up) break;
    up = std::move(next);
  }
  return answer;
}


namespace memoryfiles {

void Put(const std::string& path, std::vector<uint8_t> bytes) {
  MemoryStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  std::string key = Folded(path);
  store.files[key] = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
  NoteFolders(&store, FoldedParent(key));
  NoteChange(&store, key);
}

void PutFolder(const std::string& path) {
  MemoryStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  NoteFolders(&store, Folded(path));
  NoteChange(&store, Folded(path));
}

void Remove(const std::string& path) {
  MemoryStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  store.files.erase(Folded(path));
  NoteChange(&store, Folded(path));
}

void Clear() {
  MemoryStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  store.files.clear();
  store.directories.clear();
  store.changedBelow.clear();
  store.changes.fetch_add(1, std::memory_order_acq_rel);
  store.used.store(false, std::memory_order_release);
}

}  // namespace memoryfiles


}  // namespace dunmoor
