// The recovery file "Wideroom.rcv": the windows a run has moved and how far,
// kept beside the other files while any window stands away from where the run
// found it, so that a start after a run that did not end normally (killed,
// crashed, cut off with the session) can put them back. A normal exit leaves
// none.
//
// All integers little-endian, no gaps. Header, 24 bytes:
//   0  magic       "WRCV" (0x56435257 as a 32-bit word)
//   4  version     1
//   8  headerSize  24
//   12 entrySize   80
//   16 entryCount  0 .. kMaxRecoveryEntries
//   20 checksum    FNV-1a (32 bits) of the entry bytes
// Entry, 80 bytes:
//   0  window      the window's handle, 64 bits (zero-extended on 32-bit Windows)
//   8  offsetX     total horizontal move applied to the window, pixels
//   12 offsetY     total vertical move
//   16 className   64 bytes, terminated: a handle reused by a window of
//                  another class is not touched
// A file is used only when every header word and the checksum agree and its
// length is exactly 24 + 80 x entryCount.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr const char* kRecoveryFileName = "Wideroom.rcv";

constexpr uint32_t kRecoveryMagic = 0x56435257;  // "WRCV"
constexpr int32_t kRecoveryVersion = 1;
constexpr int32_t kRecoveryHeaderSize = 24;
constexpr int32_t kRecoveryEntrySize = 80;
constexpr int kMaxRecoveryEntries = 1024;
constexpr size_t kMaxRecoveryBytes =
    static_cast<size_t>(kRecoveryHeaderSize) + static_cast<size_t>(kRecoveryEntrySize) * kMaxRecoveryEntries;
constexpr int kRecoveryClassSize = 64;

struct RecoveryEntry {
    uint64_t window;
    int32_t offsetX;
    int32_t offsetY;
    char className[kRecoveryClassSize];
};

namespace recovery_record {

// The file's bytes for `count` entries (at most kMaxRecoveryEntries) into
// `bytes` (kMaxRecoveryBytes at least); returns the length.
size_t encode(const RecoveryEntry* entries, int count, unsigned char* bytes);

// Decodes a whole file of `size` bytes: 0 with *count entries, or 3 when the
// bytes are not a record of this version (foreign, damaged or cut short).
int decode(const unsigned char* bytes, size_t size, RecoveryEntry* entries, int* count);

// Reads and decodes the file: 0, 1 (cannot be opened) or 3 (not usable).
int read(const char* name, RecoveryEntry* entries, int* count);

// Writes the record through a temporary file (see file_io::writeWhole); 0, 1
// or 2.
int write(const char* name, const RecoveryEntry* entries, int count);

// Removes the file; 0 also when there was none.
int remove(const char* name);

}  // namespace recovery_record
