// The companion's command line, its command record and the answer record:
// what is accepted, what is refused, and that a record survives the trip.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "store/command_record.h"

namespace {

struct LineRow {
    std::vector<const char*> args;
    int status;
    uint32_t kind;
    int32_t a, b;
    const char* pattern;
};

void PrintTo(const LineRow& r, std::ostream* os) {
    for (const char* a : r.args) *os << '[' << a << ']';
}

const LineRow kLines[] = {
    {{"state"}, 0, kCommandState, 0, 0, ""},
    {{"STATE"}, 0, kCommandState, 0, 0, ""},
    {{"view", "0", "0"}, 0, kCommandView, 0, 0, ""},
    {{"view", "-20", "+3000"}, 0, kCommandView, -20, 3000, ""},
    {{"move", "2147483647", "-2147483648"}, 0, kCommandMove, INT32_MAX, INT32_MIN, ""},
    {{"page", "left"}, 0, kCommandPage, kPageLeft, 0, ""},
    {{"page", "right"}, 0, kCommandPage, kPageRight, 0, ""},
    {{"page", "Up"}, 0, kCommandPage, kPageUp, 0, ""},
    {{"page", "down"}, 0, kCommandPage, kPageDown, 0, ""},
    {{"home"}, 0, kCommandHome, 0, 0, ""},
    {{"go", "*Notepad"}, 0, kCommandGo, 0, 0, "*Notepad"},
    {{"go", "メモ帳 - ?"}, 0, kCommandGo, 0, 0, "メモ帳 - ?"},
    {{"navigator", "show"}, 0, kCommandNavigator, kNavigatorShow, 0, ""},
    {{"navigator", "hide"}, 0, kCommandNavigator, kNavigatorHide, 0, ""},
    {{"navigator", "toggle"}, 0, kCommandNavigator, kNavigatorToggle, 0, ""},
    {{"exit"}, 0, kCommandExit, 0, 0, ""},
    {{"help"}, 0, kCommandHelp, 0, 0, ""},
    {{"version"}, 0, kCommandOwnVersion, 0, 0, ""},
    // Bad usage.
    {{"page", "sideways"}, kUsageError, 0, 0, 0, ""},
    {{"page"}, kUsageError, 0, 0, 0, ""},
    {{"page", "left", "right"}, kUsageError, 0, 0, 0, ""},
    {{"view", "1"}, kUsageError, 0, 0, 0, ""},
    {{"view", "1", "2", "3"}, kUsageError, 0, 0, 0, ""},
    {{"view", "1x", "2"}, kUsageError, 0, 0, 0, ""},
    {{"view", "", "2"}, kUsageError, 0, 0, 0, ""},
    {{"view", "-", "2"}, kUsageError, 0, 0, 0, ""},
    {{"move", "2147483648", "0"}, kUsageError, 0, 0, 0, ""},
    {{"move", "0", "-2147483649"}, kUsageError, 0, 0, 0, ""},
    {{"move", "99999999999999999999", "0"}, kUsageError, 0, 0, 0, ""},
    {{"go"}, kUsageError, 0, 0, 0, ""},
    {{"go", ""}, kUsageError, 0, 0, 0, ""},
    {{"go", "a", "b"}, kUsageError, 0, 0, 0, ""},
    {{"go", "\xff\xfe"}, kUsageError, 0, 0, 0, ""},
    {{"navigator", "pin"}, kUsageError, 0, 0, 0, ""},
    {{"state", "now"}, kUsageError, 0, 0, 0, ""},
    {{"exit", "0"}, kUsageError, 0, 0, 0, ""},
    {{"fly"}, kUsageError, 0, 0, 0, ""},
    {{""}, kUsageError, 0, 0, 0, ""},
};

class CommandLine : public ::testing::TestWithParam<LineRow> {};

TEST_P(CommandLine, ParsesEachCommandAndRefusesBadUsage) {
    const LineRow& r = GetParam();
    Command c;
    c.a = 77;
    const int status = parseCommandLine(static_cast<int>(r.args.size()), r.args.data(), &c);
    ASSERT_EQ(status, r.status);
    if (status != 0) {
        EXPECT_EQ(c.a, 77);  // untouched
        return;
    }
    EXPECT_EQ(c.kind, r.kind);
    EXPECT_EQ(c.a, r.a);
    EXPECT_EQ(c.b, r.b);
    EXPECT_STREQ(c.pattern, r.pattern);
}

INSTANTIATE_TEST_SUITE_P(Table, CommandLine, ::testing::ValuesIn(kLines));

TEST(CommandLineLimits, NoArgumentsAndOverlongPatternsAreBadUsage) {
    Command c;
    EXPECT_EQ(parseCommandLine(0, nullptr, &c), kUsageError);
    const std::string longest(251, 'x');
    const std::string tooLong(252, 'x');
    const char* ok[] = {"go", longest.c_str()};
    const char* bad[] = {"go", tooLong.c_str()};
    EXPECT_EQ(parseCommandLine(2, ok, &c), 0);
    EXPECT_EQ(parseCommandLine(2, bad, &c), kUsageError);
}

// Every command the line parser gives (help and the own version aside) is a
// record that the command window takes back unchanged.
TEST(CommandRecord, EveryParsedCommandSurvivesTheTrip) {
    for (const LineRow& r : kLines) {
        Command c;
        if (parseCommandLine(static_cast<int>(r.args.size()), r.args.data(), &c) != 0) continue;
        if (c.kind == kCommandHelp) continue;
        if (c.kind == kCommandOwnVersion) c.kind = kCommandVersion;
        c.requestId = 0xA5A50001;
        c.deadline = 0xFFFFFFF0;
        unsigned char bytes[kCommandRecordSize];
        ASSERT_EQ(buildCommandRecord(c, bytes), kRecordOk) << r.args[0];
        Command back;
        ASSERT_EQ(parseCommandRecord(bytes, sizeof bytes, &back), kRecordOk) << r.args[0];
        EXPECT_EQ(back.kind, c.kind);
        EXPECT_EQ(back.requestId, c.requestId);
        EXPECT_EQ(back.a, c.a);
        EXPECT_EQ(back.b, c.b);
        EXPECT_EQ(back.deadline, c.deadline);
        EXPECT_STREQ(back.pattern, c.pattern);
    }
}

TEST(CommandRecord, LayoutIsLittleEndianAtFixedOffsets) {
    Command c;
    c.kind = kCommandView;
    c.requestId = 0x01020304;
    c.a = -2;
    c.b = 0x7f;
    c.deadline = 0xCAFE0102;
    unsigned char bytes[kCommandRecordSize];
    ASSERT_EQ(buildCommandRecord(c, bytes), kRecordOk);
    const unsigned char head[] = {'W',  'R',  'C',  'M',  1,    0, 0, 0, 0x20,
                                  1,    0,    0,                              // magic, version, size
                                  4,    3,    2,    1,    2,    0, 0, 0,      // request, command
                                  0xfe, 0xff, 0xff, 0xff, 0x7f, 0, 0, 0,      // X, Y
                                  0x02, 0x01, 0xfe, 0xca, 0,    0, 0, 0, 0};  // deadline, length
    EXPECT_EQ(std::memcmp(bytes, head, sizeof head), 0);
    Command go;
    go.kind = kCommandGo;
    std::strcpy(go.pattern, "a*");
    ASSERT_EQ(buildCommandRecord(go, bytes), kRecordOk);
    EXPECT_EQ(bytes[32], 2);  // the pattern's length
    EXPECT_EQ(std::memcmp(bytes + 36, "a*", 3), 0);
    for (size_t i = 39; i < kCommandRecordSize; ++i) ASSERT_EQ(bytes[i], 0) << i;
}

// A valid go record, then one change that must make it refused.
struct BadRow {
    const char* what;
    size_t offset;  // where the change is made
    std::vector<unsigned char> bytes;
    int expected;
};

std::vector<unsigned char> goRecord() {
    Command c;
    c.kind = kCommandGo;
    std::strcpy(c.pattern, "ab*");
    std::vector<unsigned char> bytes(kCommandRecordSize);
    buildCommandRecord(c, bytes.data());
    return bytes;
}

const BadRow kBad[] = {
    {"wrong magic", 0, {'W', 'R', 'C', 'X'}, kRecordMalformed},
    {"another version", 4, {2, 0, 0, 0}, kRecordVersion},
    {"version 0", 4, {0, 0, 0, 0}, kRecordVersion},
    {"size word", 8, {0x21, 1, 0, 0}, kRecordMalformed},
    {"command 0", 16, {0, 0, 0, 0}, kRecordMalformed},
    {"command 10", 16, {10, 0, 0, 0}, kRecordMalformed},
    {"help is never sent", 16, {100, 0, 0, 0}, kRecordMalformed},
    {"argument of go", 20, {1, 0, 0, 0}, kRecordMalformed},
    {"pattern length 0", 32, {0, 0, 0, 0}, kRecordMalformed},
    {"pattern length 252", 32, {252, 0, 0, 0}, kRecordMalformed},
    {"pattern length huge", 32, {0xff, 0xff, 0xff, 0xff}, kRecordMalformed},
    {"pattern length past its text", 32, {4, 0, 0, 0}, kRecordMalformed},
    {"NUL inside the pattern", 37, {0}, kRecordMalformed},
    {"ill-formed UTF-8", 36, {0xC0}, kRecordMalformed},
    {"surrogate in UTF-8", 36, {0xED, 0xA0, 0x80}, kRecordMalformed},
    {"byte after the pattern", 200, {1}, kRecordMalformed},
    {"last byte", kCommandRecordSize - 1, {'x'}, kRecordMalformed},
};

void PrintTo(const BadRow& r, std::ostream* os) { *os << r.what; }

class BadRecord : public ::testing::TestWithParam<BadRow> {};

TEST_P(BadRecord, IsRefusedAndLeavesTheCommandAlone) {
    const BadRow& r = GetParam();
    std::vector<unsigned char> bytes = goRecord();
    Command probe;
    ASSERT_EQ(parseCommandRecord(bytes.data(), bytes.size(), &probe), kRecordOk);
    std::memcpy(bytes.data() + r.offset, r.bytes.data(), r.bytes.size());
    Command c;
    c.a = 55;
    EXPECT_EQ(parseCommandRecord(bytes.data(), bytes.size(), &c), r.expected) << r.what;
    EXPECT_EQ(c.a, 55);
    EXPECT_EQ(c.kind, kCommandNone);
}

INSTANTIATE_TEST_SUITE_P(Table, BadRecord, ::testing::ValuesIn(kBad));

TEST(CommandRecord, ArgumentsOutOfRangeAreRefused) {
    struct Row {
        uint32_t kind;
        int32_t a, b;
    };
    const Row rows[] = {{kCommandPage, 4, 0},      {kCommandPage, -1, 0},      {kCommandPage, 1, 1},
                        {kCommandNavigator, 3, 0}, {kCommandNavigator, -1, 0}, {kCommandState, 1, 0},
                        {kCommandExit, 0, 1},      {kCommandHome, 0, -1}};
    for (const Row& r : rows) {
        std::vector<unsigned char> bytes = goRecord();
        const uint32_t words[] = {r.kind, static_cast<uint32_t>(r.a), static_cast<uint32_t>(r.b), 0};
        for (int w = 0; w < 4; ++w)
            for (int k = 0; k < 4; ++k)
                bytes[16 + 4 * w + k] = static_cast<unsigned char>(words[w] >> (8 * k));
        std::memset(bytes.data() + 32, 0, kPatternField);
        Command c;
        EXPECT_EQ(parseCommandRecord(bytes.data(), bytes.size(), &c), kRecordMalformed)
            << r.kind << " " << r.a;
        // The same with its arguments in range is taken.
        Command ok;
        ok.kind = r.kind;
        EXPECT_EQ(buildCommandRecord(ok, bytes.data()), kRecordOk);
        Command built = ok;
        built.a = r.a;
        built.b = r.b;
        EXPECT_EQ(buildCommandRecord(built, bytes.data()), kRecordMalformed);
    }
}

TEST(CommandRecord, OnlyTheExactSizeIsTaken) {
    std::vector<unsigned char> bytes = goRecord();
    Command c;
    EXPECT_EQ(parseCommandRecord(nullptr, kCommandRecordSize, &c), kRecordMalformed);
    for (size_t size : {size_t{0}, size_t{3}, size_t{11}, size_t{12}, kCommandRecordSize - 1}) {
        EXPECT_EQ(parseCommandRecord(bytes.data(), size, &c), kRecordMalformed) << size;
    }
    bytes.push_back(0);
    EXPECT_EQ(parseCommandRecord(bytes.data(), bytes.size(), &c), kRecordMalformed);
}

std::vector<unsigned char> answer(uint32_t status, const std::string& payload) {
    std::vector<unsigned char> bytes(kAnswerHeaderSize + payload.size());
    buildAnswerHeader(9, status, kReasonNoMatch, static_cast<uint32_t>(payload.size()), bytes.data());
    std::memcpy(bytes.data() + kAnswerHeaderSize, payload.data(), payload.size());
    return bytes;
}

TEST(AnswerRecord, HeaderAndPayloadComeBack) {
    const std::vector<unsigned char> bytes = answer(kAnswerRefused, "{\"a\":1}");
    Answer a;
    ASSERT_EQ(parseAnswer(bytes.data(), bytes.size(), &a), kRecordOk);
    EXPECT_EQ(a.requestId, 9u);
    EXPECT_EQ(a.status, kAnswerRefused);
    EXPECT_EQ(a.reason, kReasonNoMatch);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(a.payload), a.payloadLength), "{\"a\":1}");
}

TEST(AnswerRecord, LengthsThatDisagreeAreRefused) {
    std::vector<unsigned char> bytes = answer(kAnswerDone, "xyz");
    Answer a;
    EXPECT_EQ(parseAnswer(bytes.data(), bytes.size() - 1, &a), kRecordMalformed);
    EXPECT_EQ(parseAnswer(bytes.data(), kAnswerHeaderSize - 1, &a), kRecordMalformed);
    bytes.push_back(0);
    EXPECT_EQ(parseAnswer(bytes.data(), bytes.size(), &a), kRecordMalformed);
    // A payload length past the limit, with bytes to match.
    std::vector<unsigned char> huge(kAnswerHeaderSize + kMaxAnswerPayload + 1);
    buildAnswerHeader(1, kAnswerDone, 0, kMaxAnswerPayload + 1, huge.data());
    EXPECT_EQ(parseAnswer(huge.data(), huge.size(), &a), kRecordMalformed);
    std::vector<unsigned char> odd = answer(7, "");
    EXPECT_EQ(parseAnswer(odd.data(), odd.size(), &a), kRecordMalformed);
}

TEST(Utf8, WellFormedTextOnly) {
    EXPECT_TRUE(isValidUtf8("abc", 3));
    EXPECT_TRUE(isValidUtf8("メモ帳", std::strlen("メモ帳")));
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x98\x80", 4));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF", 2));          // overlong
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF", 3));      // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80", 3));      // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80", 4));  // past U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE3\x83", 2));          // cut short
    EXPECT_FALSE(isValidUtf8("\x80", 1));
}

}  // namespace
