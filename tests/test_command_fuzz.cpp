// Bounded fuzz test of the command record parser, as the command window
// meets it: seeded random and mutated records of any length. No crash (the
// native tests run with ASan and UBSan); every record taken is one a
// companion could have built, byte for byte, and carrying it out keeps the
// view inside the virtual desktop.
#include <cstring>
#include <random>

#include "engine/commands.h"
#include "store/command_record.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class CommandFuzz : public DeskTest {};

std::vector<unsigned char> validRecord(std::mt19937& rng) {
    static const char* const kPatterns[] = {"*", "a?c", "メモ帳*", "x"};
    Command c;
    c.kind = 1 + rng() % 9;
    c.requestId = rng();
    c.deadline = rng();
    switch (c.kind) {
        case kCommandView:
        case kCommandMove:
            c.a = static_cast<int32_t>(rng());
            c.b = static_cast<int32_t>(rng()) % 5000;
            break;
        case kCommandPage:
            c.a = static_cast<int32_t>(rng() % 4);
            break;
        case kCommandNavigator:
            c.a = static_cast<int32_t>(rng() % 3);
            break;
        case kCommandGo:
            std::strcpy(c.pattern, kPatterns[rng() % 4]);
            break;
        default:
            break;
    }
    std::vector<unsigned char> bytes(kCommandRecordSize);
    EXPECT_EQ(buildCommandRecord(c, bytes.data()), kRecordOk);
    return bytes;
}

void mutate(std::vector<unsigned char>& bytes, std::mt19937& rng) {
    const int changes = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < changes; ++i) {
        const size_t at = rng() % bytes.size();
        switch (rng() % 5) {
            case 0:  // a header word replaced
                if (bytes.size() >= 32)
                    putWord(bytes, 4 * (rng() % 8), static_cast<int32_t>(rng() % 512) - 8);
                break;
            case 1:
                bytes[at] ^= static_cast<unsigned char>(1u << (rng() % 8));
                break;
            case 2:
                bytes[at] = static_cast<unsigned char>(rng());
                break;
            case 3:  // the pattern length, near its limits
                if (bytes.size() >= 36) putWord(bytes, 32, static_cast<int32_t>(rng() % 260));
                break;
            default:
                bytes[at] = 0;
                break;
        }
    }
    if (rng() % 8 == 0) bytes.resize(rng() % (bytes.size() + 40), static_cast<unsigned char>(rng()));
}

TEST_F(CommandFuzz, NoRecordCrashesAndEveryRecordTakenIsOneACompanionBuilds) {
    addWindow(100, 100, 300, 200, "メモ帳");
    addWindow(2500, 900, 200, 200, "abc");
    const platform::WindowHandle nav = addNavigatorFrame();
    VirtualDesk desk;
    std::mt19937 rng(20260611);
    int taken = 0;
    int refused = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<unsigned char> bytes;
        if (round % 10 == 0) {
            bytes.resize(rng() % 400);
            for (unsigned char& b : bytes) b = static_cast<unsigned char>(rng());
            if (bytes.size() >= 4 && rng() % 2) putWord(bytes, 0, static_cast<int32_t>(kCommandMagic));
        } else {
            bytes = validRecord(rng);
            mutate(bytes, rng);
        }
        Command c;
        const int status = parseCommandRecord(bytes.empty() ? nullptr : bytes.data(), bytes.size(), &c);
        ASSERT_TRUE(status == kRecordOk || status == kRecordMalformed || status == kRecordVersion);
        if (status != kRecordOk) {
            ++refused;
            continue;
        }
        ++taken;
        std::vector<unsigned char> rebuilt(kCommandRecordSize);
        ASSERT_EQ(buildCommandRecord(c, rebuilt.data()), kRecordOk);
        ASSERT_EQ(rebuilt, bytes) << "round " << round;
        if (round % 50 != 1 || c.kind == kCommandExit) continue;
        CommandOutcome out;
        runCommand(&desk, c, nav, "1.0.0", &out);
        ASSERT_GE(desk.viewX, 0);
        ASSERT_LE(desk.viewX, desk.virtualWidth - desk.screenWidth);
        ASSERT_GE(desk.viewY, 0);
        ASSERT_LE(desk.viewY, desk.virtualHeight - desk.screenHeight);
    }
    // Both sides were exercised.
    EXPECT_GT(taken, 1000);
    EXPECT_GT(refused, 10000);
}

TEST_F(CommandFuzz, AnswerParserTakesOnlyConsistentRecords) {
    std::mt19937 rng(424242);
    for (int round = 0; round < 20000; ++round) {
        const uint32_t length = rng() % 64;
        std::vector<unsigned char> bytes(kAnswerHeaderSize + length);
        buildAnswerHeader(rng(), (rng() % 2) ? kAnswerDone : kAnswerRefused, rng() % 4, length, bytes.data());
        mutate(bytes, rng);
        Answer a;
        if (parseAnswer(bytes.data(), bytes.size(), &a) != kRecordOk) continue;
        ASSERT_EQ(kAnswerHeaderSize + a.payloadLength, bytes.size());
        ASSERT_EQ(a.payload, bytes.data() + kAnswerHeaderSize);
    }
}

}  // namespace
