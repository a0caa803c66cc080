// Win32 half of the platform layer: the calls the design names (CreateFile, SetFilePointer,
// ReadFile, FindFirstChangeNotification; a file's attributes where it names FindFirstFile). Paths are byte strings in the
// system code page, so the ANSI entry points are the right ones here.
#include "BookFile.h"

#include <windows.h>

#include <utility>

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

ChangeWatch::~ChangeWatch() { Stop(); }

void ChangeWatch::Start(const std::string& directory) {
  Stop();
  // File names, attributes and sizes (0x0D), the whole tree. The handle is kept as returned:
  // an invalid one makes every poll fail, which counts as "no change".
  handle = FindFirstChangeNotificationA(
      directory.c_str(), TRUE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE);
  started = true;
}

ChangeWatch::Poll ChangeWatch::Check() {
  if (!started) return Poll::kUnavailable;
  HANDLE h = AsHandle(handle);
  DWORD wait = WaitForMultipleObjects(1, &h, FALSE, 0);
  if (wait == WAIT_OBJECT_0) {
    FindNextChangeNotification(h);
    return Poll::kChanged;
  }
  return wait == WAIT_TIMEOUT ? Poll::kQuiet : Poll::kUnavailable;
}

// FindFirstFile stays on the path of every check here: the notification says that something
// changed, not what.
bool ChangeWatch::ReportsEveryChange() const { return false; }

void ChangeWatch::Stop() {
  if (!started) return;
  if (handle != INVALID_HANDLE_VALUE && handle != nullptr) FindCloseChangeNotification(AsHandle(handle));
  handle = nullptr;
  started = false;
}

void ShowLibraryMessage(const char* text) {
  MessageBoxA(nullptr, text, "Dunmoor", MB_OK | MB_TASKMODAL);
}

}  // namespace dunmoor
