// Whole-file reads and safe writes.
#include "store/file_io.h"

#include <cstdio>
#include <cstring>

#include "platform/files.h"

namespace {

constexpr const char* kTempSuffix = ".tmp";
constexpr size_t kMaxNameLength = 4096;

constexpr int kOk = 0;
constexpr int kCannotOpen = 1;
constexpr int kCannotWrite = 2;

int write(const char* name, const unsigned char* bytes, size_t size, bool toDisk) {
    char temp[kMaxNameLength + 8];
    const size_t length = std::strlen(name);
    if (length == 0 || length > kMaxNameLength) return kCannotOpen;
    std::memcpy(temp, name, length);
    std::memcpy(temp + length, kTempSuffix, std::strlen(kTempSuffix) + 1);

    // One instance runs at a time, so a temporary file found here is left
    // from a run that was cut short; marked read-only, it would stop every
    // save from now on.
    platform::removeFile(temp);
    const platform::FileHandle file = platform::createFile(temp);
    if (file == 0) return kCannotOpen;
    const bool written = platform::writeFile(file, bytes, size);
    const bool flushed = !toDisk || platform::flushFile(file);
    const bool closed = platform::closeFile(file);
    if (!written || !flushed || !closed) {
        platform::removeFile(temp);
        return kCannotWrite;
    }
    if (!platform::replaceFile(temp, name)) {
        platform::removeFile(temp);
        return kCannotOpen;
    }
    return kOk;
}

}  // namespace

namespace file_io {

int readHead(const char* name, unsigned char* bytes, size_t capacity, size_t* got) {
    *got = 0;
    std::FILE* file = std::fopen(name, "rb");
    if (file == nullptr) return kCannotOpen;
    *got = std::fread(bytes, 1, capacity, file);
    std::fclose(file);
    return kOk;
}

int readAll(const char* name, size_t limit, std::vector<unsigned char>* bytes) {
    bytes->clear();
    std::FILE* file = std::fopen(name, "rb");
    if (file == nullptr) return kCannotOpen;
    unsigned char chunk[16384];
    while (bytes->size() < limit) {
        const size_t want = limit - bytes->size() < sizeof chunk ? limit - bytes->size() : sizeof chunk;
        const size_t n = std::fread(chunk, 1, want, file);
        bytes->insert(bytes->end(), chunk, chunk + n);
        if (n < want) break;
    }
    std::fclose(file);
    return kOk;
}

int writeWhole(const char* name, const unsigned char* bytes, size_t size) {
    return write(name, bytes, size, false);
}

int writeWholeToDisk(const char* name, const unsigned char* bytes, size_t size) {
    return write(name, bytes, size, true);
}

}  // namespace file_io
