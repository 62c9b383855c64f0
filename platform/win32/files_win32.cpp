// The Windows backend of the file operations (KERNEL32).
#include <windows.h>

#include "platform/files.h"

namespace platform {

namespace {

constexpr DWORD kReplaceFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

HANDLE fileHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

bool isReadOnly(const char* name) {
    const DWORD attributes = GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace

// A read-only file is not opened for writing: Windows refuses it, and the
// check keeps Wine run as root, which would open it, to the same rule.
FileHandle createFile(const char* name) {
    if (isReadOnly(name)) return 0;
    HANDLE h = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<FileHandle>(h);
}

bool writeFile(FileHandle file, const unsigned char* bytes, size_t size) {
    DWORD written = 0;
    return size <= MAXDWORD &&
           WriteFile(fileHandle(file), bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

bool flushFile(FileHandle file) { return FlushFileBuffers(fileHandle(file)) != 0; }

bool closeFile(FileHandle file) { return CloseHandle(fileHandle(file)) != 0; }

bool removeFile(const char* name) {
    const DWORD attributes = GetFileAttributesA(name);
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(name) != 0;
}

// The user's read-only mark on the target is kept: Windows refuses such a
// replace, Wine would carry it out.
bool replaceFile(const char* from, const char* to) {
    if (isReadOnly(to)) return false;
    return MoveFileExA(from, to, kReplaceFlags) != 0;
}

}  // namespace platform
