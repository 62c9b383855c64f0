// Whole-file reads and safe writes, shared by the program's files.
#pragma once

#include <cstddef>
#include <vector>

namespace file_io {

// Reads at most `capacity` bytes from the start of the file into `bytes` and
// sets *got: 0, or 1 when the file cannot be opened.
int readHead(const char* name, unsigned char* bytes, size_t capacity, size_t* got);

// Reads the whole file, at most `limit` bytes of it, into *bytes: 0, or 1
// when the file cannot be opened (bytes empty).
int readAll(const char* name, size_t limit, std::vector<unsigned char>* bytes);

// Writes the bytes whole to "<name>.tmp" (a stale one is removed first) and
// then puts that file in the place of `name` in one step: 0, 1 (the temporary
// file cannot be created, or `name` cannot be replaced, as when it is
// read-only) or 2 (the temporary file cannot be written or closed). On failure
// the old file is untouched and the temporary file is removed, so a reader
// never finds a half-written or empty file. Nothing is allocated.
int writeWhole(const char* name, const unsigned char* bytes, size_t size);

// writeWhole, with the data put on the disk before the replace: for the files
// that must survive a power loss (the settings and the placement).
int writeWholeToDisk(const char* name, const unsigned char* bytes, size_t size);

}  // namespace file_io
