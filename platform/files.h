// The file operations of the safe write: a file created for writing, its data
// put on the disk, and the step that puts it in the place of another. Free
// functions; the backend (platform/win32 or platform/sim) is chosen at link
// time. None of them allocates, so the writes can run on the tick's path.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

using FileHandle = std::uintptr_t;  // 0 = none

// Creates the file, or empties it, for writing; 0 when it cannot be opened
// (a read-only file, a folder of that name, a missing folder).
FileHandle createFile(const char* name);
bool writeFile(FileHandle file, const unsigned char* bytes, size_t size);
// Puts the data written so far on the disk, so that a power loss after the
// replace finds them there and not a file of zeros.
bool flushFile(FileHandle file);
bool closeFile(FileHandle file);
// Removes the file, a read-only one too; true when no file of that name is
// left (also when there was none).
bool removeFile(const char* name);
// Replaces `to` by `from` in one step (the old file stays whole until then);
// false, with both files as they were, when `to` is read-only.
bool replaceFile(const char* from, const char* to);

}  // namespace platform
