// The temporary files of unfinished writes, process-wide, so that an
// interruption can remove them: each ReplacingFile enters its temporary name
// here while it exists. Renaming into place happens under the same lock as the
// removal, so an interruption sees a file either still partial or finished.
#pragma once

#include <cstdint>
#include <string>

namespace sorel::host::partialfiles {

// Enters a path; returns its key.
std::uint64_t add(const std::string& path);
// Forgets a key (the file was removed or renamed by its owner).
void forget(std::uint64_t key);
// Renames the file under `key` to `target` and forgets it; false with the
// error code on failure (the entry is kept then).
bool commit(std::uint64_t key, const std::string& target, int& errorCode);
// Removes every entered file. Holds the lock afterwards for good: for the
// last act of a process that is about to exit.
void removeAllAndHold();

}  // namespace sorel::host::partialfiles
