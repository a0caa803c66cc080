// The names a copy of a disc may give a book's files. An ISO 9660 listing spells a file with a
// version number after a semicolon, and a file without an extension with a dot at its end
// ("CATALOGS;1", "HONMON.;1"); some systems and copying tools keep those names, or only the dot
// ("HONMON."). The library looks its files up by their plain names and finds them under these.
#ifndef DUNMOOR_BOOKLIB_PLATFORM_ISONAMES_H
#define DUNMOOR_BOOKLIB_PLATFORM_ISONAMES_H

#include <string>
#include <string_view>

namespace dunmoor {

// The name without a version suffix (";" and digits) and then without a trailing dot:
// "HONMON.;1" and "HONMON." give "HONMON", "DATA.EBZ;1" gives "DATA.EBZ".
std::string_view IsoPlainName(std::string_view name);

// Whether the directory entry `entry` is the file `wanted` names, without regard to ASCII
// case, once both are plain names.
bool IsoNameMatches(std::string_view entry, std::string_view wanted);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_PLATFORM_ISONAMES_H
