// The in-memory backend of the dialog seam.
#include "platform/sim/sim_dialog.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <utility>

#include "platform/dialog.h"
#include "platform/sim/sim_desktop.h"

namespace {

struct Size {
    int width;
    int height;
};

struct DialogState {
    std::map<std::pair<platform::WindowHandle, int>, sim::SimControl> controls;
    std::vector<sim::MessageBoxRecord> boxes;
    std::map<platform::WindowHandle, Size> frames;
    std::map<platform::WindowHandle, platform::Rect> children;
    platform::WindowHandle nextChild = 0x80000;
    std::set<platform::WindowHandle> topmost;
    std::set<platform::WindowHandle> destroyed;
};

DialogState& state() {
    static DialogState s;
    return s;
}

sim::SimControl* find(platform::WindowHandle dialog, int id) {
    auto it = state().controls.find({dialog, id});
    return it == state().controls.end() ? nullptr : &it->second;
}

int clampPos(const sim::SimControl& c, int pos) { return std::clamp(pos, c.low, std::max(c.low, c.high)); }

}  // namespace

namespace sim {

void resetDialogs() { state() = DialogState{}; }

SimControl& control(platform::WindowHandle dialog, int id) { return state().controls[{dialog, id}]; }

bool hasControl(platform::WindowHandle dialog, int id) { return find(dialog, id) != nullptr; }

void dragTrackbar(platform::WindowHandle dialog, int id, int pos) {
    SimControl& c = control(dialog, id);
    c.pos = clampPos(c, pos);
}

void selectLine(platform::WindowHandle dialog, int id, int index) {
    SimControl& c = control(dialog, id);
    c.selection = index >= 0 && index < static_cast<int>(c.lines.size()) ? index : -1;
}

std::vector<MessageBoxRecord>& messageBoxes() { return state().boxes; }

void setFrameSize(platform::WindowHandle window, int width, int height) {
    state().frames[window] = {width, height};
}

platform::WindowHandle addChildWindow(platform::Rect rect) {
    platform::WindowHandle h = state().nextChild += 4;
    state().children[h] = rect;
    return h;
}

platform::Rect childRect(platform::WindowHandle child) {
    auto it = state().children.find(child);
    return it == state().children.end() ? platform::Rect{} : it->second;
}

bool isTopmost(platform::WindowHandle window) { return state().topmost.count(window) != 0; }

bool isDestroyed(platform::WindowHandle window) { return state().destroyed.count(window) != 0; }

}  // namespace sim

namespace platform {

bool setControlText(WindowHandle dialog, int id, const char* utf8) {
    sim::control(dialog, id).text = utf8;
    return true;
}

int getControlText(WindowHandle dialog, int id, char* buf, int size) {
    if (size <= 0) return 0;
    const sim::SimControl* c = find(dialog, id);
    int n = c ? std::min<int>(static_cast<int>(c->text.size()), size - 1) : 0;
    if (n > 0) std::memcpy(buf, c->text.data(), static_cast<size_t>(n));
    buf[n] = '\0';
    return n;
}

bool setTrackbarRange(WindowHandle dialog, int id, int low, int high) {
    sim::SimControl& c = sim::control(dialog, id);
    c.low = low;
    c.high = high;
    c.pos = clampPos(c, c.pos);
    return true;
}

bool setSpinRange(WindowHandle dialog, int id, int low, int high) {
    sim::SimControl& c = sim::control(dialog, id);
    c.low = low;
    c.high = high;
    return true;
}

bool setTrackbarPos(WindowHandle dialog, int id, int pos) {
    sim::dragTrackbar(dialog, id, pos);
    return true;
}

int getTrackbarPos(WindowHandle dialog, int id) {
    const sim::SimControl* c = find(dialog, id);
    return c ? c->pos : 0;
}

bool setChecked(WindowHandle dialog, int id, bool checked) {
    sim::control(dialog, id).checked = checked;
    return true;
}

bool isChecked(WindowHandle dialog, int id) {
    const sim::SimControl* c = find(dialog, id);
    return c && c->checked;
}

int listInsert(WindowHandle dialog, int id, int index, const char* utf8) {
    sim::SimControl& c = sim::control(dialog, id);
    int count = static_cast<int>(c.lines.size());
    if (index == -1) index = count;
    if (index < 0 || index > count) return -1;
    c.lines.insert(c.lines.begin() + index, utf8);
    // The selection stays on the same line.
    if (c.selection >= index) ++c.selection;
    return index;
}

int listDelete(WindowHandle dialog, int id, int index) {
    sim::SimControl& c = sim::control(dialog, id);
    int count = static_cast<int>(c.lines.size());
    if (index < 0 || index >= count) return -1;
    c.lines.erase(c.lines.begin() + index);
    if (c.selection == index) {
        c.selection = -1;
    } else if (c.selection > index) {
        --c.selection;
    }
    return count - 1;
}

bool listReset(WindowHandle dialog, int id) {
    sim::SimControl& c = sim::control(dialog, id);
    c.lines.clear();
    c.selection = -1;
    return true;
}

int listSelection(WindowHandle dialog, int id) {
    const sim::SimControl* c = find(dialog, id);
    return c ? c->selection : -1;
}

bool listSelect(WindowHandle dialog, int id, int index) {
    sim::SimControl& c = sim::control(dialog, id);
    if (index < -1 || index >= static_cast<int>(c.lines.size())) return false;
    c.selection = index;
    return true;
}

bool markControl(WindowHandle dialog, int id) {
    ++sim::control(dialog, id).marks;
    return true;
}

int listCount(WindowHandle dialog, int id) {
    const sim::SimControl* c = find(dialog, id);
    return c ? static_cast<int>(c->lines.size()) : 0;
}

int warningBox(WindowHandle owner, const char* textUtf8, const char* captionUtf8) {
    state().boxes.push_back({owner, textUtf8, captionUtf8});
    return 1;  // OK
}

std::string narrowToUtf8(const char* text, int length) {
    return std::string(text, strnlen(text, static_cast<size_t>(std::max(length, 0))));
}

bool getClientRect(WindowHandle window, Rect* rect) {
    auto child = state().children.find(window);
    if (child != state().children.end()) {
        const Rect& r = child->second;
        *rect = {0, 0, r.right - r.left, r.bottom - r.top};
        return true;
    }
    const sim::SimWindow* w = sim::window(window);
    if (!w) return false;
    Size frame{0, 0};
    auto it = state().frames.find(window);
    if (it != state().frames.end()) frame = it->second;
    *rect = {0, 0, w->rect.right - w->rect.left - frame.width, w->rect.bottom - w->rect.top - frame.height};
    return true;
}

bool resizeWindow(WindowHandle window, int width, int height, bool topmost) {
    auto child = state().children.find(window);
    if (child != state().children.end()) {
        Rect& r = child->second;
        r.right = r.left + width;
        r.bottom = r.top + height;
    } else {
        sim::SimWindow* w = sim::window(window);
        if (!w) return false;
        w->rect.right = w->rect.left + width;
        w->rect.bottom = w->rect.top + height;
        if (w->showCmd == kShowNormal) w->normal = w->rect;
    }
    if (topmost) state().topmost.insert(window);
    return true;
}

bool destroyWindow(WindowHandle window) {
    if (sim::isDestroyed(window)) return false;
    state().destroyed.insert(window);
    sim::removeWindow(window);
    state().children.erase(window);
    return true;
}

}  // namespace platform
