// Win32 half of the platform layer: the calls the design names (CreateFile, SetFilePointer,
// ReadFile, FindFirstChangeNotification; a file's attributes where it names FindFirstFile). Paths are byte strings in the
// system code page, so the ANSI entry points are the right ones here.
#include "BookFile.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace dunmoor {

namespace {
HANDLE AsHandle(void* h) { return static_cast<HANDLE>(h); }
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
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
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
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  *size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

std::string SpelledPath(const std::string& path) { return path; }

// Every watch of the library is waited on by a few threads of the library's own, each over up to
// kWatchesPerWaiter change handles; a check reads the count of changes the waiter keeps for it.
// Opening a book starts no thread and closing one waits for none (in a program with many
// libraries loaded, a thread's start and end cost milliseconds under Wine).
//
// A watch of a book on a fixed drive is not ended at once when its book closes: it is parked,
// still counting, until the library has opened and closed no book for kQuietMs (at most
// kLongestParkMs), and a book opened on the same directory meanwhile takes it over. A search of
// a shelf closes one book and opens the next, 60 times; under Wine, ending a watch holds up the
// whole server for some 5 ms (its removal from the kernel's inotify), which made most of the time
// such a search took. Parked watches then end one at a time, kEndingGapMs apart, so that no
// stall is felt. Watches on removable drives and CD-ROMs are never parked: an open handle
// would keep the disc from being ejected.
namespace watching {
struct Waiter;
}  // namespace watching

struct ChangeWatch::State {
  HANDLE change = INVALID_HANDLE_VALUE;  // FindFirstChangeNotification's; closed by the waiter
  watching::Waiter* waiter = nullptr;    // none: the watch could not be started
  HANDLE wake = nullptr;                 // the waiter's, to tell it of a stop
  std::string directory;
  bool localDrive = false;
  bool parkable = false;  // a fixed drive: kept a while after its book closes
  std::atomic<uint64_t> changes{0};
  std::atomic<bool> failed{false};   // the wait or the re-arming failed: changes may go unseen
  std::atomic<bool> stopped{false};  // let go: the waiter closes and deletes it
  uint64_t seen = 0;                 // the owner's
  // Under the lock: parked since parkedAt, no owner, changes then changesAtPark.
  bool parked = false;
  DWORD parkedAt = 0;
  uint64_t changesAtPark = 0;
  // Written by the waiter only: the burst of notifications being gathered.
  std::atomic<bool> inBurst{false};
  DWORD burstStart = 0;
  DWORD lastReport = 0;
};

namespace watching {

constexpr size_t kWatchesPerWaiter = MAXIMUM_WAIT_OBJECTS - 1;  // and its wake event
// A waiter without watches ends after this long.
constexpr DWORD kIdleMs = 2000;
// Parked watches end once no book has been opened or closed for kQuietMs, or after
// kLongestParkMs in any case, kEndingGapMs apart; at most kMostParked are parked.
constexpr DWORD kQuietMs = 500;
constexpr DWORD kLongestParkMs = 5000;
constexpr DWORD kEndingGapMs = 20;
constexpr size_t kMostParked = 256;

struct Waiter {
  HANDLE wake = nullptr;  // auto-reset: a watch was added, stopped or parked
  HMODULE module = nullptr;
  std::vector<ChangeWatch::State*> watches;  // under the lock; only the waiter removes
};

// The lock guards the waiters, their watch lists and the parking. It is never held across a
// wait or a call that can block, and a stop never waits for it (it may come while the process
// ends, after a thread holding it was ended): a stop that does not get it at once marks the
// watch stopped and sets the wake event, which is never closed while the library is loaded (a
// waiter that ends leaves its event for the next one).
SRWLOCK lock = SRWLOCK_INIT;
std::vector<Waiter*> waiters;
std::vector<HANDLE> spareWakes;
size_t parkedCount = 0;
std::atomic<DWORD> lastStartOrStop{0};  // GetTickCount's

class Locked {
 public:
  Locked() { AcquireSRWLockExclusive(&lock); }
  ~Locked() { ReleaseSRWLockExclusive(&lock); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
};

void Fail(ChangeWatch::State* watch) {
  watch->changes.fetch_add(1, std::memory_order_release);
  watch->failed.store(true, std::memory_order_release);
}

// What the waiter does next: wait on waited (the watches neither failed nor stopped), ending
// watches stopped, failed while parked or parked too long (one of the last at a time).
struct Round {
  std::vector<ChangeWatch::State*> waited;
  std::vector<ChangeWatch::State*> ending;
  DWORD nextExpiry = INFINITE;  // ms until a parked watch is due to end
};

// False when the waiter has had nothing to watch for kIdleMs (idle): it is then no longer
// listed and ends.
bool TakeWatches(Waiter* waiter, bool idle, Round* round) {
  round->waited.clear();
  round->ending.clear();
  round->nextExpiry = INFINITE;
  const DWORD last = lastStartOrStop.load(std::memory_order_relaxed);
  const DWORD now = GetTickCount();  // read after last: never before it
  const DWORD quiet = now - last;
  Locked locked;
  bool expiredOne = false;
  std::vector<ChangeWatch::State*>& watches = waiter->watches;
  for (auto it = watches.begin(); it != watches.end();) {
    ChangeWatch::State* watch = *it;
    bool end = watch->stopped.load(std::memory_order_acquire);
    if (!end && watch->parked) {
      const DWORD age = now - watch->parkedAt;
      const bool due = quiet >= kQuietMs || age >= kLongestParkMs;
      // A directory that changes under a parked watch may be on its way out (a folder deleted
      // or moved): the watch ends at once, not to hold it.
      const bool changed = watch->changes.load(std::memory_order_acquire) != watch->changesAtPark;
      if (changed || watch->failed.load(std::memory_order_acquire) || (due && !expiredOne)) {
        expiredOne = expiredOne || !changed;
        end = true;
      } else {
        DWORD wait = due ? kEndingGapMs : std::min(kQuietMs - quiet, kLongestParkMs - age);
        round->nextExpiry = std::min(round->nextExpiry, wait);
      }
      if (end) --parkedCount;
    }
    if (end) {
      round->ending.push_back(watch);
      it = watches.erase(it);
      continue;
    }
    if (!watch->failed.load(std::memory_order_relaxed)) round->waited.push_back(watch);
    ++it;
  }
  if (watches.empty() && idle && round->ending.empty()) {
    waiters.erase(std::find(waiters.begin(), waiters.end(), waiter));
    spareWakes.push_back(waiter->wake);
    return false;
  }
  return true;
}

// One change of a file comes as several notifications (a creation, writes, attributes), and
// the checks see it as one: the notifications of a burst are gathered until the watch is quiet
// for kSettleMs (or the burst has lasted kLongestBurstMs), then counted as one change.
void Wait(Waiter* waiter) {
  Round round;
  HANDLE handles[MAXIMUM_WAIT_OBJECTS];
  bool idle = false;
  for (;;) {
    if (!TakeWatches(waiter, idle, &round)) return;
    for (ChangeWatch::State* watch : round.ending) {
      FindCloseChangeNotification(watch->change);
      delete watch;
    }
    DWORD count = 0;
    handles[count++] = waiter->wake;
    for (ChangeWatch::State* watch : round.waited) handles[count++] = watch->change;
    DWORD now = GetTickCount();
    DWORD timeout = round.nextExpiry;
    for (ChangeWatch::State* watch : round.waited) {
      if (!watch->inBurst) continue;
      DWORD quiet = std::min<DWORD>(now - watch->lastReport, ChangeWatch::kSettleMs);
      timeout = std::min<DWORD>(timeout, ChangeWatch::kSettleMs - quiet);
    }
    const bool empty = count == 1 && round.ending.empty() && round.nextExpiry == INFINITE;
    if (empty) timeout = kIdleMs;
    DWORD wait = WaitForMultipleObjects(count, handles, FALSE, timeout);
    idle = empty && wait == WAIT_TIMEOUT;
    now = GetTickCount();
    if (wait > WAIT_OBJECT_0 && wait < WAIT_OBJECT_0 + count) {
      ChangeWatch::State* watch = round.waited[wait - WAIT_OBJECT_0 - 1];
      if (!watch->inBurst) watch->burstStart = now;
      watch->inBurst = true;
      watch->lastReport = now;
      // A handle that no longer works (the disc went away) is a change too, and a watch that
      // fails is trusted no more.
      if (!FindNextChangeNotification(watch->change)) Fail(watch);
    } else if (wait == WAIT_FAILED) {
      for (ChangeWatch::State* watch : round.waited) Fail(watch);  // which handle failed is not told
    }
    for (ChangeWatch::State* watch : round.waited) {
      if (!watch->inBurst || watch->failed.load(std::memory_order_relaxed)) continue;
      if (now - watch->lastReport >= static_cast<DWORD>(ChangeWatch::kSettleMs) ||
          now - watch->burstStart >= static_cast<DWORD>(ChangeWatch::kLongestBurstMs)) {
        watch->changes.fetch_add(1, std::memory_order_release);
        watch->inBurst = false;
      }
    }
  }
}

// The thread holds a reference to the module its code is in, given back as it ends: the module
// is never unloaded under a running waiter.
DWORD WINAPI RunWaiter(void* parameter) {
  auto* waiter = static_cast<Waiter*>(parameter);
  HMODULE module = waiter->module;
  Wait(waiter);
  delete waiter;
  FreeLibraryAndExitThread(module, 0);
}

// A waiter with room for one more watch, started when none has; null when no thread starts.
Waiter* WaiterWithRoom() {
  for (Waiter* waiter : waiters)
    if (waiter->watches.size() < kWatchesPerWaiter) return waiter;
  auto waiter = std::make_unique<Waiter>();
  if (spareWakes.empty()) {
    waiter->wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!waiter->wake) return nullptr;
  } else {
    waiter->wake = spareWakes.back();
    spareWakes.pop_back();
  }
  HANDLE thread = nullptr;
  if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&RunWaiter),
                         &waiter->module)) {
    thread = CreateThread(nullptr, 64 * 1024, RunWaiter, waiter.get(), 0, nullptr);
    if (!thread) FreeLibrary(waiter->module);
  }
  if (!thread) {
    spareWakes.push_back(waiter->wake);
    return nullptr;
  }
  CloseHandle(thread);
  waiters.push_back(waiter.get());
  return waiter.release();
}

// Hands watch to a waiter; false when no waiter could be started.
bool Watch(ChangeWatch::State* watch) {
  Locked locked;
  Waiter* waiter = WaiterWithRoom();
  if (!waiter) return false;
  waiter->watches.push_back(watch);
  watch->waiter = waiter;
  watch->wake = waiter->wake;
  SetEvent(waiter->wake);
  return true;
}

// The parked watch of directory, no longer parked; null when none can be taken over.
ChangeWatch::State* TakeParked(const std::string& directory) {
  Locked locked;
  for (Waiter* waiter : waiters)
    for (ChangeWatch::State* watch : waiter->watches) {
      // One that failed or saw a change while parked is ending; one in the middle of a burst
      // would count it against the book opened now.
      if (!watch->parked || watch->directory != directory || watch->failed.load(std::memory_order_acquire) ||
          watch->inBurst.load(std::memory_order_acquire) ||
          watch->changes.load(std::memory_order_acquire) != watch->changesAtPark)
        continue;
      watch->parked = false;
      --parkedCount;
      return watch;
    }
  return nullptr;
}

// Parks watch when it may be and the lock is free at once; false otherwise.
bool Park(ChangeWatch::State* watch) {
  if (!watch->parkable || watch->failed.load(std::memory_order_acquire)) return false;
  if (!TryAcquireSRWLockExclusive(&lock)) return false;
  bool parked = parkedCount < kMostParked;
  if (parked) {
    watch->parked = true;
    watch->parkedAt = GetTickCount();
    watch->changesAtPark = watch->changes.load(std::memory_order_acquire);
    ++parkedCount;
    SetEvent(watch->wake);  // the waiter times its ending
  }
  ReleaseSRWLockExclusive(&lock);
  return parked;
}

}  // namespace watching

namespace {

// The type of the drive directory is on.
UINT DriveTypeOf(const std::string& directory) {
  char root[MAX_PATH];
  if (!GetVolumePathNameA(directory.c_str(), root, MAX_PATH)) return DRIVE_UNKNOWN;
  return GetDriveTypeA(root);
}

}  // namespace

ChangeWatch::~ChangeWatch() { Stop(); }

void ChangeWatch::Start(const std::string& directory) {
  Stop();
  watching::lastStartOrStop.store(GetTickCount(), std::memory_order_relaxed);
  if (State* parked = watching::TakeParked(directory)) {
    // What changed before this start does not concern the book opened now.
    parked->seen = parked->changes.load(std::memory_order_acquire);
    state = parked;
    return;
  }
  state = new State;
  state->directory = directory;
  // File names, attributes, sizes and writes (a rewrite that keeps the size), the whole tree.
  state->change = FindFirstChangeNotificationA(
      directory.c_str(), TRUE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
          FILE_NOTIFY_CHANGE_LAST_WRITE);
  if (state->change == INVALID_HANDLE_VALUE) return;  // unavailable: never reports a change
  // Drives whose every change passes through this machine: not network drives, whose files
  // others may change unseen.
  switch (DriveTypeOf(directory)) {
    case DRIVE_FIXED:
    case DRIVE_RAMDISK:
      state->parkable = true;
      state->localDrive = true;
      break;
    case DRIVE_REMOVABLE:
    case DRIVE_CDROM:
      state->localDrive = true;
      break;
    default:
      break;
  }
  if (!watching::Watch(state)) FindCloseChangeNotification(std::exchange(state->change, INVALID_HANDLE_VALUE));
}

ChangeWatch::Poll ChangeWatch::Check() {
  if (!state || !state->waiter) return Poll::kUnavailable;
  uint64_t now = state->changes.load(std::memory_order_acquire);
  if (now == state->seen) return Poll::kQuiet;
  state->seen = now;
  return Poll::kChanged;
}

bool ChangeWatch::ReportsEveryChange() const {
  return state && state->waiter && state->localDrive && !state->failed.load(std::memory_order_acquire);
}

void ChangeWatch::Stop() {
  State* stopping = std::exchange(state, nullptr);
  if (!stopping) return;
  watching::lastStartOrStop.store(GetTickCount(), std::memory_order_relaxed);
  if (!stopping->waiter) {
    delete stopping;  // its handle, if any, was closed when the watch could not start
    return;
  }
  if (watching::Park(stopping)) return;
  // The waiter closes the handle and deletes the state: stopping is not touched after this.
  HANDLE wake = stopping->wake;
  stopping->stopped.store(true, std::memory_order_release);
  SetEvent(wake);
}

void ShowLibraryMessage(const char* text) {
  MessageBoxA(nullptr, text, "Dunmoor", MB_OK | MB_TASKMODAL);
}

}  // namespace dunmoor
