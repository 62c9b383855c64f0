// Bounded fuzz test of the options file reader: seeded random and mutated
// texts. No crash (the native tests run with ASan and UBSan), every option
// read lies in its range, and a save of what was read writes a clean file
// that reads back the same.
#include <cstring>
#include <random>
#include <string>

#include "store/ini_document.h"
#include "store/options.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class OptionsFuzz : public DeskTest {};

const char* const kPieces[] = {"[Edges]",
                               "[Keys]",
                               "[Navigator]",
                               "[General]",
                               "[",
                               "]",
                               "=",
                               "\n",
                               "\r\n",
                               "\r",
                               ";",
                               "#",
                               " ",
                               "\t",
                               "DwellMs",
                               "CornerPx",
                               "PagePauseMs",
                               "Left",
                               "Right",
                               "Top",
                               "Bottom",
                               "CarryDraggedWindow",
                               "PageLeft",
                               "Home",
                               "ToggleNavigator",
                               "WheelScrolls",
                               "Language",
                               "ja",
                               "en",
                               "auto",
                               "0",
                               "1",
                               "-1",
                               "2000",
                               "2001",
                               "99999999999999999999",
                               "+",
                               "Ctrl+Alt+Left",
                               "\xEF\xBB\xBF",
                               "\xC3\xA9",
                               "\xC3",
                               "\xFF",
                               "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"};

std::string randomText(std::mt19937& rng) {
    std::string s;
    const int pieces = static_cast<int>(rng() % 60);
    for (int i = 0; i < pieces; ++i) {
        if (rng() % 8 == 0) {
            s += static_cast<char>(rng());
        } else {
            s += kPieces[rng() % (sizeof kPieces / sizeof kPieces[0])];
        }
    }
    return s;
}

std::string mutate(std::string s, std::mt19937& rng) {
    const int changes = 1 + static_cast<int>(rng() % 6);
    for (int i = 0; i < changes && !s.empty(); ++i) {
        const size_t at = rng() % s.size();
        switch (rng() % 4) {
            case 0:
                s[at] = static_cast<char>(rng());
                break;
            case 1:
                s.erase(at, 1 + rng() % 8);
                break;
            case 2:
                s.insert(at, kPieces[rng() % (sizeof kPieces / sizeof kPieces[0])]);
                break;
            default:
                s[at] ^= static_cast<char>(1u << (rng() % 8));
                break;
        }
    }
    return s;
}

bool inRange(int32_t v, int32_t low, int32_t high) { return v >= low && v <= high; }

void expectInRange(const Options& o) {
    EXPECT_TRUE(inRange(o.edges.dwellMs, 0, 2000));
    EXPECT_TRUE(inRange(o.edges.cornerPx, 0, 200));
    EXPECT_TRUE(inRange(o.edges.pagePauseMs, 0, 3000));
    for (int32_t flag : {o.edges.left, o.edges.right, o.edges.top, o.edges.bottom, o.edges.carryDraggedWindow,
                         o.navigator.wheelScrolls})
        EXPECT_TRUE(inRange(flag, 0, 1));
    EXPECT_TRUE(inRange(o.general.language, kLanguageAuto, kLanguageEn));
    const char* texts[] = {o.keys.pageLeft,  o.keys.pageRight,      o.keys.pageUp,     o.keys.pageDown,
                           o.keys.home,      o.keys.carryLeft,      o.keys.carryRight, o.keys.carryUp,
                           o.keys.carryDown, o.keys.toggleNavigator};
    for (const char* t : texts) EXPECT_LT(strnlen(t, kKeyTextSize), static_cast<size_t>(kKeyTextSize));
}

TEST_F(OptionsFuzz, ReaderSurvivesRandomAndMutatedTextsAndASaveIsClean) {
    std::mt19937 rng(20261210);
    Options base;
    base.edges = {300, 40, 1000, 0, 1, 1, 0, 1};
    ASSERT_EQ(writeOptions(kOptionsFileName, base), 0);
    std::vector<unsigned char> bytes = readFile(kOptionsFileName);
    const std::string valid(bytes.begin(), bytes.end());
    for (int iteration = 0; iteration < 1500; ++iteration) {
        const std::string text = iteration % 3 == 0 ? randomText(rng) : mutate(valid, rng);
        writeFile(kOptionsFileName, {text.begin(), text.end()});
        Options o;
        ASSERT_EQ(readOptions(kOptionsFileName, &o), 0);
        expectInRange(o);

        ASSERT_EQ(writeOptions(kOptionsFileName, o), 0);
        bytes = readFile(kOptionsFileName);
        IniDocument doc;
        doc.parse(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        EXPECT_EQ(doc.ignoredLines(), 0);
        Options again;
        ASSERT_EQ(readOptions(kOptionsFileName, &again), 0);
        EXPECT_EQ(std::memcmp(&again, &o, sizeof o), 0);
        if (HasFailure()) {
            ADD_FAILURE() << "iteration " << iteration << ": " << text;
            return;
        }
    }
}

}  // namespace
