// Native (Linux) half of the platform layer. Names are matched without regard to ASCII case,
// component by component, as Windows and the ISO 9660 discs the books come on match them:
// a catalog naming "test" finds "TEST/DATA/HONMON".
#include "BookFile.h"
#include "IsoNames.h"
#include "MemoryFiles_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <strings.h>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace dunmoor {

// --- The file system ---------------------------------------------------------------------------

namespace {

// The entry of directory whose name equals name without regard to ASCII case ("" if none).
// An exact match wins over a folded one, and a folded one over a name as a copy of a disc may
// spell it ("HONMON.;1" for HONMON, IsoNames.h).
std::string FindEntryFolded(const std::string& directory, const std::string& name) {
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (!dir) return std::string();
  std::string found, iso;
  while (dirent* entry = readdir(dir)) {
    if (name == entry->d_name) {
      found = name;
      break;
    }
    if (found.empty() && strcasecmp(name.c_str(), entry->d_name) == 0) found = entry->d_name;
    if (iso.empty() && IsoNameMatches(entry->d_name, name)) iso = entry->d_name;
  }
  closedir(dir);
  return found.empty() ? iso : found;
}

}  // namespace

namespace {

std::string JoinComponent(const std::string& base, const std::string& name) {
  if (base.empty()) return name;
  return base.back() == '/' ? base + name : base + "/" + name;
}

}  // namespace

bool ResolvePathFolded(const std::string& path, std::string* resolved) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) {
    *resolved = path;
    return true;
  }
  std::string root = !path.empty() && path[0] == '/' ? "/" : "";
  std::vector<std::string> parts;
  for (size_t pos = root.size(); pos <= path.size();) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(pos, end - pos);
    if (!part.empty() && part != ".") parts.push_back(part);
    pos = end + 1;
  }
  // Usually only the last few names differ in case: find the deepest directory that exists as
  // spelled, then match the names below it one by one.
  size_t known = parts.size();
  std::string out;
  for (;;) {
    if (known == 0) {
      out = root;
      break;
    }
    --known;
    out = root;
    for (size_t i = 0; i < known; ++i) out = JoinComponent(out, parts[i]);
    if (known == 0 || stat(out.c_str(), &st) == 0) break;
  }
  for (size_t i = known; i < parts.size(); ++i) {
    std::string candidate = JoinComponent(out, parts[i]);
    // The first name below the known directory is known not to exist as spelled.
    if (i == known || parts[i] == ".." || lstat(candidate.c_str(), &st) != 0) {
      if (parts[i] != "..") {
        std::string entry = FindEntryFolded(out, parts[i]);
        if (entry.empty()) return false;
        candidate = JoinComponent(out, entry);
      }
    }
    out = candidate;
  }
  if (out.empty() || stat(out.c_str(), &st) != 0) return false;
  *resolved = out;
  return true;
}

BookFile::~BookFile() { Close(); }

BookFile::BookFile(BookFile&& other) noexcept
    : fd(std::exchange(other.fd, -1)), position(std::exchange(other.position, 0)), memory(std::move(other.memory)) {}

BookFile& BookFile::operator=(BookFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd = std::exchange(other.fd, -1);
    position = std::exchange(other.position, 0);
    memory = std::move(other.memory);
  }
  return *this;
}

bool BookFile::Open(const std::string& path) {
  Close();
  MemoryAnswer held = AskMemory(path);
  if (held.file) {
    memory = std::move(held.file);
    position = 0;
    return true;
  }
  if (held.inFolder) return false;
  std::string resolved;
  if (!ResolvePathFolded(path, &resolved)) return false;
  int opened = open(resolved.c_str(), O_RDONLY | O_CLOEXEC);
  if (opened < 0) return false;
  struct stat st;
  if (fstat(opened, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(opened);
    return false;
  }
  fd = opened;
  position = 0;
  return true;
}

bool BookFile::IsOpen() const { return fd >= 0 || memory; }

bool BookFile::Seek(uint32_t to) {
  if (!IsOpen()) return false;
  position = to;
  return true;
}

bool BookFile::Read(void* buffer, uint32_t size, uint32_t* got) {
  if (memory) {
    uint64_t length = memory->size();
    uint32_t count = position >= length ? 0 : static_cast<uint32_t>(std::min<uint64_t>(size, length - position));
    if (count > 0) std::memcpy(buffer, memory->data() + position, count);
    position += count;
    *got = count;
    return true;
  }
  if (fd < 0) return false;
  uint32_t total = 0;
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (total < size) {
    ssize_t n = pread(fd, bytes + total, size - total, static_cast<off_t>(position + total));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    total += static_cast<uint32_t>(n);
  }
  position += total;
  *got = total;
  return true;
}

bool BookFile::Size(uint64_t* size) const {
  if (memory) {
    *size = memory->size();
    return true;
  }
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) return false;
  *size = static_cast<uint64_t>(st.st_size);
  return true;
}

bool BookFile::Close() {
  memory.reset();
  if (fd < 0) return true;
  int rc = close(std::exchange(fd, -1));
  return rc == 0;
}

bool LookUpFileSize(const std::string& path, uint64_t* size) {
  MemoryAnswer held = AskMemory(path);
  if (held.file) {
    *size = held.file->size();
    return true;
  }
  if (held.inFolder) return false;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    std::string resolved;
    if (!ResolvePathFolded(path, &resolved) || stat(resolved.c_str(), &st) != 0) return false;
  }
  *size = static_cast<uint64_t>(st.st_size);
  return true;
}

std::string SpelledPath(const std::string& path) {
  MemoryAnswer held = AskMemory(path);
  if (held.file || held.folder || held.inFolder) return path;
  std::string resolved;
  return ResolvePathFolded(path, &resolved) ? resolved : path;
}

// inotify watches single directories: the tree is covered by one watch per directory, and
// directories that appear later are added as their creation is seen. A thread of the watch's
// own waits for the events and counts the changes, so that a check is a load from memory, not
// a system call (a search reads thousands of headings, each after a check).
struct ChangeWatch::State {
  int fd = -1;
  int stopFd = -1;           // written by Stop to end the thread's wait
  bool rootWatched = false;  // the directory itself is watched (not only tried)
  bool localFileSystem = false;
  std::map<int, std::string> paths;  // watch descriptor -> directory; the thread's once it runs
  std::atomic<uint64_t> changes{0};  // raised by the thread for each batch of changes
  uint64_t seen = 0;                 // changes already reported by Check
  std::thread thread;
  // A folder held in memory: its changes are counted by the store itself.
  bool memory = false;
  std::string memoryFolder;
  uint64_t memorySeen = 0;       // the store's count at the last check
  uint64_t memorySeenBelow = 0;  // the folder's count at the last check
};

namespace {

constexpr uint32_t kWatchMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB |
                                IN_MODIFY | IN_DELETE_SELF | IN_MOVE_SELF;
constexpr int kMaxWatchDepth = 16;

// File systems whose changes all pass through this machine's kernel, so that inotify sees
// them. Network and user-space file systems are left out: changes made elsewhere escape it.
bool IsLocalFileSystem(const std::string& path) {
  struct statfs fs;
  if (statfs(path.c_str(), &fs) != 0) return false;
  switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x9660:      // ISO 9660 (CD-ROM)
    case 0x15013346:  // UDF
    case 0x01021994:  // tmpfs
    case 0x9123683E:  // btrfs
    case 0x58465342:  // xfs
    case 0x794C7630:  // overlayfs
    case 0x4D44:      // FAT
    case 0x2011BAB0:  // exFAT
    case 0xF2F52010:  // f2fs
      return true;
    default:
      return false;
  }
}

void AddTree(ChangeWatch::State* state, const std::string& directory, int depth) {
  int wd = inotify_add_watch(state->fd, directory.c_str(), kWatchMask);
  if (wd < 0) return;
  state->paths[wd] = directory;
  if (depth >= kMaxWatchDepth) return;
  DIR* dir = opendir(directory.c_str());
  if (!dir) return;
  std::vector<std::string> children;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string child = directory + "/" + name;
    bool isDir = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat st;
      isDir = lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    if (isDir) children.push_back(child);
  }
  closedir(dir);
  for (const std::string& child : children) AddTree(state, child, depth + 1);
}

// Reads the pending events: true when they hold a change (new directories are watched too).
bool DrainEvents(ChangeWatch::State* state) {
  bool changed = false;
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    ssize_t n = read(state->fd, buffer, sizeof buffer);
    if (n <= 0) break;
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->mask & (IN_Q_OVERFLOW | IN_UNMOUNT | IN_IGNORED)) {
        changed = true;
        continue;
      }
      // Directory names themselves are not watched (only file names, attributes and sizes),
      // but a new directory's contents are.
      bool isDir = (event->mask & IN_ISDIR) != 0;
      if (isDir && (event->mask & (IN_CREATE | IN_MOVED_TO))) {
        auto parent = state->paths.find(event->wd);
        if (parent != state->paths.end() && event->len > 0)
          AddTree(state, parent->second + "/" + event->name, 1);
        continue;
      }
      if (isDir && (event->mask & (IN_DELETE | IN_MOVED_FROM))) continue;
      if (event->mask & kWatchMask) changed = true;
    }
  }
  return changed;
}

void WatchEvents(ChangeWatch::State* state) {
  // One change of a file comes as several events (a creation, writes, attributes), and the
  // checks see it as one: the events of a burst are gathered until the watch is quiet for
  // kSettleMs (or the burst has lasted kLongestBurstMs), then counted as one change.
  using Clock = std::chrono::steady_clock;
  bool inBurst = false, burstChanged = false;
  Clock::time_point burstStart;
  for (;;) {
    pollfd waits[2] = {{state->fd, POLLIN, 0}, {state->stopFd, POLLIN, 0}};
    int ready = poll(waits, 2, inBurst ? ChangeWatch::kSettleMs : -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || waits[1].revents != 0) return;
    if (waits[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {  // the watch itself is gone
      state->changes.fetch_add(1, std::memory_order_release);
      return;
    }
    if (ready > 0) {
      if (!inBurst) burstStart = Clock::now();
      inBurst = true;
      burstChanged = DrainEvents(state) || burstChanged;
    }
    bool over = ready == 0 || Clock::now() - burstStart >= std::chrono::milliseconds(ChangeWatch::kLongestBurstMs);
    if (inBurst && over) {
      if (burstChanged) state->changes.fetch_add(1, std::memory_order_release);
      inBurst = burstChanged = false;
    }
  }
}

}  // namespace

ChangeWatch::~ChangeWatch() { Stop(); }

void ChangeWatch::Start(const std::string& directory) {
  Stop();
  state = new State;
  if (AskMemory(directory).folder) {
    // Files in memory change only through the store, which counts every change.
    state->memory = true;
    state->memoryFolder = directory;
    state->memorySeen = MemoryChanges();
    state->memorySeenBelow = MemoryChangesBelow(directory);
    return;
  }
  std::string resolved;
  if (!ResolvePathFolded(directory, &resolved)) return;  // unavailable, as a failed start
  state->fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (state->fd < 0) return;
  AddTree(state, resolved, 0);
  state->rootWatched = !state->paths.empty();
  state->localFileSystem = IsLocalFileSystem(resolved);
  state->stopFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (state->stopFd < 0) {  // no thread: the watch cannot report anything
    close(std::exchange(state->fd, -1));
    return;
  }
  try {
    state->thread = std::thread(WatchEvents, state);
  } catch (const std::system_error&) {
    close(std::exchange(state->fd, -1));
    close(std::exchange(state->stopFd, -1));
  }
}

bool ChangeWatch::ReportsEveryChange() const {
  return state && (state->memory || (state->thread.joinable() && state->rootWatched && state->localFileSystem));
}

ChangeWatch::Poll ChangeWatch::Check() {
  if (state && state->memory) {
    // Nothing changed anywhere in memory: one load. Else the folder's own count says.
    const uint64_t now = MemoryChanges();
    if (now == state->memorySeen) return Poll::kQuiet;
    state->memorySeen = now;
    const uint64_t below = MemoryChangesBelow(state->memoryFolder);
    if (below == state->memorySeenBelow) return Poll::kQuiet;
    state->memorySeenBelow = below;
    return Poll::kChanged;
  }
  if (!state || !state->thread.joinable()) return Poll::kUnavailable;
  // Every change counted since the last check is reported once.
  uint64_t now = state->changes.load(std::memory_order_acquire);
  if (now == state->seen) return Poll::kQuiet;
  state->seen = now;
  return Poll::kChanged;
}

void ChangeWatch::Stop() {
  if (!state) return;
  if (state->thread.joinable()) {
    uint64_t one = 1;
    ssize_t written = write(state->stopFd, &one, sizeof one);
    (void)written;  // an eventfd of a live thread takes the write
    state->thread.join();
  }
  if (state->fd >= 0) close(state->fd);
  if (state->stopFd >= 0) close(state->stopFd);
  delete state;
  state = nullptr;
}

void ShowLibraryMessage(const char*) {}

}  // namespace dunmoor
