// Host files behind the file operations of the platform seam.
#include "platform/sim/sim_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/files.h"

namespace {

constexpr int kLogSize = 64;
char fileLogText[kLogSize];
int fileLogLength = 0;

void logCall(char letter) {
    if (fileLogLength == kLogSize - 1) return;
    fileLogText[fileLogLength++] = letter;
    fileLogText[fileLogLength] = '\0';
}

// A file the user marked read-only: no write permission bits (root is not
// stopped by them, Windows is stopped by the mark).
bool isReadOnly(const char* name) {
    struct stat st {};
    return stat(name, &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

int fd(platform::FileHandle file) { return static_cast<int>(file) - 1; }

}  // namespace

namespace sim {

const char* fileLog() { return fileLogText; }

void clearFileLog() {
    fileLogLength = 0;
    fileLogText[0] = '\0';
}

}  // namespace sim

namespace platform {

FileHandle createFile(const char* name) {
    logCall('C');
    if (isReadOnly(name)) return 0;
    const int f = open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return f < 0 ? 0 : static_cast<FileHandle>(f) + 1;
}

bool writeFile(FileHandle file, const unsigned char* bytes, size_t size) {
    logCall('W');
    while (size > 0) {
        const ssize_t n = write(fd(file), bytes, size);
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool flushFile(FileHandle file) {
    logCall('F');
    return fsync(fd(file)) == 0;
}

bool closeFile(FileHandle file) {
    logCall('X');
    return close(fd(file)) == 0;
}

bool removeFile(const char* name) {
    logCall('D');
    struct stat st {};
    if (lstat(name, &st) != 0) return true;
    return !S_ISDIR(st.st_mode) && unlink(name) == 0;
}

bool replaceFile(const char* from, const char* to) {
    logCall('R');
    if (isReadOnly(to)) return false;
    return std::rename(from, to) == 0;
}

}  // namespace platform
