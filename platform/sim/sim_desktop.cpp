// The in-memory backend of the platform seam.
#include "platform/sim/sim_desktop.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/sim_files.h"
#include "platform/window_list.h"

namespace {

struct KeyState {
    bool down = false;
    bool pressedSince = false;
};

struct SimState {
    int screenWidth = 1024;
    int screenHeight = 768;
    std::vector<sim::SimWindow> windows;  // topmost first
    platform::WindowHandle nextHandle = 0x1000;
    platform::Point cursor{0, 0};
    bool cursorFails = false;
    platform::WindowHandle dragged = 0;
    KeyState keys[256];
    uint32_t clock = 0;
    uint32_t tickCost = 0;
    int failCreationAt = 0;  // countdown; 0 = none
    std::vector<sim::DrawObjectInfo> objects;
    std::vector<sim::DrawOp> ops;
    platform::DrawObject nextObject = 0x100;
    long calls = 0;
    std::vector<uint32_t> sleeps;
    uint32_t advanceAtNextWalk = 0;
    uint64_t bootTime = 1;
    std::function<void(platform::WindowHandle)> moveObserver;
    std::function<void()> callWork;
    bool inCallWork = false;
    std::vector<sim::SimMoveCall> moveLog;
    bool recordMoves = false;
    platform::WindowHandle foreground = 0;
    int userState = 0;
    std::vector<sim::SimHotKey> hotKeys;
    std::vector<sim::SimHotKey> takenElsewhere;
    // Fixed storage: counting must not allocate on the tick's path.
    struct Invalidated {
        platform::WindowHandle handle;
        int count;
    } invalidated[16] = {};
    std::vector<platform::Monitor> monitors{{{0, 0, 1024, 768}, {0, 0, 1024, 768}, true}};
};

SimState& state() {
    static SimState s;
    return s;
}

constexpr size_t kMaxRecordedSleeps = 4096;

// Stock objects: fixed handles outside the created range.
constexpr platform::DrawObject kNullPen = 0x10;
constexpr platform::DrawObject kNullBrush = 0x11;

// Index of the window in the Z order, or -1. Handles that addWindow assigns
// (0x1004, 0x1008, ...) sit at index (h - 0x1004) / 4 until windows are
// removed or given handles of their own, so that slot is tried first and the
// lookup costs O(1) in the usual case (benchmarks of 512 windows); otherwise
// the list is searched.
long indexOf(platform::WindowHandle h) {
    const std::vector<sim::SimWindow>& v = state().windows;
    if (h >= 0x1004 && (h - 0x1004) % 4 == 0) {
        size_t guess = (h - 0x1004) / 4;
        if (guess < v.size() && v[guess].handle == h) return static_cast<long>(guess);
    }
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i].handle == h) return static_cast<long>(i);
    }
    return -1;
}

sim::SimWindow* findWindow(platform::WindowHandle h) {
    long i = indexOf(h);
    return i < 0 ? nullptr : &state().windows[static_cast<size_t>(i)];
}

int copyString(const std::string& s, char* buf, int size) {
    if (size <= 0) return 0;
    int n = std::min<int>(static_cast<int>(s.size()), size - 1);
    std::memcpy(buf, s.data(), static_cast<size_t>(n));
    buf[n] = '\0';
    return n;
}

// copyString, cut at a whole UTF-8 character.
int copyUtf8(const std::string& s, char* buf, int size) {
    if (size <= 0) return 0;
    size_t n = std::min<size_t>(s.size(), static_cast<size_t>(size - 1));
    if (n < s.size()) {
        while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    }
    std::memcpy(buf, s.data(), n);
    buf[n] = '\0';
    return static_cast<int>(n);
}

platform::DrawObject createObject(bool pen, int width, uint8_t r, uint8_t g, uint8_t b) {
    SimState& s = state();
    if (s.failCreationAt > 0 && --s.failCreationAt == 0) return 0;
    platform::DrawObject h = s.nextObject++;
    s.objects.push_back({h, pen, width, r, g, b, false});
    return h;
}

// One window-manager call: counted, and another program's thread may run
// before it is answered.
void countCall() {
    SimState& s = state();
    ++s.calls;
    if (!s.callWork || s.inCallWork) return;
    s.inCallWork = true;
    s.callWork();
    s.inCallWork = false;
}

void moveToIndex(platform::WindowHandle handle, size_t index) {
    std::vector<sim::SimWindow>& v = state().windows;
    const long from = indexOf(handle);
    if (from < 0) return;
    if (index >= v.size()) index = v.size() - 1;
    const auto f = v.begin() + from;
    const auto t = v.begin() + static_cast<long>(index);
    if (t < f) {
        std::rotate(t, f, f + 1);
    } else if (f < t) {
        std::rotate(f, f + 1, t + 1);
    }
}

// A move carried out by the window's program, as its handler lets it.
void carryOut(sim::SimWindow* w, platform::Rect r) {
    if (w->ignoresMoves) return;
    if (w->keepsOrigin) {
        const int32_t dx = r.left < 0 ? -r.left : 0;
        const int32_t dy = r.top < 0 ? -r.top : 0;
        r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    }
    w->rect = r;
    if (w->showCmd == platform::kShowNormal) w->normal = r;
}

}  // namespace

namespace sim {

void reset(int screenWidth, int screenHeight) {
    SimState& s = state();
    s.screenWidth = screenWidth;
    s.screenHeight = screenHeight;
    s.windows.clear();
    s.nextHandle = 0x1000;
    s.cursor = {0, 0};
    s.cursorFails = false;
    s.dragged = 0;
    for (auto& k : s.keys) k = KeyState{};
    s.clock = 0;
    s.tickCost = 0;
    s.failCreationAt = 0;
    s.objects.clear();
    s.ops.clear();
    s.nextObject = 0x100;
    s.calls = 0;
    s.sleeps.clear();
    s.sleeps.reserve(kMaxRecordedSleeps);  // no allocation while a test counts them
    s.advanceAtNextWalk = 0;
    s.bootTime = 1;
    s.moveObserver = nullptr;
    s.callWork = nullptr;
    s.inCallWork = false;
    s.moveLog.clear();
    s.recordMoves = false;
    s.foreground = 0;
    s.userState = 0;
    s.hotKeys.clear();
    s.takenElsewhere.clear();
    for (auto& i : s.invalidated) i = {0, 0};
    clearFileLog();
    s.monitors = {monitor(0, 0, screenWidth, screenHeight, true)};
}

void setMonitors(const std::vector<platform::Monitor>& monitors) { state().monitors = monitors; }

platform::Monitor monitor(int left, int top, int right, int bottom, bool primary) {
    return {{left, top, right, bottom}, {left, top, right, bottom}, primary};
}

platform::WindowHandle addWindow(SimWindow w) {
    SimState& s = state();
    if (w.handle == 0) w.handle = s.nextHandle += 4;
    s.windows.push_back(std::move(w));
    return s.windows.back().handle;
}

platform::WindowHandle addWindow(const std::string& title, const std::string& className, int x, int y,
                                 int width, int height) {
    SimWindow w;
    w.title = title;
    w.className = className;
    w.normal = {x, y, x + width, y + height};
    w.rect = w.normal;
    return addWindow(std::move(w));
}

SimWindow* window(platform::WindowHandle handle) { return findWindow(handle); }
std::vector<SimWindow>& zOrder() { return state().windows; }

void removeWindow(platform::WindowHandle handle) {
    auto& v = state().windows;
    v.erase(std::remove_if(v.begin(), v.end(), [&](const SimWindow& w) { return w.handle == handle; }),
            v.end());
}

int pumpWindow(platform::WindowHandle handle, int count) {
    SimWindow* w = findWindow(handle);
    if (!w) return 0;
    int done = 0;
    while (!w->pendingMoves.empty() && (count < 0 || done < count)) {
        const SimMove m = w->pendingMoves.front();
        w->pendingMoves.erase(w->pendingMoves.begin());
        platform::Rect r = m.rect;
        if (m.keepSize) {
            r.right = r.left + (w->rect.right - w->rect.left);
            r.bottom = r.top + (w->rect.bottom - w->rect.top);
        }
        carryOut(w, r);
        ++done;
    }
    if (done > 0 && w->raisedByMoves) moveToIndex(handle, 0);
    return done;
}

void restack(platform::WindowHandle handle, size_t index) { moveToIndex(handle, index); }

void onCall(std::function<void()> work) { state().callWork = std::move(work); }

void restoreWindow(platform::WindowHandle handle) {
    SimWindow* w = findWindow(handle);
    if (!w) return;
    w->showCmd = platform::kShowNormal;
    w->rect = w->normal;
}

void setBootTime(uint64_t t) { state().bootTime = t; }
void onMove(std::function<void(platform::WindowHandle)> observer) {
    state().moveObserver = std::move(observer);
}

void setCursor(int x, int y) { state().cursor = {x, y}; }
platform::Point cursor() { return state().cursor; }
void failCursor(bool fail) { state().cursorFails = fail; }

void setDraggedWindow(platform::WindowHandle handle) { state().dragged = handle; }

void setKey(int key, bool down) {
    KeyState& k = state().keys[key & 0xff];
    if (down && !k.down) k.pressedSince = true;
    k.down = down;
}

void tapKey(int key) {
    KeyState& k = state().keys[key & 0xff];
    k.pressedSince = true;
}

void setForeground(platform::WindowHandle window) { state().foreground = window; }

void setUserNotificationState(int value) { state().userState = value; }

void takeHotKeyElsewhere(uint32_t modifiers, uint32_t key) {
    state().takenElsewhere.push_back({0, 0, modifiers, key});
}

const std::vector<SimHotKey>& hotKeys() { return state().hotKeys; }

uint32_t now() { return state().clock; }
void advance(uint32_t ms) { state().clock += ms; }
void setTickCost(uint32_t ms) { state().tickCost = ms; }
const std::vector<uint32_t>& sleeps() { return state().sleeps; }
void advanceAtNextWalk(uint32_t ms) { state().advanceAtNextWalk = ms; }

void failDrawObjectCreation(int k) { state().failCreationAt = k; }
const std::vector<DrawObjectInfo>& drawObjects() { return state().objects; }
std::vector<DrawOp>& canvasOps() { return state().ops; }
const DrawObjectInfo* drawObject(platform::DrawObject handle) {
    for (const auto& o : state().objects) {
        if (o.handle == handle) return &o;
    }
    return nullptr;
}

void recordMoves(bool on) {
    state().recordMoves = on;
    state().moveLog.clear();
}
const std::vector<SimMoveCall>& moveLog() { return state().moveLog; }
int invalidationsOf(platform::WindowHandle handle) {
    for (const auto& i : state().invalidated) {
        if (i.handle == handle && handle != 0) return i.count;
    }
    return 0;
}

long callCount() { return state().calls; }
void resetCallCount() { state().calls = 0; }

}  // namespace sim

namespace platform {

int topLevelWindows(WindowHandle* out, int capacity) {
    SimState& s = state();
    countCall();
    s.clock += s.advanceAtNextWalk;
    s.advanceAtNextWalk = 0;
    const int total = static_cast<int>(s.windows.size());
    for (int i = 0; i < total && i < capacity; ++i) out[i] = s.windows[static_cast<size_t>(i)].handle;
    return total;
}

bool isWindowVisible(WindowHandle window) {
    countCall();
    const sim::SimWindow* w = findWindow(window);
    return w && w->visible;
}

uint32_t getShowState(WindowHandle window) {
    countCall();
    const sim::SimWindow* w = findWindow(window);
    return w && w->visible ? w->showCmd : 0;
}

bool getWindowPlacement(WindowHandle window, Placement* placement) {
    countCall();
    const sim::SimWindow* w = findWindow(window);
    if (!w) return false;
    placement->showCmd = w->showCmd;
    placement->normal = w->normal;
    return true;
}

int getWindowText(WindowHandle window, char* buf, int size) {
    countCall();
    const sim::SimWindow* w = findWindow(window);
    if (!w) {
        if (size > 0) buf[0] = '\0';
        return 0;
    }
    return copyString(w->title, buf, size);
}

int getClassName(WindowHandle window, char* buf, int size) {
    countCall();
    const sim::SimWindow* w = findWindow(window);
    if (!w) {
        if (size > 0) buf[0] = '\0';
        return 0;
    }
    return copyString(w->className, buf, size);
}

bool getWindowRect(WindowHandle window, Rect* rect) {
    countCall();
    const sim::SimWindow* w = findWindow(window);
    if (!w) return false;
    *rect = w->rect;
    return true;
}

bool moveWindow(WindowHandle window, int x, int y, int width, int height) {
    countCall();
    if (state().moveObserver) state().moveObserver(window);
    if (state().recordMoves) state().moveLog.push_back({window, {x, y, x + width, y + height}, false});
    sim::SimWindow* w = findWindow(window);
    if (!w || w->refuseMove || w->outOfReach) return false;
    if (w->hung || w->queuesMoves) {
        w->pendingMoves.push_back({{x, y, x + width, y + height}, false});
        ++w->moveCount;
        return true;
    }
    carryOut(w, {x, y, x + width, y + height});
    ++w->moveCount;
    return true;
}

bool setWindowPos(WindowHandle window, int x, int y) {
    countCall();
    if (state().moveObserver) state().moveObserver(window);
    if (state().recordMoves) state().moveLog.push_back({window, {x, y, x, y}, true});
    sim::SimWindow* w = findWindow(window);
    if (!w || w->refuseMove || w->outOfReach) return false;
    if (w->hung || w->queuesMoves) {
        w->pendingMoves.push_back({{x, y, x, y}, true});
        ++w->moveCount;
        return true;
    }
    int width = w->rect.right - w->rect.left;
    int height = w->rect.bottom - w->rect.top;
    carryOut(w, {x, y, x + width, y + height});
    ++w->moveCount;
    return true;
}

bool showWindow(WindowHandle window, int cmd) {
    countCall();
    sim::SimWindow* w = findWindow(window);
    if (!w) return false;
    bool was = w->visible;
    w->visible = cmd != kShowCmdHide;
    if (cmd == kShowCmdShow) state().foreground = window;
    return was;
}

bool isHungWindow(WindowHandle window) {
    countCall();
    const sim::SimWindow* w = findWindow(window);
    return w && w->hung;
}

bool setRestoredRect(WindowHandle window, const Rect& rect) {
    countCall();
    sim::SimWindow* w = findWindow(window);
    if (!w || !w->visible || w->hung) return false;
    w->normal = rect;
    return true;
}

bool windowProcess(WindowHandle window, uint32_t* processId, uint64_t* startTime) {
    countCall();
    const sim::SimWindow* w = findWindow(window);
    if (!w) return false;
    *processId = w->processId;
    *startTime = w->processStart;
    return true;
}

bool windowProgram(WindowHandle window, char* utf8Name, int size) {
    ++state().calls;
    const sim::SimWindow* w = findWindow(window);
    if (size > 0) utf8Name[0] = '\0';
    if (!w || w->program.empty()) return false;
    copyUtf8(w->program, utf8Name, size);
    return true;
}

int getWindowTextUtf8(WindowHandle window, char* buf, int size) {
    ++state().calls;
    const sim::SimWindow* w = findWindow(window);
    if (!w) {
        if (size > 0) buf[0] = '\0';
        return 0;
    }
    return copyUtf8(w->unicodeTitle.empty() ? w->title : w->unicodeTitle, buf, size);
}

bool isTopLevel(WindowHandle window) {
    countCall();
    const sim::SimWindow* w = findWindow(window);
    return w && w->topLevel;
}

uint64_t bootTime() { return state().bootTime; }

// Not counted among the window-manager calls: the compositor answers it.
bool isWindowCloaked(WindowHandle window) {
    const sim::SimWindow* w = findWindow(window);
    return w && w->cloaked;
}

uint32_t getExtendedStyle(WindowHandle window) {
    ++state().calls;
    const sim::SimWindow* w = findWindow(window);
    return w ? w->exStyle : 0;
}

// The compositor answers, as for isWindowCloaked.
uint32_t cloakReason(WindowHandle window) {
    const sim::SimWindow* w = findWindow(window);
    if (!w) return 0;
    if (w->cloakReason != 0) return w->cloakReason;
    return w->cloaked ? kCloakedApp : 0;
}

int userNotificationState() {
    ++state().calls;
    return state().userState;
}

bool isWindowOutOfReach(WindowHandle window) {
    ++state().calls;
    const sim::SimWindow* w = findWindow(window);
    return w && w->outOfReach;
}

int getMonitors(Monitor* out, int capacity) {
    countCall();
    int n = 0;
    for (const Monitor& m : state().monitors) {
        if (n == capacity) break;
        out[n++] = m;
    }
    return n;
}

Rect desktopRect() {
    countCall();
    return {0, 0, state().screenWidth, state().screenHeight};
}

int16_t getAsyncKeyState(int key) {
    countCall();
    KeyState& k = state().keys[key & 0xff];
    int16_t v = static_cast<int16_t>((k.down ? 0x8000 : 0) | (k.pressedSince ? 1 : 0));
    k.pressedSince = false;
    return v;
}

bool getCursorPos(Point* point) {
    countCall();
    if (state().cursorFails) return false;
    *point = state().cursor;
    return true;
}

WindowHandle draggedWindow() {
    SimState& s = state();
    countCall();
    return sim::window(s.dragged) ? s.dragged : 0;
}

bool setCursorPos(int x, int y) {
    countCall();
    state().cursor = {x, y};
    return true;
}

WindowHandle foregroundWindow() {
    countCall();
    return state().foreground;
}

// As the window manager: a combination is held once, system-wide; an id once
// per window.
bool registerHotKey(WindowHandle window, int id, uint32_t modifiers, uint32_t key) {
    SimState& s = state();
    countCall();
    for (const auto* list : {&s.takenElsewhere, &s.hotKeys}) {
        for (const sim::SimHotKey& h : *list) {
            if (h.modifiers == modifiers && h.key == key) return false;
        }
    }
    for (const sim::SimHotKey& h : s.hotKeys) {
        if (h.window == window && h.id == id) return false;
    }
    s.hotKeys.push_back({window, id, modifiers, key});
    return true;
}

bool unregisterHotKey(WindowHandle window, int id) {
    SimState& s = state();
    countCall();
    for (auto it = s.hotKeys.begin(); it != s.hotKeys.end(); ++it) {
        if (it->window == window && it->id == id) {
            s.hotKeys.erase(it);
            return true;
        }
    }
    return false;
}

uint32_t getTickCount() {
    SimState& s = state();
    s.clock += s.tickCost;
    return s.clock;
}

void sleepMs(uint32_t ms) {
    state().clock += ms;
    if (state().sleeps.size() < kMaxRecordedSleeps) state().sleeps.push_back(ms);
}

DrawObject createPen(int width, uint8_t red, uint8_t green, uint8_t blue) {
    return createObject(true, width, red, green, blue);
}

DrawObject createSolidBrush(uint8_t red, uint8_t green, uint8_t blue) {
    return createObject(false, 0, red, green, blue);
}

bool deleteObject(DrawObject object) {
    for (auto& o : state().objects) {
        if (o.handle == object && !o.deleted) {
            o.deleted = true;
            return true;
        }
    }
    return false;
}

DrawObject nullPen() { return kNullPen; }
DrawObject nullBrush() { return kNullBrush; }

void selectObject(Canvas, DrawObject object) {
    state().ops.push_back({sim::DrawOp::Select, object, 0, 0, 0, 0});
}

void drawRectangle(Canvas, int left, int top, int right, int bottom) {
    state().ops.push_back({sim::DrawOp::Rectangle, 0, left, top, right, bottom});
}

void moveTo(Canvas, int x, int y) { state().ops.push_back({sim::DrawOp::MoveTo, 0, x, y, 0, 0}); }
void lineTo(Canvas, int x, int y) { state().ops.push_back({sim::DrawOp::LineTo, 0, x, y, 0, 0}); }

void invalidateWindow(WindowHandle window) {
    countCall();
    if (sim::SimWindow* w = findWindow(window)) ++w->invalidations;
    for (auto& i : state().invalidated) {
        if (i.handle == 0) i.handle = window;
        if (i.handle == window) {
            ++i.count;
            break;
        }
    }
}

}  // namespace platform
