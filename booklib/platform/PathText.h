// How the library spells paths. Inside it a path is a byte string: on Windows UTF-8, so that a
// folder named in any language is reached whatever the system's code page; natively the bytes
// the file system takes. The design's exports take and give paths in the system code page and
// are converted where they enter and leave; the wide exports beside them take UTF-16 (Windows)
// or UTF-32 (natively) paths.
#ifndef DUNMOOR_BOOKLIB_PLATFORM_PATHTEXT_H
#define DUNMOOR_BOOKLIB_PLATFORM_PATHTEXT_H

#include <string>

namespace dunmoor {

// The library's form of a path a caller gave in the system code page. False when it is not
// text of that code page (nothing then names a file).
bool PathFromSystemBytes(const char* path, std::string* library);
// A library path in the system code page, for a caller of the design's exports. False when
// one of its characters has no form there.
bool PathToSystemBytes(const std::string& library, std::string* path);

// The library's form of a wide path; false when it is not valid UTF-16 (UTF-32 natively).
bool PathFromWide(const wchar_t* path, std::string* library);
// A library path as a wide string; false when it is not valid UTF-8 (natively: when the bytes
// are not UTF-8, as a file system may hold).
bool PathToWide(const std::string& library, std::wstring* path);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_PLATFORM_PATHTEXT_H
