// The navigator map's per-tick costs on the in-memory desktop: painting
// (with the sim canvas recording every call), the change test over the full
// 512-row table, and the hover test, for 0, 50 and 512 windows.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/virtual_desk.h"
#include "platform/sim/sim_desktop.h"

namespace {

// Windows spread over the whole 5 x 5 desktop, overlapping, in a fixed
// pattern so that runs compare.
std::unique_ptr<VirtualDesk> makeDesk(int count) {
    sim::reset(1024, 768);
    auto desk = std::make_unique<VirtualDesk>();
    for (int i = 0; i < count; ++i) {
        int x = (i * 397) % 5000 - desk->viewX;
        int y = (i * 211) % 3700 - desk->viewY;
        int width = 200 + (i * 37) % 600;
        int height = 150 + (i * 53) % 400;
        platform::WindowHandle h =
            sim::addWindow("window " + std::to_string(i), "Sample", x, y, width, height);
        desk->windows[i] = WindowEntry{h, x, y, width, height};
    }
    desk->windowCount = count;
    if (count > 0) desk->hoverWindow = desk->windows[count / 2].window;
    return desk;
}

void BM_PaintMap(benchmark::State& state) {
    auto desk = makeDesk(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // Recording is part of the cost; clearing keeps the vector's storage.
        sim::canvasOps().clear();
        desk->paintMap(0);
        benchmark::DoNotOptimize(sim::canvasOps().data());
    }
    state.counters["ops"] = static_cast<double>(sim::canvasOps().size());
}
BENCHMARK(BM_PaintMap)->Arg(0)->Arg(50)->Arg(512);

// The usual tick: nothing changed, so the whole table is compared.
void BM_MapChangedUnchanged(benchmark::State& state) {
    auto desk = makeDesk(static_cast<int>(state.range(0)));
    desk->paintMap(0);
    desk->mapChanged(1);
    for (auto _ : state) benchmark::DoNotOptimize(desk->mapChanged(1));
}
BENCHMARK(BM_MapChangedUnchanged)->Arg(0)->Arg(50)->Arg(512);

// Scrolling: the view moves every tick and the table differs from the copy.
void BM_MapChangedWhileScrolling(benchmark::State& state) {
    auto desk = makeDesk(static_cast<int>(state.range(0)));
    desk->paintMap(0);
    desk->windows[kMaxWindows - 1].x = 1;
    for (auto _ : state) {
        ++desk->viewX;
        benchmark::DoNotOptimize(desk->mapChanged(1));
    }
}
BENCHMARK(BM_MapChangedWhileScrolling)->Arg(0)->Arg(50)->Arg(512);

// The hover test with the pointer away from the map (the usual tick): every
// row is tried.
void BM_UpdateHoverMiss(benchmark::State& state) {
    auto desk = makeDesk(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(desk->updateHover(-400, -400));
}
BENCHMARK(BM_UpdateHoverMiss)->Arg(0)->Arg(50)->Arg(512);

}  // namespace

// The desk reads and writes its files in the current directory: run in a
// directory of our own.
int main(int argc, char** argv) {
    char pattern[] = "/tmp/wideroom-bench-map-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(pattern);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::filesystem::current_path(old);
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
    return 0;
}
