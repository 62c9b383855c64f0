// The options file: one table of keys over the INI document.
#include "store/options.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "store/file_io.h"
#include "store/ini_document.h"

namespace {

// A file this large is not ours: only its start is read.
constexpr size_t kMaxOptionsFile = 4u << 20;

// One key of the file: a number clamped into [low, high], a text of at most
// kKeyTextSize - 1 bytes, or a choice among names (value i is names[i];
// anything else reads as names[0]). In the order a new file lists them.
struct OptionKey {
    const char* section;
    const char* key;
    int32_t* (*number)(Options*);  // number and choice keys
    char* (*text)(Options*);       // text keys
    int32_t low;
    int32_t high;
    const char* const* names;  // choice keys
};

const char* const kLanguageNames[] = {"auto", "ja", "en", nullptr};
const char* const kFollowFocusNames[] = {"view", "window", "off", nullptr};

#define WR_NUMBER(section, key, path, low, high)                                       \
    {                                                                                  \
        section, key, [](Options* o) { return &o->path; }, nullptr, low, high, nullptr \
    }
#define WR_TEXT(section, key, path)                                              \
    {                                                                            \
        section, key, nullptr, [](Options* o) { return o->path; }, 0, 0, nullptr \
    }
#define WR_CHOICE(section, key, path, names)                                    \
    {                                                                           \
        section, key, [](Options* o) { return &o->path; }, nullptr, 0, 0, names \
    }

const OptionKey kKeys[] = {
    WR_NUMBER("Edges", "DwellMs", edges.dwellMs, 0, 2000),
    WR_NUMBER("Edges", "CornerPx", edges.cornerPx, 0, 200),
    WR_NUMBER("Edges", "PagePauseMs", edges.pagePauseMs, 0, 3000),
    WR_NUMBER("Edges", "Left", edges.left, 0, 1),
    WR_NUMBER("Edges", "Right", edges.right, 0, 1),
    WR_NUMBER("Edges", "Top", edges.top, 0, 1),
    WR_NUMBER("Edges", "Bottom", edges.bottom, 0, 1),
    WR_NUMBER("Edges", "CarryDraggedWindow", edges.carryDraggedWindow, 0, 1),
    WR_NUMBER("Edges", "PauseInFullscreen", edges.pauseInFullscreen, 0, 1),
    WR_TEXT("Keys", "PageLeft", keys.pageLeft),
    WR_TEXT("Keys", "PageRight", keys.pageRight),
    WR_TEXT("Keys", "PageUp", keys.pageUp),
    WR_TEXT("Keys", "PageDown", keys.pageDown),
    WR_TEXT("Keys", "Home", keys.home),
    WR_TEXT("Keys", "CarryLeft", keys.carryLeft),
    WR_TEXT("Keys", "CarryRight", keys.carryRight),
    WR_TEXT("Keys", "CarryUp", keys.carryUp),
    WR_TEXT("Keys", "CarryDown", keys.carryDown),
    WR_TEXT("Keys", "ToggleNavigator", keys.toggleNavigator),
    WR_TEXT("Keys", "Overview", keys.overview),
    WR_NUMBER("Navigator", "WheelScrolls", navigator.wheelScrolls, 0, 1),
    WR_CHOICE("Focus", "FollowFocus", focus.followFocus, kFollowFocusNames),
    WR_CHOICE("General", "Language", general.language, kLanguageNames),
};

#undef WR_NUMBER
#undef WR_TEXT
#undef WR_CHOICE

// A decimal integer with an optional sign, clamped into [low, high] however
// many digits it has. False when the text is not a number.
bool parseClamped(const std::string& text, int32_t low, int32_t high, int32_t* out) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        if (value < LLONG_MAX / 100) value = value * 10 + (text[i] - '0');
    }
    if (negative) value = -value;
    *out = value < low ? low : (value > high ? high : static_cast<int32_t>(value));
    return true;
}

bool sameAscii(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return true;
}

// The file as a document; empty when there is none. 0 or 1 (cannot open).
int load(const char* name, IniDocument* doc) {
    std::vector<unsigned char> bytes;
    const int status = file_io::readAll(name, kMaxOptionsFile, &bytes);
    doc->parse(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return status;
}

}  // namespace

int readOptions(const char* name, Options* options) {
    *options = Options{};
    IniDocument doc;
    const int status = load(name, &doc);
    if (status != 0) return status;
    for (const OptionKey& k : kKeys) {
        const std::string* v = doc.find(k.section, k.key);
        if (!v) continue;
        if (k.text) {
            // The whole field, so that records with equal texts compare equal.
            if (v->size() < static_cast<size_t>(kKeyTextSize)) {
                char* field = k.text(options);
                std::memset(field, 0, kKeyTextSize);
                std::memcpy(field, v->data(), v->size());
            }
        } else if (k.names) {
            // A name it does not know keeps the default.
            int32_t value = *k.number(options);
            for (int32_t i = 0; k.names[i]; ++i) {
                if (sameAscii(*v, k.names[i])) value = i;
            }
            *k.number(options) = value;
        } else {
            int32_t value = 0;
            if (parseClamped(*v, k.low, k.high, &value)) *k.number(options) = value;
        }
    }
    return 0;
}

int writeOptions(const char* name, const Options& given) {
    Options options = given;
    IniDocument doc;
    load(name, &doc);
    for (const OptionKey& k : kKeys) {
        if (k.text) {
            const char* field = k.text(&options);
            size_t n = 0;
            while (n < static_cast<size_t>(kKeyTextSize - 1) && field[n] != '\0') ++n;
            doc.set(k.section, k.key, std::string(field, n));
        } else if (k.names) {
            int32_t count = 0;
            while (k.names[count]) ++count;
            const int32_t v = *k.number(&options);
            doc.set(k.section, k.key, k.names[(v >= 0 && v < count) ? v : 0]);
        } else {
            int32_t v = *k.number(&options);
            v = v < k.low ? k.low : (v > k.high ? k.high : v);
            doc.set(k.section, k.key, std::to_string(v));
        }
    }
    const std::string text = doc.text();
    return file_io::writeWholeToDisk(name, reinterpret_cast<const unsigned char*>(text.data()), text.size());
}
