// The few file-system services the book-access library needs, behind one portable face:
// a read-only file, the look-up of a file's size by name, the change watch on a book's data
// directory, and the library's rare message box. BookFile_win.cpp implements them with the
// Win32 API, BookFile_posix.cpp for the native build (where names are matched without regard
// to case, as Windows and CD-ROM file systems match them).
#ifndef DUNMOOR_BOOKLIB_PLATFORM_BOOKFILE_H
#define DUNMOOR_BOOKLIB_PLATFORM_BOOKFILE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dunmoor {

// Separator that the library puts between path components ("\" on Windows).
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// A file opened for reading, shared for reading, as an existing file. Move-only.
class BookFile {
 public:
  BookFile() = default;
  ~BookFile();
  BookFile(BookFile&& other) noexcept;
  BookFile& operator=(BookFile&& other) noexcept;
  BookFile(const BookFile&) = delete;
  BookFile& operator=(const BookFile&) = delete;

  // False when the file does not exist or cannot be opened.
  bool Open(const std::string& path);
  bool IsOpen() const;

  // Moves to an absolute position. False when the move fails.
  bool Seek(uint32_t position);
  // Reads up to size bytes at the current position; *got receives the count. Reading at or past
  // the end succeeds with fewer bytes, down to 0. False when the read itself fails.
  bool Read(void* buffer, uint32_t size, uint32_t* got);
  bool Size(uint64_t* size) const;
  // Closes the file; false when closing failed (the file counts as closed all the same).
  bool Close();

 private:
#ifdef _WIN32
  void* handle = nullptr;  // HANDLE; nullptr when closed
#else
  int fd = -1;
  uint64_t position = 0;  // reads go to the descriptor with pread: no seek of their own
  std::shared_ptr<const std::vector<uint8_t>> memory;  // a file of MemoryFiles instead of fd
#endif
};

// Looks a file up by name as the directory listing reports it (no open). False when there is
// no such file.
bool LookUpFileSize(const std::string& path, uint64_t* size);

// The path as the file system spells it, for repeated look-ups: natively the names matched
// without regard to case once, so that later look-ups need no directory scans; on Windows the
// path itself. The path unchanged when it cannot be found.
std::string SpelledPath(const std::string& path);

// Watches a directory tree for changes of file names, attributes, sizes and writes. Created on
// a book's data directory when the book is opened. A thread of the watch's own waits for the
// system's reports and counts them, so that a check is a load from memory; a change is seen by
// the checks that follow its last report by kSettleMs.
class ChangeWatch {
 public:
  enum class Poll { kQuiet, kChanged, kUnavailable };
  // The reports of one change (a file's creation, its writes, its attributes) come in a burst
  // and count as one change once the watch has been quiet this long; a burst that goes on
  // counts at the latest after kLongestBurstMs.
  static constexpr int kSettleMs = 30;
  static constexpr int kLongestBurstMs = 250;

  ChangeWatch() = default;
  ~ChangeWatch();
  ChangeWatch(const ChangeWatch&) = delete;
  ChangeWatch& operator=(const ChangeWatch&) = delete;

  // Starts watching directory and everything below it. A watch that cannot be started is kept
  // as unavailable: polling it then never reports a change.
  void Start(const std::string& directory);
  // kChanged once for the changes since the last poll (the watch is then armed again).
  Poll Check();
  void Stop();
  // True when every change of a file below the directory (a write, a truncation, a
  // replacement, a removal, the disc going away) is sure to be reported: the watch runs on a
  // local file system (natively) or a local drive, fixed, removable or CD-ROM (Windows), and
  // has not failed since. A caller may then trust that a file it saw keeps its size as long as
  // no change has been reported.
  bool ReportsEveryChange() const;

  struct State;  // defined by each platform's implementation

 private:
  State* state = nullptr;
};

#ifndef _WIN32
// Finds path on disk matching each component without regard to ASCII case; an exact match
// wins. False when no such path exists.
bool ResolvePathFolded(const std::string& path, std::string* resolved);

// Files held in memory instead of on disk (native build), for the fuzz targets and the tests of
// damaged books, which open thousands of books a second. A file put here is what BookFile,
// LookUpFileSize and SpelledPath find at its path (names compared without regard to ASCII case,
// as on a disc); the folders above it are held in memory too: a name in one of them that is not
// in memory is missing. A change watch of a folder held here reports every change made below it
// through these calls (and is trusted as a watch of a local disc is). Every other path goes to
// the file system; the product puts nothing here.
namespace memoryfiles {
void Put(const std::string& path, std::vector<uint8_t> bytes);
// A folder held in memory with nothing in it (yet).
void PutFolder(const std::string& path);
void Remove(const std::string& path);
void Clear();
}  // namespace memoryfiles
#endif

// The library's own modal message (OK button only). Shown only by the Windows build.
void ShowLibraryMessage(const char* text);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_PLATFORM_BOOKFILE_H
