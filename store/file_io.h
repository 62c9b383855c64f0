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

// Writes the bytes whole to "<name>.tmp" and then puts that file in the place
// of `name` in one step: 0, 1 (the temporary file cannot be created) or 2 (it
// cannot be written, closed or moved into place). On failure the old file is
// untouched and the temporary file is removed, so a reader never finds a
// half-written or empty file.
int writeWhole(const char* name, const unsigned char* bytes, size_t size);

}  // namespace file_io
