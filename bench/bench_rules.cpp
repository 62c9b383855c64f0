// What the window rules add to the snapshot, side by side in one run: the
// snapshot and edge test of 50 ordinary windows without rules, with 20 rules
// that match none of them (every rule is tried: program, class and title
// patterns with wildcards), and with those rules while the desktop changes
// (each tick one window's title changes, every 10th tick a window closes and
// a new one opens). "calls/tick" counts platform calls as the sim does;
// "calls/window" is that over the 50 windows.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "engine/virtual_desk.h"
#include "platform/sim/sim_desktop.h"
#include "store/window_rules.h"

namespace {

constexpr int kWindows = 50;

platform::WindowHandle addOrdinary(int i) {
    sim::SimWindow w;
    w.title = "A window title of ordinary length " + std::to_string(i);
    w.className = "ApplicationClass";
    w.program = "application" + std::to_string(i % 7) + ".exe";
    w.normal = w.rect = {(i * 37) % 900, (i * 23) % 700, (i * 37) % 900 + 200, (i * 23) % 700 + 150};
    return sim::addWindow(w);
}

WindowRuleList twentyRules() {
    WindowRuleList rules;
    for (int i = 0; i < 20; ++i) {
        WindowRule r;
        r.action = i % 2 ? kRuleIgnore : kRuleStay;
        const std::string n = std::to_string(i);
        if (i % 3 == 0) r.program = "tool" + n + "*.exe";
        if (i % 3 == 1) r.className = "Acc*" + n;
        r.title = "*Report " + n + " ?*";
        rules.push_back(r);
    }
    return rules;
}

// mode 0: no rules; 1: 20 rules, a still desktop; 2: 20 rules, a changing one.
void BM_SnapshotWithRules(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    sim::reset(1024, 768);
    for (int i = 0; i < kWindows; ++i) addOrdinary(i);
    VirtualDesk desk;
    if (mode > 0) desk.rules.setRules(twentyRules());
    sim::setCursor(512, 384);
    desk.snapshotWindows();
    sim::resetCallCount();
    int dx = 0, dy = 0;
    long tick = 0;
    int next = kWindows;
    for (auto _ : state) {
        if (mode == 2) {
            state.PauseTiming();
            std::vector<sim::SimWindow>& z = sim::zOrder();
            z[static_cast<size_t>(tick % kWindows)].title = "Changed title " + std::to_string(tick);
            if (tick % 10 == 0) {
                sim::removeWindow(z.front().handle);
                addOrdinary(next++);
            }
            ++tick;
            state.ResumeTiming();
        }
        desk.snapshotWindows();
        benchmark::DoNotOptimize(desk.detectEdge(&dx, &dy));
    }
    const double calls = static_cast<double>(sim::callCount());
    state.counters["calls/tick"] = benchmark::Counter(calls, benchmark::Counter::kAvgIterations);
    state.counters["calls/window"] = benchmark::Counter(calls / kWindows, benchmark::Counter::kAvgIterations);
    if (desk.windowCount != kWindows) state.SkipWithError("table incomplete");
}

BENCHMARK(BM_SnapshotWithRules)->Arg(0)->Arg(1)->Arg(2);

}  // namespace

// Runs in a fresh temporary folder: the VirtualDesk reads its files from the
// current folder and writes Wideroom.prv there.
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
