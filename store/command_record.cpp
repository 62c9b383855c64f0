// The companion's records and command line. Every byte of a received record
// is looked at before anything is taken from it.
#include "store/command_record.h"

#include <cstring>

namespace {

uint32_t word(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void putWord(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// The arguments each command allows.
bool validArguments(uint32_t kind, int32_t a, int32_t b, uint32_t patternLength) {
    switch (kind) {
        case kCommandState:
        case kCommandHome:
        case kCommandExit:
        case kCommandVersion:
            return a == 0 && b == 0 && patternLength == 0;
        case kCommandView:
        case kCommandMove:
            return patternLength == 0;
        case kCommandPage:
            return a >= kPageLeft && a <= kPageDown && b == 0 && patternLength == 0;
        case kCommandNavigator:
            return a >= kNavigatorShow && a <= kNavigatorToggle && b == 0 && patternLength == 0;
        case kCommandGo:
            return a == 0 && b == 0 && patternLength >= 1 && patternLength <= kMaxPatternLength;
        default:
            return false;
    }
}

bool sameAscii(const char* text, const char* word) {
    for (; *text && *word; ++text, ++word) {
        char c = *text;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != *word) return false;
    }
    return *text == '\0' && *word == '\0';
}

// A decimal 32-bit integer with an optional sign, nothing else.
bool parseInt(const char* text, int32_t* out) {
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    if (*text == '\0') return false;
    int64_t value = 0;
    for (; *text; ++text) {
        if (*text < '0' || *text > '9') return false;
        value = value * 10 + (*text - '0');
        if (value > 2147483648LL) return false;
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return false;
    *out = static_cast<int32_t>(value);
    return true;
}

// The index of `text` in `words`, or -1.
int choice(const char* text, const char* const* words, int count) {
    for (int i = 0; i < count; ++i) {
        if (sameAscii(text, words[i])) return i;
    }
    return -1;
}

}  // namespace

bool isValidUtf8(const char* text, size_t length) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    size_t i = 0;
    while (i < length) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more;
        uint32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (length - i <= static_cast<size_t>(more)) return false;
        for (int k = 1; k <= more; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if ((more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += static_cast<size_t>(more) + 1;
    }
    return true;
}

int buildCommandRecord(const Command& command, unsigned char* out) {
    const size_t length = strnlen(command.pattern, kPatternField);
    if (length == kPatternField ||
        !validArguments(command.kind, command.a, command.b, static_cast<uint32_t>(length)))
        return kRecordMalformed;
    if (!isValidUtf8(command.pattern, length)) return kRecordMalformed;
    std::memset(out, 0, kCommandRecordSize);
    putWord(out + 0, kCommandMagic);
    putWord(out + 4, kCommandRecordVersion);
    putWord(out + 8, static_cast<uint32_t>(kCommandRecordSize));
    putWord(out + 12, command.requestId);
    putWord(out + 16, command.kind);
    putWord(out + 20, static_cast<uint32_t>(command.a));
    putWord(out + 24, static_cast<uint32_t>(command.b));
    putWord(out + 28, command.deadline);
    putWord(out + 32, static_cast<uint32_t>(length));
    std::memcpy(out + kPatternOffset, command.pattern, length);
    return kRecordOk;
}

int parseCommandRecord(const void* data, size_t size, Command* out) {
    if (data == nullptr || size < 12) return kRecordMalformed;
    const auto* p = static_cast<const unsigned char*>(data);
    if (word(p) != kCommandMagic) return kRecordMalformed;
    // A newer companion's record may differ in size: told apart from a
    // damaged one by its version word.
    if (word(p + 4) != kCommandRecordVersion) return kRecordVersion;
    if (size != kCommandRecordSize || word(p + 8) != kCommandRecordSize) return kRecordMalformed;
    const uint32_t kind = word(p + 16);
    const auto a = static_cast<int32_t>(word(p + 20));
    const auto b = static_cast<int32_t>(word(p + 24));
    const uint32_t length = word(p + 32);
    if (!validArguments(kind, a, b, length)) return kRecordMalformed;
    const auto* pattern = reinterpret_cast<const char*>(p + kPatternOffset);
    if (std::memchr(pattern, 0, length) != nullptr || !isValidUtf8(pattern, length)) return kRecordMalformed;
    for (size_t i = length; i < kPatternField; ++i) {
        if (p[kPatternOffset + i] != 0) return kRecordMalformed;
    }
    Command c;
    c.kind = kind;
    c.requestId = word(p + 12);
    c.a = a;
    c.b = b;
    c.deadline = word(p + 28);
    std::memcpy(c.pattern, pattern, length);
    c.pattern[length] = '\0';
    *out = c;
    return kRecordOk;
}

void buildAnswerHeader(uint32_t requestId, uint32_t status, uint32_t reason, uint32_t payloadLength,
                       unsigned char* out) {
    putWord(out + 0, kAnswerMagic);
    putWord(out + 4, kCommandRecordVersion);
    putWord(out + 8, static_cast<uint32_t>(kAnswerHeaderSize));
    putWord(out + 12, requestId);
    putWord(out + 16, status);
    putWord(out + 20, reason);
    putWord(out + 24, payloadLength);
    putWord(out + 28, 0);
}

int parseAnswer(const void* data, size_t size, Answer* out) {
    if (data == nullptr || size < kAnswerHeaderSize) return kRecordMalformed;
    const auto* p = static_cast<const unsigned char*>(data);
    if (word(p) != kAnswerMagic) return kRecordMalformed;
    if (word(p + 4) != kCommandRecordVersion) return kRecordVersion;
    const uint32_t status = word(p + 16);
    const uint32_t length = word(p + 24);
    if (word(p + 8) != kAnswerHeaderSize || word(p + 28) != 0 || length > kMaxAnswerPayload ||
        size != kAnswerHeaderSize + length || (status != kAnswerDone && status != kAnswerRefused))
        return kRecordMalformed;
    Answer answer;
    answer.requestId = word(p + 12);
    answer.status = status;
    answer.reason = word(p + 20);
    answer.payload = p + kAnswerHeaderSize;
    answer.payloadLength = length;
    *out = answer;
    return kRecordOk;
}

int parseCommandLine(int argc, const char* const* argv, Command* out) {
    if (argc < 1 || argv == nullptr || argv[0] == nullptr) return kUsageError;
    static const char* const kNames[] = {"state", "view",      "move", "page",    "home",
                                         "go",    "navigator", "exit", "version", "help"};
    static const uint32_t kKinds[] = {kCommandState,      kCommandView, kCommandMove,      kCommandPage,
                                      kCommandHome,       kCommandGo,   kCommandNavigator, kCommandExit,
                                      kCommandOwnVersion, kCommandHelp};
    const int which = choice(argv[0], kNames, 10);
    if (which < 0) return kUsageError;
    Command c;
    c.kind = kKinds[which];
    const int rest = argc - 1;
    switch (c.kind) {
        case kCommandView:
        case kCommandMove:
            if (rest != 2 || !parseInt(argv[1], &c.a) || !parseInt(argv[2], &c.b)) return kUsageError;
            break;
        case kCommandPage: {
            static const char* const kDirections[] = {"left", "right", "up", "down"};
            if (rest != 1) return kUsageError;
            c.a = choice(argv[1], kDirections, 4);
            if (c.a < 0) return kUsageError;
            break;
        }
        case kCommandNavigator: {
            static const char* const kModes[] = {"show", "hide", "toggle"};
            if (rest != 1) return kUsageError;
            c.a = choice(argv[1], kModes, 3);
            if (c.a < 0) return kUsageError;
            break;
        }
        case kCommandGo: {
            if (rest != 1) return kUsageError;
            const size_t length = std::strlen(argv[1]);
            if (length == 0 || length > kMaxPatternLength || !isValidUtf8(argv[1], length))
                return kUsageError;
            std::memcpy(c.pattern, argv[1], length + 1);
            break;
        }
        default:
            if (rest != 0) return kUsageError;
            break;
    }
    *out = c;
    return 0;
}
