// wrfiletool: the program's safe write on the real Windows file system, for
// the end-to-end tests of files marked read-only.
//   wrfiletool write NAME TEXT   writes TEXT whole to NAME as the program
//                                writes its settings; prints the result code
// Exit code 0 when the write was made (whatever its result), 2 on a usage error.
#include <cstdio>
#include <cstring>

#include "store/file_io.h"

int main(int argc, char** argv) {
    if (argc != 4 || std::strcmp(argv[1], "write") != 0) {
        std::fputs("usage: wrfiletool write NAME TEXT\n", stderr);
        return 2;
    }
    const int result = file_io::writeWholeToDisk(argv[2], reinterpret_cast<const unsigned char*>(argv[3]),
                                                 std::strlen(argv[3]));
    std::printf("%d\n", result);
    return 0;
}
