// Key combinations: the text of the options file's [Keys] values.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/options_keys.h"
#include "store/key_combo.h"

namespace {

struct ComboRow {
    const char* text;
    int status;
    uint32_t modifiers;
    uint32_t key;
    const char* canonical;  // what format writes back (ok rows)
};

void PrintTo(const ComboRow& r, std::ostream* os) { *os << '"' << r.text << '"'; }

constexpr uint32_t kCA = kModCtrl | kModAlt;

const ComboRow kRows[] = {
    // Every kind of key, with the canonical text coming back.
    {"Ctrl+Alt+Right", kComboOk, kCA, kVkRight, "Ctrl+Alt+Right"},
    {"Ctrl+Alt+Left", kComboOk, kCA, kVkLeft, "Ctrl+Alt+Left"},
    {"Ctrl+Alt+Up", kComboOk, kCA, kVkUp, "Ctrl+Alt+Up"},
    {"Ctrl+Alt+Down", kComboOk, kCA, kVkDown, "Ctrl+Alt+Down"},
    {"Ctrl+Alt+Home", kComboOk, kCA, kVkHome, "Ctrl+Alt+Home"},
    {"Win+PageUp", kComboOk, kModWin, kVkPageUp, "Win+PageUp"},
    {"Alt+PageDown", kComboOk, kModAlt, kVkPageDown, "Alt+PageDown"},
    {"Ctrl+Alt+Shift+Right", kComboOk, kCA | kModShift, kVkRight, "Ctrl+Alt+Shift+Right"},
    {"Ctrl+Alt+Shift+Win+PageDown", kComboOk, kCA | kModShift | kModWin, kVkPageDown,
     "Ctrl+Alt+Shift+Win+PageDown"},
    {"Ctrl+A", kComboOk, kModCtrl, 'A', "Ctrl+A"},
    {"Ctrl+Z", kComboOk, kModCtrl, 'Z', "Ctrl+Z"},
    {"Alt+0", kComboOk, kModAlt, '0', "Alt+0"},
    {"Alt+9", kComboOk, kModAlt, '9', "Alt+9"},
    {"Ctrl+F1", kComboOk, kModCtrl, kVkF1, "Ctrl+F1"},
    {"Ctrl+F10", kComboOk, kModCtrl, kVkF1 + 9, "Ctrl+F10"},
    {"F24", kComboOk, 0, kVkF1 + 23, "F24"},  // function keys may stand alone
    {"Shift+F13", kComboOk, kModShift, kVkF1 + 12, "Shift+F13"},
    // Any order and case, blanks around the parts; written canonically.
    {"alt+ctrl+right", kComboOk, kCA, kVkRight, "Ctrl+Alt+Right"},
    {" Shift + Control + x ", kComboOk, kModShift | kModCtrl, 'X', "Ctrl+Shift+X"},
    {"CTRL+ALT+PAGEUP", kComboOk, kCA, kVkPageUp, "Ctrl+Alt+PageUp"},
    // Empty is no combination.
    {"", kComboOk, 0, 0, ""},
    {"   ", kComboOk, 0, 0, ""},
    // Bad input.
    {"Ctrl+Alt+Rigth", kComboUnknownName, 0, 0, nullptr},
    {"Ctrl+Alt+F25", kComboUnknownName, 0, 0, nullptr},
    {"Ctrl+F0", kComboUnknownName, 0, 0, nullptr},
    {"Ctrl+F1x", kComboUnknownName, 0, 0, nullptr},
    {"Ctrl+AB", kComboUnknownName, 0, 0, nullptr},
    {"Ctrl+Enter", kComboUnknownName, 0, 0, nullptr},
    {"Ctrl+\xe5\x8f\xb3", kComboUnknownName, 0, 0, nullptr},  // a Japanese character
    {"Ctrl", kComboNoKey, 0, 0, nullptr},
    {"Ctrl+Alt", kComboNoKey, 0, 0, nullptr},
    {"Ctrl+Ctrl+Right", kComboDuplicate, 0, 0, nullptr},
    {"Ctrl+Control+Right", kComboDuplicate, 0, 0, nullptr},
    {"Ctrl+Right+Left", kComboTwoKeys, 0, 0, nullptr},
    {"Right+Ctrl", kComboTwoKeys, 0, 0, nullptr},
    {"Ctrl++Right", kComboEmptyPart, 0, 0, nullptr},
    {"+Right", kComboEmptyPart, 0, 0, nullptr},
    {"Ctrl+Alt+", kComboEmptyPart, 0, 0, nullptr},
    {"Right", kComboNeedsModifier, 0, 0, nullptr},
    {"Shift+A", kComboNeedsModifier, 0, 0, nullptr},
    {"7", kComboNeedsModifier, 0, 0, nullptr},
};

class ParseCombo : public ::testing::TestWithParam<ComboRow> {};

TEST_P(ParseCombo, ReadsAndWritesBack) {
    const ComboRow& r = GetParam();
    const KeyCombo untouched{0x55, 0x66};
    KeyCombo c = untouched;
    EXPECT_EQ(parseKeyCombo(r.text, std::strlen(r.text), &c), r.status);
    if (r.status != kComboOk) {
        EXPECT_TRUE(c == untouched) << "a refused text leaves the combination alone";
        EXPECT_NE(comboErrorText(r.status), "");
        return;
    }
    EXPECT_EQ(c.modifiers, r.modifiers);
    EXPECT_EQ(c.key, r.key);
    char buf[kComboTextSize];
    EXPECT_EQ(formatKeyCombo(c, buf, sizeof buf), std::strlen(r.canonical));
    EXPECT_STREQ(buf, r.canonical);
    // The written text reads back as the same combination.
    KeyCombo again;
    EXPECT_EQ(parseKeyCombo(buf, std::strlen(buf), &again), kComboOk);
    EXPECT_TRUE(again == c);
}

INSTANTIATE_TEST_SUITE_P(Rows, ParseCombo, ::testing::ValuesIn(kRows));

TEST(ParseCombo, HugeValueIsRefusedUnread) {
    std::string huge(1 << 20, 'A');
    huge = "Ctrl+Alt+" + huge;
    KeyCombo c{kModCtrl, kVkLeft};
    EXPECT_EQ(parseKeyCombo(huge.data(), huge.size(), &c), kComboTooLong);
    EXPECT_EQ(c.key, kVkLeft);
    // The bound itself: 64 bytes are read, 65 are not.
    std::string padded = "Ctrl+Alt+Right" + std::string(kMaxComboText - 14, ' ');
    EXPECT_EQ(parseKeyCombo(padded.data(), padded.size(), &c), kComboOk);
    padded += ' ';
    EXPECT_EQ(parseKeyCombo(padded.data(), padded.size(), &c), kComboTooLong);
}

TEST(ParseCombo, ReadsOnlyTheGivenLength) {
    const char text[] = "Ctrl+Alt+Right+Left";  // the first 14 bytes are a whole combination
    KeyCombo c;
    EXPECT_EQ(parseKeyCombo(text, 14, &c), kComboOk);
    EXPECT_EQ(c.key, kVkRight);
    const char nul[] = {'C', 't', 'r', 'l', '+', '\0', 'A'};
    EXPECT_EQ(parseKeyCombo(nul, sizeof nul, &c), kComboUnknownName);
}

TEST(FormatCombo, NamelessOrTooSmallGivesEmpty) {
    char buf[kComboTextSize] = "x";
    EXPECT_EQ(formatKeyCombo(KeyCombo{kModCtrl, 0}, buf, sizeof buf), 0u);
    EXPECT_STREQ(buf, "");
    std::strcpy(buf, "x");
    EXPECT_EQ(formatKeyCombo(KeyCombo{kModCtrl, 0x0d}, buf, sizeof buf), 0u);  // Enter has no name here
    EXPECT_STREQ(buf, "");
    char small[8] = "x";
    EXPECT_EQ(formatKeyCombo(KeyCombo{kCA, kVkRight}, small, sizeof small), 0u);
    EXPECT_STREQ(small, "");
    char longest[kComboTextSize];
    EXPECT_EQ(formatKeyCombo(KeyCombo{kCA | kModShift | kModWin, kVkPageDown}, longest, sizeof longest), 27u);
}

}  // namespace
