// The engine's per-tick cost on the in-memory desktop: the
// snapshot with the edge test, and a scrolling tick, for 0, 50, 200 and 512
// qualifying windows on a 1024 x 768 screen with the default settings. The
// counter "calls/tick" is the number of platform (window-manager and input)
// calls per tick, as the sim counts them.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "engine/tick.h"
#include "engine/virtual_desk.h"
#include "platform/sim/sim_desktop.h"

namespace {

// A sim desktop of n qualifying windows spread over the screen (and, for the
// invisible case, hidden ones); no settings files.
void setUp(int n, int invisible = 0) {
    sim::reset(1024, 768);
    for (int i = 0; i < n; ++i) {
        sim::addWindow("A window title of ordinary length", "ApplicationClass", (i * 37) % 900,
                       (i * 23) % 700, 200, 150);
    }
    for (int i = 0; i < invisible; ++i) {
        sim::SimWindow w;
        w.title = "hidden";
        w.className = "HiddenClass";
        w.visible = false;
        w.normal = w.rect = {0, 0, 10, 10};
        sim::addWindow(w);
    }
}

void BM_SnapshotAndEdgeTest(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    setUp(n);
    VirtualDesk desk;
    sim::setCursor(512, 384);  // no edge
    sim::resetCallCount();
    int dx = 0, dy = 0;
    for (auto _ : state) {
        desk.snapshotWindows();
        benchmark::DoNotOptimize(desk.detectEdge(&dx, &dy));
    }
    state.counters["calls/tick"] =
        benchmark::Counter(static_cast<double>(sim::callCount()), benchmark::Counter::kAvgIterations);
    if (desk.windowCount != n) state.SkipWithError("table incomplete");
}

// Snapshot, edge test, scrollTick and accelerateStep with the pointer at an
// edge; the pointer alternates between the left and the right edge so that
// the view never reaches a border and every tick moves every window. With
// `record`, the recovery record is kept in step as the main loop keeps it, a
// tick every 40 ms on the sim's clock: every window is listed (every one has
// moved), the offsets change at every tick, and the record is rewritten at
// most every 250 ms.
void scrollingTicks(benchmark::State& state, bool record) {
    const int n = static_cast<int>(state.range(0));
    setUp(n);
    VirtualDesk desk;
    sim::resetCallCount();
    int dx = 0, dy = 0;
    bool right = true;
    long moved = 0;
    for (auto _ : state) {
        sim::setCursor(right ? 1023 : 0, 384);
        right = !right;
        desk.snapshotWindows();
        if (desk.detectEdge(&dx, &dy) != 0) {
            if (desk.scrollTick(dx, dy) == 0) ++moved;
            desk.accelerateStep();
        }
        if (record) {
            desk.keepRecoveryRecord(sim::now(), 0);
            sim::advance(40);
        }
    }
    state.counters["calls/tick"] =
        benchmark::Counter(static_cast<double>(sim::callCount()), benchmark::Counter::kAvgIterations);
    if (moved != static_cast<long>(state.iterations())) state.SkipWithError("a tick did not scroll");
}

void BM_ScrollingTick(benchmark::State& state) { scrollingTicks(state, false); }
// Against BM_ScrollingTick: what the record adds to a scrolling tick.
void BM_ScrollingTickWithRecord(benchmark::State& state) { scrollingTicks(state, true); }

// The snapshot alone over invisible windows (the cheapest case of the walk).
void BM_SnapshotInvisible(benchmark::State& state) {
    setUp(0, static_cast<int>(state.range(0)));
    VirtualDesk desk;
    sim::resetCallCount();
    for (auto _ : state) benchmark::DoNotOptimize(desk.snapshotWindows());
    state.counters["calls/tick"] =
        benchmark::Counter(static_cast<double>(sim::callCount()), benchmark::Counter::kAvgIterations);
}

// The whole polling tick with the pointer in the middle and the navigator
// hidden: the idle tick (argument 1), and the tick that takes the table
// anyway (argument 0, the tick before idle ticks); the third argument 0 turns
// [Focus] FollowFocus off (the tick before it read the foreground window).
// Sleeps cost nothing here.
void BM_IdlePollTick(benchmark::State& state) {
    setUp(static_cast<int>(state.range(0)));
    const platform::WindowHandle navFrame = sim::addWindow("Wideroom Navigator", "#32770", 0, 0, 210, 180);
    sim::window(navFrame)->visible = false;
    VirtualDesk desk;
    desk.naviMode = 0;
    TickState tick;
    tick.tableEveryTick = state.range(1) == 0;
    FocusOptions focus;
    if (state.range(2) == 0) focus.followFocus = kFollowOff;
    tick.focus.options = &focus;
    sim::setCursor(512, 384);
    pollTick(&desk, &tick, navFrame, 0);
    sim::resetCallCount();
    for (auto _ : state) benchmark::DoNotOptimize(pollTick(&desk, &tick, navFrame, 0));
    state.counters["calls/tick"] =
        benchmark::Counter(static_cast<double>(sim::callCount()), benchmark::Counter::kAvgIterations);
}

// The whole polling tick at an edge while a borderless window covering the
// screen is in front (a game): the pointer alternates between the left and
// the right edge, 40 ms apart on the sim's clock. A program that scrolls
// regardless walks and moves every window at every tick; one that lets the
// edges rest asks about the window in front now and then.
void BM_EdgeTickFullScreenInFront(benchmark::State& state) {
    setUp(static_cast<int>(state.range(0)));
    const platform::WindowHandle navFrame = sim::addWindow("Wideroom Navigator", "#32770", 0, 0, 210, 180);
    sim::window(navFrame)->visible = false;
    sim::SimWindow game;
    game.title = "game";
    game.className = "GameWindow";
    game.normal = game.rect = {0, 0, 1024, 768};
    sim::setForeground(sim::addWindow(game));
    VirtualDesk desk;
    desk.naviMode = 0;
    TickState tick;
    bool right = true;
    sim::resetCallCount();
    for (auto _ : state) {
        sim::setCursor(right ? 1023 : 0, 384);
        right = !right;
        benchmark::DoNotOptimize(pollTick(&desk, &tick, navFrame, 0));
    }
    state.counters["calls/tick"] =
        benchmark::Counter(static_cast<double>(sim::callCount()), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_SnapshotAndEdgeTest)->Arg(0)->Arg(50)->Arg(200)->Arg(512);
BENCHMARK(BM_ScrollingTick)->Arg(0)->Arg(50)->Arg(200)->Arg(512);
BENCHMARK(BM_ScrollingTickWithRecord)->Arg(0)->Arg(50)->Arg(200)->Arg(512);
BENCHMARK(BM_SnapshotInvisible)->Arg(50)->Arg(512);
BENCHMARK(BM_IdlePollTick)
    ->Args({50, 0, 1})
    ->Args({50, 1, 1})
    ->Args({50, 1, 0})
    ->Args({512, 0, 1})
    ->Args({512, 1, 1})
    ->Args({512, 1, 0});
BENCHMARK(BM_EdgeTickFullScreenInFront)->Arg(50)->Arg(200);

}  // namespace

// Runs in a fresh temporary folder: the VirtualDesk reads Wideroom.cfg and
// Wideroom.prv from the current folder and writes Wideroom.prv there.
int main(int argc, char** argv) {
    char dir[] = "/tmp/wideroom-bench-XXXXXX";
    const bool moved = mkdtemp(dir) != nullptr && chdir(dir) == 0;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (moved) {
        std::remove("Wideroom.prv");
        if (chdir("/") == 0) rmdir(dir);
    }
    return 0;
}
