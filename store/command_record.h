// The records that wideroomc.exe and the running program exchange through
// WM_COPYDATA, and the companion's command line.
//
// All integers little-endian, no gaps, the same on 32- and 64-bit Windows.
//
// Command record (companion -> the "Wideroom" command window), COPYDATASTRUCT
// dwData kCommandTag, exactly kCommandRecordSize (288) bytes:
//   0  magic          "WRCM" (0x4D435257 as a 32-bit word)
//   4  version        1
//   8  size           288
//   12 requestId      echoed in the answer
//   16 command        CommandKind, 1 .. 9
//   20 argA           view: X; move: DX; page: 0 left, 1 right, 2 up, 3 down;
//                     navigator: 0 show, 1 hide, 2 toggle; else 0
//   24 argB           view: Y; move: DY; else 0
//   28 deadline       the tick count (GetTickCount, the same clock for every
//                     process) at which the companion stops waiting: a
//                     command still queued then is dropped, not carried out
//                     behind the back of a companion that reported no answer
//   32 patternLength  go: 1 .. 251; else 0
//   36 pattern        252 bytes: the go command's title pattern, UTF-8
//                     without NUL bytes; every byte past the length is 0
// The wParam of the message is the companion's window, which the answer goes
// to. The message's result: kReceiptAccepted (the answer follows), or one of
// the refusals below; 0 is what a program that takes no commands answers.
//
// Answer record (command window -> the companion's window), dwData
// kAnswerTag, kAnswerHeaderSize + payloadLength bytes:
//   0  magic          "WRCA" (0x41435257)
//   4  version        1
//   8  headerSize     32
//   12 requestId      of the command answered
//   16 status         kAnswerDone or kAnswerRefused
//   20 reason         AnswerReason
//   24 payloadLength  0 .. kMaxAnswerPayload
//   28 reserved       0
//   32 payload        state: the JSON text; version: the version; else empty
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kCommandTag = 0x4D435257;  // "WRCM"
constexpr uint32_t kAnswerTag = 0x41435257;   // "WRCA"
constexpr uint32_t kCommandMagic = kCommandTag;
constexpr uint32_t kAnswerMagic = kAnswerTag;
constexpr uint32_t kCommandRecordVersion = 1;
constexpr size_t kCommandRecordSize = 288;
constexpr size_t kPatternOffset = 36;
constexpr size_t kPatternField = 252;
constexpr uint32_t kMaxPatternLength = 251;
constexpr size_t kAnswerHeaderSize = 32;
constexpr uint32_t kMaxAnswerPayload = 4u << 20;

enum CommandKind : uint32_t {
    kCommandNone = 0,
    kCommandState = 1,
    kCommandView = 2,
    kCommandMove = 3,
    kCommandPage = 4,
    kCommandHome = 5,
    kCommandGo = 6,
    kCommandNavigator = 7,
    kCommandExit = 8,
    kCommandVersion = 9,
    // Answered by the companion itself, never sent.
    kCommandHelp = 100,
    kCommandOwnVersion = 101,
};

enum PageDirection : int32_t { kPageLeft = 0, kPageRight = 1, kPageUp = 2, kPageDown = 3 };
enum NavigatorRequest : int32_t { kNavigatorShow = 0, kNavigatorHide = 1, kNavigatorToggle = 2 };

struct Command {
    uint32_t kind = kCommandNone;
    uint32_t requestId = 0;
    int32_t a = 0;
    int32_t b = 0;
    uint32_t deadline = 0;
    char pattern[kPatternField] = {};  // terminated; go only
};

// parseCommandRecord results.
constexpr int kRecordOk = 0;
constexpr int kRecordMalformed = 1;
constexpr int kRecordVersion = 2;  // a command record of another version

// The command window's receipt of a record (the WM_COPYDATA result).
constexpr intptr_t kReceiptNone = 0;  // not a command window, or an older program
constexpr intptr_t kReceiptAccepted = 1;
constexpr intptr_t kReceiptMalformed = 2;
constexpr intptr_t kReceiptVersion = 3;
constexpr intptr_t kReceiptSettingsOpen = 4;
constexpr intptr_t kReceiptBusy = 5;

constexpr uint32_t kAnswerDone = 0;
constexpr uint32_t kAnswerRefused = 3;

enum AnswerReason : uint32_t {
    kReasonNone = 0,
    kReasonNoMatch = 1,       // go: no window's title matches
    kReasonSettingsOpen = 2,  // the settings dialog is open
    kReasonCannot = 3,        // the command cannot be carried out now
};

struct Answer {
    uint32_t requestId = 0;
    uint32_t status = 0;
    uint32_t reason = 0;
    const unsigned char* payload = nullptr;  // into the parsed bytes
    uint32_t payloadLength = 0;
};

// Writes the record of `command` into out[kCommandRecordSize]. 0, or
// kRecordMalformed for a command that is not one to send (its fields out of
// range): nothing sent is invalid.
int buildCommandRecord(const Command& command, unsigned char* out);

// Takes a received record of `size` bytes: every field is checked; *out is
// filled only for a valid one. kRecordOk, kRecordMalformed or kRecordVersion
// (right magic, another version).
int parseCommandRecord(const void* data, size_t size, Command* out);

// The answer's header into out[kAnswerHeaderSize]; the payload follows it.
void buildAnswerHeader(uint32_t requestId, uint32_t status, uint32_t reason, uint32_t payloadLength,
                       unsigned char* out);

// Takes a received answer: the header's words and the length must agree.
// kRecordOk, kRecordMalformed or kRecordVersion.
int parseAnswer(const void* data, size_t size, Answer* out);

// The companion's command line (arguments after the program name, UTF-8).
// 0 with *out filled, or kUsageError.
constexpr int kUsageError = 2;
int parseCommandLine(int argc, const char* const* argv, Command* out);

// True when `text` of `length` bytes is well-formed UTF-8 (no overlong forms,
// no surrogates, nothing above U+10FFFF).
bool isValidUtf8(const char* text, size_t length);
