// Key combinations: reading and writing their text.
#include "store/key_combo.h"

#include <cstring>

namespace {

struct Name {
    const char* text;
    uint32_t value;
};

// Canonical order, the order format writes them in.
constexpr Name kModifiers[] = {
    {"Ctrl", kModCtrl}, {"Alt", kModAlt}, {"Shift", kModShift}, {"Win", kModWin}, {"Control", kModCtrl}};

constexpr Name kNamedKeys[] = {{"Left", kVkLeft},        {"Right", kVkRight}, {"Up", kVkUp},
                               {"Down", kVkDown},        {"Home", kVkHome},   {"PageUp", kVkPageUp},
                               {"PageDown", kVkPageDown}};

constexpr int kFunctionKeys = 24;

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(const char* part, size_t length, const char* name) {
    if (std::strlen(name) != length) return false;
    for (size_t i = 0; i < length; ++i) {
        if (lower(part[i]) != lower(name[i])) return false;
    }
    return true;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

uint32_t modifierOf(const char* part, size_t length) {
    for (const Name& m : kModifiers) {
        if (sameName(part, length, m.text)) return m.value;
    }
    return 0;
}

// The virtual-key code, 0 when the part names no key.
uint32_t keyOf(const char* part, size_t length) {
    for (const Name& k : kNamedKeys) {
        if (sameName(part, length, k.text)) return k.value;
    }
    if (length == 1) {
        const char c = lower(part[0]);
        if (c >= 'a' && c <= 'z') return static_cast<uint32_t>('A' + (c - 'a'));
        if (c >= '0' && c <= '9') return static_cast<uint32_t>(c);
    }
    if ((length == 2 || length == 3) && lower(part[0]) == 'f' && part[1] >= '1' && part[1] <= '9') {
        int n = part[1] - '0';
        if (length == 3) {
            if (part[2] < '0' || part[2] > '9') return 0;
            n = n * 10 + (part[2] - '0');
        }
        if (n >= 1 && n <= kFunctionKeys) return kVkF1 + static_cast<uint32_t>(n - 1);
    }
    return 0;
}

bool isFunctionKey(uint32_t key) { return key >= kVkF1 && key < kVkF1 + kFunctionKeys; }

// The key's name into buf (at least 9 bytes); false when it has none.
bool keyName(uint32_t key, char* buf) {
    for (const Name& k : kNamedKeys) {
        if (k.value == key) {
            std::strcpy(buf, k.text);
            return true;
        }
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        buf[0] = static_cast<char>(key);
        buf[1] = '\0';
        return true;
    }
    if (isFunctionKey(key)) {
        const int n = static_cast<int>(key - kVkF1) + 1;
        buf[0] = 'F';
        buf[1] = n >= 10 ? static_cast<char>('0' + n / 10) : static_cast<char>('0' + n);
        buf[2] = n >= 10 ? static_cast<char>('0' + n % 10) : '\0';
        buf[3] = '\0';
        return true;
    }
    return false;
}

}  // namespace

int parseKeyCombo(const char* text, size_t length, KeyCombo* combo) {
    if (length > kMaxComboText) return kComboTooLong;
    size_t begin = 0;
    size_t end = length;
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    if (begin == end) {
        *combo = KeyCombo{};
        return kComboOk;
    }
    KeyCombo result;
    size_t at = begin;
    while (true) {
        size_t stop = at;
        while (stop < end && text[stop] != '+') ++stop;
        const bool last = stop == end;
        size_t a = at;
        size_t b = stop;
        while (a < b && isBlank(text[a])) ++a;
        while (b > a && isBlank(text[b - 1])) --b;
        if (a == b) return kComboEmptyPart;
        const uint32_t modifier = modifierOf(text + a, b - a);
        if (modifier != 0) {
            if (result.modifiers & modifier) return kComboDuplicate;
            result.modifiers |= modifier;
            if (last) return kComboNoKey;
        } else {
            const uint32_t key = keyOf(text + a, b - a);
            if (key == 0) return kComboUnknownName;
            if (!last) return kComboTwoKeys;
            result.key = key;
            break;
        }
        at = stop + 1;
    }
    if (!isFunctionKey(result.key) && (result.modifiers & (kModCtrl | kModAlt | kModWin)) == 0)
        return kComboNeedsModifier;
    *combo = result;
    return kComboOk;
}

size_t formatKeyCombo(const KeyCombo& combo, char* buf, size_t size) {
    if (size == 0) return 0;
    buf[0] = '\0';
    char name[16];
    if (combo.key == 0 || !keyName(combo.key, name)) return 0;
    char out[kComboTextSize * 2] = "";
    for (int i = 0; i < 4; ++i) {
        if (combo.modifiers & kModifiers[i].value) {
            std::strcat(out, kModifiers[i].text);
            std::strcat(out, "+");
        }
    }
    std::strcat(out, name);
    const size_t length = std::strlen(out);
    if (length + 1 > size) return 0;
    std::memcpy(buf, out, length + 1);
    return length;
}
