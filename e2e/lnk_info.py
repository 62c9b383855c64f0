#!/usr/bin/env python3
"""Prints the working directory and the arguments of a Windows shortcut (.lnk):

    python3 e2e/lnk_info.py file.lnk

Two lines, "workdir <text>" and "args <text>" (empty when absent), read from
the shortcut's string data as the Shell Link format lays it out.
"""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, IS_UNICODE = 0x10, 0x20, 0x80


def main(path):
    data = open(path, "rb").read()
    if len(data) < 76 or struct.unpack_from("<I", data, 0)[0] != 76:
        print("not a shortcut", file=sys.stderr)
        return 1
    flags = struct.unpack_from("<I", data, 20)[0]
    at = 76
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & HAS_LINK_INFO:
        at += struct.unpack_from("<I", data, at)[0]
    strings = {}
    for flag in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR, HAS_ARGUMENTS):
        if not flags & flag:
            continue
        count = struct.unpack_from("<H", data, at)[0]
        at += 2
        size = count * 2 if flags & IS_UNICODE else count
        raw = data[at:at + size]
        at += size
        strings[flag] = raw.decode("utf-16-le" if flags & IS_UNICODE else "latin-1").rstrip("\0")
    print("workdir " + strings.get(HAS_WORKING_DIR, ""))
    print("args " + strings.get(HAS_ARGUMENTS, ""))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
