// Win32 half of the platform layer: the calls the design names (CreateFile, SetFilePointer,
// ReadFile, FindFirstChangeNotification; a file's attributes where it names FindFirstFile).
// Paths come as the library's UTF-8 (PathText.h) and go to the wide entry points, so that a
// folder named in a language the system's code page lacks is reached all the same.
#include "BookFile.h"
#include "IsoNames.h"
#include "PathText.h"

#include <windows.h>

#include <atomic>
#include <utility>

namespace dunmoor {

namespace {
HANDLE AsHandle(void* h) { return static_cast<HANDLE>(h); }

// The path for the wide calls; empty (no file has that name) when it is not UTF-8.
std::wstring Wide(const std::string& path) {
  std::wstring wide;
  return PathToWide(path, &wide) ? wide : std::wstring();
}

// The file a copy of a disc holds under an ISO 9660 spelling of path's last name ("HONMON.;1"
// for HONMON, IsoNames.h), looked for only once path itself is missing; "" when there is none.
// A name that ends in a dot is reached through the \\?\ form, which the system then takes as it
// stands.
std::string IsoSpelledFile(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  const std::string directory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
  if (name.empty()) return {};
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(Wide(directory + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return {};
  std::string found, entryName;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && PathFromWide(entry.cFileName, &entryName) &&
        IsoNameMatches(entryName, name))
      found = directory + entryName;
  } while (found.empty() && FindNextFileW(find, &entry));
  FindClose(find);
  const bool absolute = found.size() > 2 && found[1] == ':' && (found[2] == '\\' || found[2] == '/');
  if (!found.empty() && found.back() == '.' && absolute) {
    for (char& c : found)
      if (c == '/') c = '\\';
    found = "\\\\?\\" + found;
  }
  return found;
}

HANDLE OpenForReading(const std::string& path) {
  return CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

bool MissingFile(DWORD error) { return error == ERROR_FILE_NOT_FOUND; }
}  // namespace

BookFile::~BookFile() { Close(); }

BookFile::BookFile(BookFile&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}

BookFile& BookFile::operator=(BookFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle = std::exchange(other.handle, nullptr);
  }
  return *this;
}

bool BookFile::Open(const std::string& path) {
  Close();
  HANDLE h = OpenForReading(path);
  if (h == INVALID_HANDLE_VALUE && MissingFile(GetLastError())) {
    const std::string iso = IsoSpelledFile(path);
    if (!iso.empty()) h = OpenForReading(iso);
  }
  if (h == INVALID_HANDLE_VALUE) return false;
  handle = h;
  return true;
}

bool BookFile::IsOpen() const { return handle != nullptr; }

bool BookFile::Seek(uint32_t position) {
  if (!handle) return false;
  LARGE_INTEGER to;
  to.QuadPart = position;
  return SetFilePointerEx(AsHandle(handle), to, nullptr, FILE_BEGIN) != 0;
}

bool BookFile::Read(void* buffer, uint32_t size, uint32_t* got) {
  if (!handle) return false;
  DWORD read = 0;
  if (!ReadFile(AsHandle(handle), buffer, size, &read, nullptr)) return false;
  *got = read;
  return true;
}

bool BookFile::Size(uint64_t* size) const {
  LARGE_INTEGER value;
  if (!handle || !GetFileSizeEx(AsHandle(handle), &value)) return false;
  *size = static_cast<uint64_t>(value.QuadPart);
  return true;
}

bool BookFile::Close() {
  if (!handle) return true;
  return CloseHandle(AsHandle(std::exchange(handle, nullptr))) != 0;
}

bool LookUpFileSize(const std::string& path, uint64_t* size) {
  // The file's own attributes answer what a directory search for its name would (there, and
  // its size) without listing the directory: under Wine that listing made every disc check
  // cost some 300 us, a tenth of a second for the headings of one page of the list.
  WIN32_FILE_ATTRIBUTE_DATA data;
  bool found = GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) != 0;
  if (!found && MissingFile(GetLastError())) {
    const std::string iso = IsoSpelledFile(path);
    found = !iso.empty() && GetFileAttributesExW(Wide(iso).c_str(), GetFileExInfoStandard, &data);
  }
  if (!found || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  *size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

std::string SpelledPath(const std::string& path) {
  if (GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES || !MissingFile(GetLastError())) return path;
  const std::string iso = IsoSpelledFile(path);
  return iso.empty() ? path : iso;
}

// The notification handle is waited on by a thread of the watch's own, which counts the
// changes; a check reads the count.
struct ChangeWatch::State {
  HANDLE change = INVALID_HANDLE_VALUE;  // FindFirstChangeNotification's
  HANDLE stop = nullptr;                 // set by Stop to end the thread's wait
  HANDLE thread = nullptr;
  HMODULE module = nullptr;  // this code's, held by the thread
  bool localDrive = false;
  std::atomic<uint64_t> changes{0};
  std::atomic<bool> failed{false};  // the wait or the re-arming failed: changes may go unseen
  uint64_t seen = 0;
};

namespace {

// One change of a file comes as several notifications (a creation, writes, attributes), and
// the checks see it as one: the notifications of a burst are gathered until the watch is quiet
// for kSettleMs (or the burst has lasted kLongestBurstMs), then counted as one change.
void WaitForChanges(ChangeWatch::State* state) {
  HANDLE waits[2] = {state->stop, state->change};
  bool inBurst = false;
  DWORD burstStart = 0;
  for (;;) {
    DWORD wait = WaitForMultipleObjects(2, waits, FALSE, inBurst ? ChangeWatch::kSettleMs : INFINITE);
    if (wait == WAIT_OBJECT_0) return;
    if (wait == WAIT_OBJECT_0 + 1) {
      if (!inBurst) burstStart = GetTickCount();
      inBurst = true;
    }
    // A handle that no longer works (the disc went away) is a change too, and a watch that
    // fails is trusted no more.
    bool failed = wait != WAIT_OBJECT_0 + 1 && wait != WAIT_TIMEOUT;
    if (wait == WAIT_OBJECT_0 + 1 && !FindNextChangeNotification(state->change)) failed = true;
    if (failed) {
      state->changes.fetch_add(1, std::memory_order_release);
      state->failed.store(true, std::memory_order_release);
      return;
    }
    if (inBurst && (wait == WAIT_TIMEOUT || GetTickCount() - burstStart >= ChangeWatch::kLongestBurstMs)) {
      state->changes.fetch_add(1, std::memory_order_release);
      inBurst = false;
    }
  }
}

// The thread holds a reference to the module its code is in, given back as it ends: the module
// is never unloaded under a running watch, and Stop never waits inside the unloading of the
// module for a thread that would need the loader to end.
DWORD WINAPI WatchChanges(void* parameter) {
  auto* state = static_cast<ChangeWatch::State*>(parameter);
  HMODULE module = state->module;
  WaitForChanges(state);
  FreeLibraryAndExitThread(module, 0);
}

// Drives whose every change passes through this machine: not network drives, whose files
// others may change unseen.
bool IsLocalDrive(const std::string& directory) {
  wchar_t root[MAX_PATH];
  if (!GetVolumePathNameW(Wide(directory).c_str(), root, MAX_PATH)) return false;
  switch (GetDriveTypeW(root)) {
    case DRIVE_FIXED:
    case DRIVE_REMOVABLE:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
      return true;
    default:
      return false;
  }
}

}  // namespace

ChangeWatch::~ChangeWatch() { Stop(); }

void ChangeWatch::Start(const std::string& directory) {
  Stop();
  state = new State;
  // File names, attributes, sizes and writes (a rewrite that keeps the size), the whole tree.
  state->change = FindFirstChangeNotificationW(
      Wide(directory).c_str(), TRUE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
          FILE_NOTIFY_CHANGE_LAST_WRITE);
  if (state->change == INVALID_HANDLE_VALUE) return;  // unavailable: never reports a change
  state->localDrive = IsLocalDrive(directory);
  state->stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (state->stop &&
      GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&WatchChanges),
                         &state->module)) {
    state->thread = CreateThread(nullptr, 64 * 1024, WatchChanges, state, 0, nullptr);
    if (!state->thread) FreeLibrary(state->module);
  }
  if (!state->thread) {
    FindCloseChangeNotification(std::exchange(state->change, INVALID_HANDLE_VALUE));
    if (state->stop) CloseHandle(std::exchange(state->stop, nullptr));
  }
}

ChangeWatch::Poll ChangeWatch::Check() {
  if (!state || !state->thread) return Poll::kUnavailable;
  uint64_t now = state->changes.load(std::memory_order_acquire);
  if (now == state->seen) return Poll::kQuiet;
  state->seen = now;
  return Poll::kChanged;
}

bool ChangeWatch::ReportsEveryChange() const {
  return state && state->thread && state->localDrive && !state->failed.load(std::memory_order_acquire);
}

void ChangeWatch::Stop() {
  if (!state) return;
  if (state->thread) {
    SetEvent(state->stop);
    WaitForSingleObject(state->thread, INFINITE);
    CloseHandle(state->thread);
  }
  if (state->stop) CloseHandle(state->stop);
  if (state->change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(state->change);
  delete state;
  state = nullptr;
}

void ShowLibraryMessage(const char* text) {
  MessageBoxA(nullptr, text, "Dunmoor", MB_OK | MB_TASKMODAL);
}

}  // namespace dunmoor
