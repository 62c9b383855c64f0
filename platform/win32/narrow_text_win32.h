// Narrow (ANSI code page) text read into a fixed buffer.
#pragma once

#include <windows.h>

// The length of text[0..length) without a trailing half of a two-byte
// character: a name cut to its buffer can end in a lead byte, which would show
// as a stray mark.
inline int wholeCharLength(const char* text, int length) {
    bool inChar = false;
    for (int i = 0; i < length; ++i) {
        inChar = !inChar && IsDBCSLeadByte(static_cast<BYTE>(text[i]));
    }
    return inChar ? length - 1 : length;
}
