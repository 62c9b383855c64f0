// Ticks that leave the window table alone while nothing can observe it: the
// user sees what the tick that takes it every time shows, and the idle tick
// reads only the pointer and the keys.
#include <cstdio>
#include <functional>
#include <sstream>

#include "engine/idle_policy.h"
#include "engine/tick.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

// The map pane's client origin on the screen, for the hover test.
constexpr int kPaneX = 400;
constexpr int kPaneY = 300;

std::string rectText(const platform::Rect& r) {
    std::ostringstream out;
    out << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom;
    return out.str();
}

// One run of the main loop on the sim as the shell drives it: the tick, the
// hover test and the paint that the message turn would deliver (the map pane
// is painted when it was invalidated or has just become visible, and only
// while the navigator is visible). Everything the user could see goes into
// the log, one line per pass: every move asked of the window manager, every
// painted map, the view, the step and where every window stands.
class LoopRun {
public:
    LoopRun(platform::WindowHandle navFrame, bool tableEveryTick) : navFrame_(navFrame) {
        state_.tableEveryTick = tableEveryTick;
        desk_.naviMode = 0;  // hidden, as start-up leaves it
        sim::window(navFrame_)->visible = false;
    }

    void passes(int count) {
        for (int i = 0; i < count; ++i) pass();
    }

    VirtualDesk& desk() { return desk_; }
    const std::vector<std::string>& log() const { return log_; }

private:
    void pass() {
        const size_t movesBefore = sim::moveLog().size();
        const int changed = pollTick(&desk_, &state_, navFrame_, kMapPane);
        if (changed != 0) paintPending_ = true;
        const bool visible = sim::window(navFrame_)->visible;
        if (visible && !wasVisible_) paintPending_ = true;
        wasVisible_ = visible;
        const platform::Point p = sim::cursor();
        desk_.updateHover(p.x - kPaneX, p.y - kPaneY);

        std::ostringstream line;
        line << "pass " << log_.size() << " view " << desk_.viewX << ',' << desk_.viewY << " step "
             << desk_.step << " mode " << desk_.naviMode << " visible " << visible << " moves";
        for (size_t i = movesBefore; i < sim::moveLog().size(); ++i) {
            const sim::SimMoveCall& m = sim::moveLog()[i];
            line << ' ' << std::hex << m.window << std::dec << '>' << rectText(m.rect)
                 << (m.keepSize ? "k" : "");
        }
        line << " windows";
        for (const sim::SimWindow& w : sim::zOrder())
            line << ' ' << rectText(w.rect) << (w.visible ? "" : "h");
        if (visible && paintPending_) {
            paintPending_ = false;
            sim::canvasOps().clear();
            desk_.paintMap(1);
            line << " painted";
            for (const sim::DrawOp& op : sim::canvasOps())
                line << ' ' << op.kind << ':' << op.object << ':' << op.a << ',' << op.b << ',' << op.c << ','
                     << op.d;
        }
        log_.push_back(line.str());
    }

    static constexpr platform::WindowHandle kMapPane = 0x77;
    platform::WindowHandle navFrame_;
    VirtualDesk desk_;
    TickState state_;
    bool paintPending_ = false;
    bool wasVisible_ = false;
    std::vector<std::string> log_;
};

class IdleTicks : public DeskTest {
protected:
    platform::WindowHandle addNavigator() {
        sim::SimWindow frame;
        frame.title = "Wideroom Navigator";
        frame.className = "#32770";
        frame.normal = frame.rect = {0, 0, 210, 180};
        return sim::addWindow(frame);
    }

    static void place(platform::WindowHandle h, int x, int y) {
        sim::SimWindow* w = sim::window(h);
        const int width = w->rect.right - w->rect.left;
        const int height = w->rect.bottom - w->rect.top;
        w->rect = w->normal = {x, y, x + width, y + height};
    }

    // One scripted sequence on a fresh desktop; the log of every pass, and
    // the window-manager calls it made.
    std::vector<std::string> runScript(bool tableEveryTick, long* calls) {
        std::remove("Wideroom.prv");
        std::remove("Wideroom.rcv");
        sim::reset();
        sim::recordMoves(true);
        const platform::WindowHandle navFrame = addNavigator();
        const platform::WindowHandle a = addWindow(100, 100, 400, 300, "Editor", "EditClass");
        const platform::WindowHandle b = addWindow(600, 200, 300, 250, "Viewer", "ViewClass");
        // A program that carries out moves only when the script lets it.
        sim::SimWindow slow;
        slow.title = "Slow";
        slow.className = "SlowClass";
        slow.normal = slow.rect = {300, 400, 500, 600};
        slow.queuesMoves = true;
        const platform::WindowHandle c = sim::addWindow(slow);
        const platform::WindowHandle d = addWindow(700, 500, 200, 150, "Sleeper", "SleepClass");
        platform::WindowHandle e = 0;

        LoopRun run(navFrame, tableEveryTick);
        FixedWindowEntry& fixed = run.desk().fixedWindows.entries[3];
        std::snprintf(fixed.className, sizeof fixed.className, "ViewClass");
        std::snprintf(fixed.title, sizeof fixed.title, "Pinned viewer");

        const int kHide = 30;  // more than the 1000 ms after the last edge tick
        const std::vector<std::pair<std::function<void()>, int>> script = {
            {[] { sim::setCursor(512, 384); }, 5},
            // While nothing watches: moved, created, retitled into and out of
            // the fixed list, minimized, restored.
            {[&] { place(a, 150, 120); }, 3},
            {[&] { e = addWindow(50, 600, 250, 120, "New", "NewClass"); }, 2},
            {[&] { sim::window(b)->title = "Pinned viewer"; }, 2},
            {[&] { sim::window(e)->showCmd = platform::kShowMinimized; }, 2},
            // An edge: the first step moves the windows from where they stand now.
            {[] { sim::setCursor(1023, 384); }, 8},
            // Back over the map pane (the hover test hits a window) until the
            // navigator hides.
            {[] { sim::setCursor(kPaneX + 90, kPaneY + 70); }, kHide},
            {[&] {
                 place(a, 80, 60);
                 sim::window(b)->title = "Viewer";
                 sim::window(e)->showCmd = platform::kShowNormal;
             },
             3},
            // The slow program catches up while nothing watches, and answers
            // promptly from then on.
            {[&] {
                 sim::window(c)->queuesMoves = false;
                 sim::pumpWindow(c);
             },
             kHide},
            // A corner while it is slow again; it catches up long after.
            {[&] {
                 sim::window(c)->queuesMoves = true;
                 sim::setCursor(0, 0);
             },
             5},
            {[] { sim::setCursor(512, 384); }, kHide},
            {[&] {
                 sim::window(c)->queuesMoves = false;
                 sim::pumpWindow(c);
             },
             kHide},
            // A program that stops answering with a move waiting, is left out,
            // and answers again after the navigator has hidden.
            {[&] {
                 sim::window(d)->hung = true;
                 sim::setCursor(0, 384);
             },
             4},
            {[] { sim::setCursor(512, 384); }, kHide},
            {[&] {
                 sim::window(d)->hung = false;
                 sim::pumpWindow(d);
             },
             kHide},
            // Pinned from the tray: the map follows a window moved meanwhile;
            // unpinned again.
            {[&] { run.desk().togglePinned(navFrame); }, 3},
            {[&] { place(a, 200, 90); }, 3},
            {[&] { run.desk().togglePinned(navFrame); }, 3},
            // The left button held at an edge: nothing moves, the navigator shows.
            {[] {
                 sim::setKey(platform::kKeyLButton, true);
                 sim::setCursor(1023, 200);
             },
             3},
            {[] {
                 sim::setKey(platform::kKeyLButton, false);
                 sim::setCursor(512, 384);
             },
             kHide},
            // A window closed while nothing watches, then an edge.
            {[&] { sim::removeWindow(b); }, 2},
            {[] { sim::setCursor(512, 767); }, 4},
            {[] { sim::setCursor(512, 384); }, kHide},
            // Moved while nothing watches, then the screen becomes much smaller:
            // the view is clamped and the windows move with it from where
            // they stand (the shell applies the change before a tick).
            {[&] { place(a, -600, 200); }, 3},
            {[&] {
                 sim::setMonitors({sim::monitor(0, 0, 400, 300, true)});
                 run.desk().takeDisplayChange();
             },
             3},
        };
        sim::resetCallCount();
        for (const auto& [act, count] : script) {
            act();
            run.passes(count);
        }
        *calls = sim::callCount();
        return run.log();
    }
};

TEST_F(IdleTicks, ScriptShowsTheSameMovesAndMapsAsTakingTheTableEveryTick) {
    long everyTickCalls = 0;
    long idleCalls = 0;
    const std::vector<std::string> everyTick = runScript(true, &everyTickCalls);
    const std::vector<std::string> idle = runScript(false, &idleCalls);
    ASSERT_EQ(everyTick.size(), idle.size());
    for (size_t i = 0; i < everyTick.size(); ++i) {
        ASSERT_EQ(everyTick[i], idle[i]) << "first difference at pass " << i;
    }
    // The script scrolls, paints and catches up windows...
    int painted = 0;
    for (const std::string& line : idle) painted += line.find(" painted ") != std::string::npos ? 1 : 0;
    EXPECT_GT(painted, 5);
    // ... and a good part of its passes were idle ones (nearly half; the
    // others scroll, show the navigator or follow the slow and the hung one).
    EXPECT_LT(idleCalls * 4, everyTickCalls * 3);
}

TEST_F(IdleTicks, AnIdleTickWithFiftyWindowsReadsThePointerAndTheKeysOnly) {
    for (int i = 0; i < 50; ++i) addWindow(10 * i, 5 * i, 300, 200);
    const platform::WindowHandle navFrame = addNavigator();
    VirtualDesk desk;
    desk.naviMode = 0;
    sim::window(navFrame)->visible = false;
    TickState state;
    sim::setCursor(512, 384);
    pollTick(&desk, &state, navFrame, 0x77);
    sim::resetCallCount();
    pollTick(&desk, &state, navFrame, 0x77);
    // The two discarded key readings, the pointer and the foreground window
    // (whether a window out of view came to the front): nothing else.
    EXPECT_EQ(sim::callCount(), 4);
    state.tableEveryTick = true;
    sim::resetCallCount();
    pollTick(&desk, &state, navFrame, 0x77);
    // The window list read once, four questions to each window.
    EXPECT_GE(sim::callCount(), 4 + 4 * 50);
}

TEST_F(IdleTicks, TableIsNeededWhileAnythingCanObserveIt) {
    const platform::WindowHandle w = addWindow(100, 100, 300, 200);
    struct Case {
        const char* what;
        int dirX, dirY;
        int32_t naviMode;
        int slotState;  // 0 none, 1 tracked only, 2 moved (offset), 3 move in flight, 4 hung,
                        // 5 refusing, 6 a catch-up move owed
        bool needed;
    };
    const Case cases[] = {
        {"nothing", 0, 0, 0, 0, false},
        {"a window tracked", 0, 0, 0, 1, false},
        {"a window moved earlier, at rest", 0, 0, 0, 2, false},
        {"right edge", 1, 0, 0, 0, true},
        {"top edge", 0, -1, 0, 0, true},
        {"corner", -1, 1, 0, 0, true},
        {"shown while scrolling", 0, 0, 1, 0, true},
        {"pinned", 0, 0, 2, 0, true},
        {"a damaged mode", 0, 0, -3, 0, true},
        {"a move in flight", 0, 0, 0, 3, true},
        {"a program that does not answer", 0, 0, 0, 4, true},
        {"a window that refuses its moves", 0, 0, 0, 5, true},
        {"a catch-up move owed", 0, 0, 0, 6, true},
    };
    for (const Case& c : cases) {
        VirtualDesk desk;
        desk.naviMode = c.naviMode;
        if (c.slotState > 0) {
            // A few slots in use before it, so that the scan must go past them.
            for (int i = 1; i <= 3; ++i) desk.moves.track(0x9000 + i, "Other", {0, 0, 10, 10});
            LedgerSlot& s = desk.moves.slot(desk.moves.track(w, "AppClass", rectOf(w)));
            if (c.slotState == 2) s.offsetX = -300;
            if (c.slotState == 3) s.inFlight = 1;
            if (c.slotState == 4) s.hung = 1;
            if (c.slotState == 5) s.refusing = 1;
            if (c.slotState == 6) s.owed = 1;
        }
        EXPECT_EQ(idle_policy::tableNeeded(desk, c.dirX, c.dirY), c.needed) << c.what;
    }
}

}  // namespace
