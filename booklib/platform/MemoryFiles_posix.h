// The native build's files in memory (memoryfiles in BookFile.h), as the file functions ask them.
#ifndef DUNMOOR_BOOKLIB_PLATFORM_MEMORYFILES_POSIX_H
#define DUNMOOR_BOOKLIB_PLATFORM_MEMORYFILES_POSIX_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BookFile.h"

namespace dunmoor {

using MemoryFile = std::shared_ptr<const std::vector<uint8_t>>;

// What memory says of a path, in one look.
struct MemoryAnswer {
  MemoryFile file;        // the file put at path, if any
  bool folder = false;    // path is a folder above a file (or a folder put)
  bool inFolder = false;  // path lies below a folder held in memory: memory alone answers for it
};

MemoryAnswer AskMemory(const std::string& path);

// The changes made in memory, for a change watch of a folder held there: a count raised by every
// put, removal and clearing (a load, no lock), and the count as of the last change at or below
// folder (0 when none since the last clearing).
uint64_t MemoryChanges();
uint64_t MemoryChangesBelow(const std::string& folder);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_PLATFORM_MEMORYFILES_POSIX_H
