// Native (Linux) half of the platform layer. Names are matched without regard to ASCII case,
// component by component, as Windows and the ISO 9660 discs the books come on match them:
// a catalog naming "test" finds "TEST/DATA/HONMON".
#include "BookFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <strings.h>
#include <utility>
#include <vector>

namespace dunmoor {

namespace {

// The entry of directory whose name equals name without regard to ASCII case ("" if none).
// An exact match wins over a folded one.
std::string FindEntryFolded(const std::string& directory, const std::string& name) {
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (!dir) return std::string();
  std::string found;
  while (dirent* entry = readdir(dir)) {
    if (name == entry->d_name) {
      found = name;
      break;
    }
    if (found.empty() && strcasecmp(name.c_str(), entry->d_name) == 0) found = entry->d_name;
  }
  closedir(dir);
  return found;
}

}  // namespace

bool ResolvePathFolded(const std::string& path, std::string* resolved) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) {
    *resolved = path;
    return true;
  }
  std::string out;
  size_t pos = 0;
  if (!path.empty() && path[0] == '/') {
    out = "/";
    pos = 1;
  }
  while (pos <= path.size()) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") continue;
    std::string base = out.empty() ? "." : out;
    std::string candidate = (out.empty() || out.back() == '/') ? out + part : out + "/" + part;
    if (part != ".." && lstat(candidate.c_str(), &st) != 0) {
      std::string entry = FindEntryFolded(base, part);
      if (entry.empty()) return false;
      candidate = (out.empty() || out.back() == '/') ? out + entry : out + "/" + entry;
    }
    out = candidate;
  }
  if (out.empty() || stat(out.c_str(), &st) != 0) return false;
  *resolved = out;
  return true;
}

BookFile::~BookFile() { Close(); }

BookFile::BookFile(BookFile&& other) noexcept : fd(std::exchange(other.fd, -1)) {}

BookFile& BookFile::operator=(BookFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd = std::exchange(other.fd, -1);
  }
  return *this;
}

bool BookFile::Open(const std::string& path) {
  Close();
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
  return true;
}

bool BookFile::IsOpen() const { return fd >= 0; }

bool BookFile::Seek(uint32_t position) {
  return fd >= 0 && lseek(fd, static_cast<off_t>(position), SEEK_SET) == static_cast<off_t>(position);
}

bool BookFile::Read(void* buffer, uint32_t size, uint32_t* got) {
  if (fd < 0) return false;
  uint32_t total = 0;
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (total < size) {
    ssize_t n = read(fd, bytes + total, size - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    total += static_cast<uint32_t>(n);
  }
  *got = total;
  return true;
}

bool BookFile::Size(uint64_t* size) const {
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) return false;
  *size = static_cast<uint64_t>(st.st_size);
  return true;
}

bool BookFile::Close() {
  if (fd < 0) return true;
  int rc = close(std::exchange(fd, -1));
  return rc == 0;
}

bool LookUpFileSize(const std::string& path, uint64_t* size) {
  std::string resolved;
  struct stat st;
  if (!ResolvePathFolded(path, &resolved) || stat(resolved.c_str(), &st) != 0) return false;
  *size = static_cast<uint64_t>(st.st_size);
  return true;
}

// inotify watches single directories: the tree is covered by one watch per directory, and
// directories that appear later are added as their creation is seen.
struct ChangeWatch::State {
  int fd = -1;
  std::map<int, std::string> paths;  // watch descriptor -> directory
};

namespace {

constexpr uint32_t kWatchMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB |
                                IN_MODIFY | IN_DELETE_SELF | IN_MOVE_SELF;
constexpr int kMaxWatchDepth = 16;

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
    struct stat st;
    if (lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) children.push_back(child);
  }
  closedir(dir);
  for (const std::string& child : children) AddTree(state, child, depth + 1);
}

}  // namespace

ChangeWatch::~ChangeWatch() { Stop(); }

void ChangeWatch::Start(const std::string& directory) {
  Stop();
  state = new State;
  std::string resolved;
  if (!ResolvePathFolded(directory, &resolved)) return;  // unavailable, as a failed start
  state->fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (state->fd >= 0) AddTree(state, resolved, 0);
}

ChangeWatch::Poll ChangeWatch::Check() {
  if (!state || state->fd < 0) return Poll::kUnavailable;
  // Drain every pending event: all the changes since the last poll are reported once.
  bool changed = false;
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    ssize_t n = read(state->fd, buffer, sizeof buffer);
    if (n <= 0) break;
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) {
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
  return changed ? Poll::kChanged : Poll::kQuiet;
}

void ChangeWatch::Stop() {
  if (!state) return;
  if (state->fd >= 0) close(state->fd);
  delete state;
  state = nullptr;
}

void ShowLibraryMessage(const char*) {}

}  // namespace dunmoor
