// The recovery file "Wideroom.rcv": the windows a run has moved and how far,
// kept beside the other files while any window stands away from where the run
// found it, so that a start after a run that did not end normally (killed,
// crashed, cut off with the session) can put them back. A normal exit leaves
// none.
//
// A record outlives the session that wrote it when the power fails, and
// after a reboot a handle can belong to another window of the same class: the
// record names the boot it was written in, and each window by its process
// (id and start time) and by being top-level, and nothing that no longer
// matches is moved.
//
// All integers little-endian, no gaps. Header, 32 bytes:
//   0  magic       "WRCV" (0x56435257 as a 32-bit word)
//   4  version     2
//   8  headerSize  32
//   12 entrySize   112
//   16 entryCount  0 .. kMaxRecoveryEntries
//   20 checksum    FNV-1a (32 bits) of the bytes from 24 to the end
//   24 bootTime    when the system started, 100 ns units since 1601 (64 bits)
// Entry, 112 bytes:
//   0  window      the window's handle, 64 bits (zero-extended on 32-bit Windows)
//   8  offsetX     total horizontal move applied to the window, pixels
//   12 offsetY     total vertical move
//   16 processId   of the window's program
//   20 flags       1: top-level window; 2: restored holds its restore rectangle
//   24 processStart when that program started, 100 ns units (64 bits)
//   32 restored    left, top, right, bottom: where the window last stood
//                  shown normally (for one since minimized or maximized)
//   48 className   64 bytes, terminated: a handle reused by a window of
//                  another class is not touched
// A file is used only when every header word and the checksum agree and its
// length is exactly 32 + 112 x entryCount.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr const char* kRecoveryFileName = "Wideroom.rcv";

constexpr uint32_t kRecoveryMagic = 0x56435257;  // "WRCV"
constexpr int32_t kRecoveryVersion = 2;
constexpr int32_t kRecoveryHeaderSize = 32;
constexpr int32_t kRecoveryEntrySize = 112;
constexpr int kMaxRecoveryEntries = 1024;
constexpr size_t kMaxRecoveryBytes =
    static_cast<size_t>(kRecoveryHeaderSize) + static_cast<size_t>(kRecoveryEntrySize) * kMaxRecoveryEntries;
constexpr int kRecoveryClassSize = 64;

constexpr uint32_t kRecoveryTopLevel = 1;
constexpr uint32_t kRecoveryHasRestored = 2;

struct RecoveryRect {
    int32_t left, top, right, bottom;
};

struct RecoveryEntry {
    uint64_t window;
    int32_t offsetX;
    int32_t offsetY;
    uint32_t processId;
    uint32_t flags;
    uint64_t processStart;
    RecoveryRect restored;
    char className[kRecoveryClassSize];
};

namespace recovery_record {

// The file's bytes for `count` entries (at most kMaxRecoveryEntries) into
// `bytes` (kMaxRecoveryBytes at least); returns the length.
size_t encode(uint64_t bootTime, const RecoveryEntry* entries, int count, unsigned char* bytes);

// Decodes a whole file of `size` bytes: 0 with *bootTime and *count entries,
// or 3 when the bytes are not a record of this version (foreign, damaged or
// cut short).
int decode(const unsigned char* bytes, size_t size, uint64_t* bootTime, RecoveryEntry* entries, int* count);

// Reads and decodes the file: 0, 1 (cannot be opened) or 3 (not usable).
int read(const char* name, uint64_t* bootTime, RecoveryEntry* entries, int* count);

// Writes the record through a temporary file (see file_io::writeWhole); 0, 1
// or 2. The record only matters while the system runs: no write-through.
int write(const char* name, uint64_t bootTime, const RecoveryEntry* entries, int count);

// Removes the file; 0 also when there was none.
int remove(const char* name);

}  // namespace recovery_record
