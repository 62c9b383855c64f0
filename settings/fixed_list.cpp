#include "settings/fixed_list.h"

#include <cstring>

#include "engine/ordinary_window.h"
#include "engine/top_windows.h"
#include "engine/virtual_desk.h"
#include "platform/dialog.h"
#include "platform/ui_text.h"

namespace {

// The English settings dialog's title, which the lists leave out as well.
constexpr const char* kSettingsTitleEnglish = "Wideroom Settings";

bool offered(uint32_t showCmd) {
    return showCmd == platform::kShowNormal || showCmd == platform::kShowMaximized;
}

bool isDesktopClass(const char* className) {
    for (int i = kFirstDesktopClass; i < kFirstDesktopClass + kDesktopClasses; ++i) {
        if (std::strcmp(className, kShellClasses[i]) == 0) return true;
    }
    return false;
}

// The settings dialog's title as the walk reads it, in the narrow code page:
// the program's UTF-8 text compared with those bytes would match no window
// under a code page such as 932.
// Either language's dialog.
bool bearsSettingsTitle(const char* title) {
    const std::string text = platform::narrowToUtf8(title, kNameSize);
    return text == kSettingsTitle || text == kSettingsTitleEnglish;
}

}  // namespace

int collectCandidates(CandidateTable* table, platform::WindowHandle dialog) {
    std::memset(table, 0, sizeof(*table));
    // Read at once: a window restacked meanwhile is offered once.
    TopWindows list;
    list.take();
    for (const platform::WindowHandle w : list) {
        // A cloaked window is shown on no screen: left out like a hidden one.
        if (!platform::isWindowVisible(w) || platform::isWindowCloaked(w)) continue;
        platform::Placement placement{};
        if (!platform::getWindowPlacement(w, &placement) || !offered(placement.showCmd)) continue;
        if (table->count >= kMaxCandidates) return kTableFull;

        FixedWindowEntry& row = table->rows[table->count];
        platform::getWindowText(w, row.title, kNameSize);
        const platform::Rect& r = placement.normal;
        bool sized = r.right != r.left && r.bottom != r.top;
        bool own =
            w == dialog || std::strcmp(row.title, kNavigatorTitle) == 0 || bearsSettingsTitle(row.title);
        if (sized && !own) platform::getClassName(w, row.className, kNameSize);
        if (!sized || own || isDesktopClass(row.className)) {
            // Reused by the next window; no stray bytes of these names stay.
            std::memset(&row, 0, sizeof(row));
            continue;
        }
        ++table->count;
    }
    return 0;
}

std::string fixedLine(const FixedWindowEntry& entry) {
    // The fields may come from a file, so they are read within their 64 bytes.
    std::string line = platform::uiText(IDS_LINE_PREFIX);
    line += platform::narrowToUtf8(entry.title, kNameSize);
    line += platform::uiText(IDS_LINE_MIDDLE);
    line += platform::narrowToUtf8(entry.className, kNameSize);
    return line;
}

bool sameWindowNames(const FixedWindowEntry& a, const FixedWindowEntry& b) {
    return std::strncmp(a.title, b.title, kNameSize) == 0 &&
           std::strncmp(a.className, b.className, kNameSize) == 0;
}

int packFixedList(FixedWindowList* list) {
    // Without a gap nothing moves, and the bytes of the free entries stay as
    // they were read: a list saved unchanged is the same file.
    int firstFree = 0;
    while (firstFree < kFixedEntryCount && !isFreeEntry(list->entries[firstFree])) ++firstFree;
    bool gap = false;
    for (int i = firstFree + 1; i < kFixedEntryCount; ++i) gap = gap || !isFreeEntry(list->entries[i]);
    if (!gap) return 0;
    int used = 0;
    for (int i = 0; i < kFixedEntryCount; ++i) {
        if (isFreeEntry(list->entries[i])) continue;
        if (i != used) list->entries[used] = list->entries[i];
        ++used;
    }
    for (int i = used; i < kFixedEntryCount; ++i) std::memset(&list->entries[i], 0, sizeof(FixedWindowEntry));
    return 0;
}

int fixEntry(FixedWindowList* list, const FixedWindowEntry& row, int* index) {
    if (isFreeEntry(row)) return kFixNoNames;
    for (int i = 0; i < kFixedEntryCount; ++i) {
        FixedWindowEntry& entry = list->entries[i];
        if (isFreeEntry(entry)) {
            // Whole fields: bytes after the terminators go along unchanged.
            std::memcpy(entry.title, row.title, kNameSize);
            std::memcpy(entry.className, row.className, kNameSize);
            *index = i;
            return 0;
        }
        if (sameWindowNames(entry, row)) return kFixDuplicate;
    }
    return kFixListFull;
}

int releaseEntry(FixedWindowList* list, int index) {
    if (index < 0 || index >= kFixedEntryCount) return 1;
    for (int k = index; k < kFixedEntryCount - 1; ++k) list->entries[k] = list->entries[k + 1];
    std::memset(&list->entries[kFixedEntryCount - 1], 0, sizeof(FixedWindowEntry));
    return 0;
}
