// Encoding, decoding and the file operations of the recovery record.
#include "store/recovery_record.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "store/file_io.h"

namespace {

constexpr int kOk = 0;
constexpr int kCannotOpen = 1;
constexpr int kNotUsable = 3;

void putWord(unsigned char* p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

uint32_t getWord(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void putLong(unsigned char* p, uint64_t v) {
    putWord(p, static_cast<uint32_t>(v));
    putWord(p + 4, static_cast<uint32_t>(v >> 32));
}

uint64_t getLong(const unsigned char* p) {
    return static_cast<uint64_t>(getWord(p)) | (static_cast<uint64_t>(getWord(p + 4)) << 32);
}

constexpr size_t kBootAt = 24;   // in the header
constexpr size_t kClassAt = 48;  // in an entry

uint32_t checksum(const unsigned char* bytes, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i) {
        h ^= bytes[i];
        h *= 16777619u;
    }
    return h;
}

// The whole file is read into this buffer; one more byte than the largest
// record shows a file that is too long.
unsigned char fileBuffer[kMaxRecoveryBytes + 1];

}  // namespace

namespace recovery_record {

size_t encode(uint64_t bootTime, const RecoveryEntry* entries, int count, unsigned char* bytes) {
    if (count < 0) count = 0;
    if (count > kMaxRecoveryEntries) count = kMaxRecoveryEntries;
    unsigned char* p = bytes + kRecoveryHeaderSize;
    for (int i = 0; i < count; ++i, p += kRecoveryEntrySize) {
        const RecoveryEntry& e = entries[i];
        putLong(p, e.window);
        putWord(p + 8, static_cast<uint32_t>(e.offsetX));
        putWord(p + 12, static_cast<uint32_t>(e.offsetY));
        putWord(p + 16, e.processId);
        putWord(p + 20, e.flags);
        putLong(p + 24, e.processStart);
        putWord(p + 32, static_cast<uint32_t>(e.restored.left));
        putWord(p + 36, static_cast<uint32_t>(e.restored.top));
        putWord(p + 40, static_cast<uint32_t>(e.restored.right));
        putWord(p + 44, static_cast<uint32_t>(e.restored.bottom));
        std::memcpy(p + kClassAt, e.className, kRecoveryClassSize);
        p[kClassAt + kRecoveryClassSize - 1] = '\0';
    }
    const size_t entryBytes = static_cast<size_t>(count) * kRecoveryEntrySize;
    putWord(bytes, kRecoveryMagic);
    putWord(bytes + 4, static_cast<uint32_t>(kRecoveryVersion));
    putWord(bytes + 8, static_cast<uint32_t>(kRecoveryHeaderSize));
    putWord(bytes + 12, static_cast<uint32_t>(kRecoveryEntrySize));
    putWord(bytes + 16, static_cast<uint32_t>(count));
    putLong(bytes + kBootAt, bootTime);
    putWord(bytes + 20, checksum(bytes + kBootAt, kRecoveryHeaderSize - kBootAt + entryBytes));
    return kRecoveryHeaderSize + entryBytes;
}

int decode(const unsigned char* bytes, size_t size, uint64_t* bootTime, RecoveryEntry* entries, int* count) {
    *count = 0;
    *bootTime = 0;
    if (size < static_cast<size_t>(kRecoveryHeaderSize)) return kNotUsable;
    if (getWord(bytes) != kRecoveryMagic || getWord(bytes + 4) != static_cast<uint32_t>(kRecoveryVersion) ||
        getWord(bytes + 8) != static_cast<uint32_t>(kRecoveryHeaderSize) ||
        getWord(bytes + 12) != static_cast<uint32_t>(kRecoveryEntrySize))
        return kNotUsable;
    const uint32_t n = getWord(bytes + 16);
    if (n > static_cast<uint32_t>(kMaxRecoveryEntries)) return kNotUsable;
    const size_t entryBytes = static_cast<size_t>(n) * kRecoveryEntrySize;
    if (size != kRecoveryHeaderSize + entryBytes) return kNotUsable;
    if (getWord(bytes + 20) != checksum(bytes + kBootAt, kRecoveryHeaderSize - kBootAt + entryBytes))
        return kNotUsable;
    const unsigned char* p = bytes + kRecoveryHeaderSize;
    for (uint32_t i = 0; i < n; ++i, p += kRecoveryEntrySize) {
        // A name without its terminator was not written by us.
        if (std::memchr(p + kClassAt, '\0', kRecoveryClassSize) == nullptr) return kNotUsable;
    }
    p = bytes + kRecoveryHeaderSize;
    for (uint32_t i = 0; i < n; ++i, p += kRecoveryEntrySize) {
        RecoveryEntry& e = entries[i];
        e.window = getLong(p);
        e.offsetX = static_cast<int32_t>(getWord(p + 8));
        e.offsetY = static_cast<int32_t>(getWord(p + 12));
        e.processId = getWord(p + 16);
        e.flags = getWord(p + 20);
        e.processStart = getLong(p + 24);
        e.restored.left = static_cast<int32_t>(getWord(p + 32));
        e.restored.top = static_cast<int32_t>(getWord(p + 36));
        e.restored.right = static_cast<int32_t>(getWord(p + 40));
        e.restored.bottom = static_cast<int32_t>(getWord(p + 44));
        std::memcpy(e.className, p + kClassAt, kRecoveryClassSize);
    }
    *bootTime = getLong(bytes + kBootAt);
    *count = static_cast<int>(n);
    return kOk;
}

int read(const char* name, uint64_t* bootTime, RecoveryEntry* entries, int* count) {
    *count = 0;
    *bootTime = 0;
    size_t got = 0;
    if (file_io::readHead(name, fileBuffer, sizeof fileBuffer, &got) != 0) return kCannotOpen;
    return decode(fileBuffer, got, bootTime, entries, count);
}

int write(const char* name, uint64_t bootTime, const RecoveryEntry* entries, int count) {
    const size_t size = encode(bootTime, entries, count, fileBuffer);
    // Written while windows move: no waiting for the disk.
    return file_io::writeWhole(name, fileBuffer, size);
}

int remove(const char* name) {
    if (std::remove(name) == 0) return kOk;
    // Nothing there is what removing was for.
    return errno == ENOENT ? kOk : kCannotOpen;
}

}  // namespace recovery_record
