// Whole-file reads and safe writes.
#include "store/file_io.h"

#include <cstdio>
#include <cstring>

#include "platform/desktop.h"

namespace {

constexpr const char* kTempSuffix = ".tmp";
constexpr size_t kMaxNameLength = 4096;

constexpr int kOk = 0;
constexpr int kCannotOpen = 1;
constexpr int kCannotWrite = 2;

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
    char temp[kMaxNameLength + 8];
    const size_t length = std::strlen(name);
    if (length == 0 || length > kMaxNameLength) return kCannotOpen;
    std::memcpy(temp, name, length);
    std::memcpy(temp + length, kTempSuffix, std::strlen(kTempSuffix) + 1);

    std::FILE* file = std::fopen(temp, "wb");
    if (file == nullptr) return kCannotOpen;
    const bool written = std::fwrite(bytes, 1, size, file) == size;
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed || !platform::replaceFile(temp, name)) {
        std::remove(temp);
        return kCannotWrite;
    }
    return kOk;
}

}  // namespace file_io
