// Shared fixture and helpers of the engine, store and tick tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/virtual_desk.h"
#include "platform/sim/sim_desktop.h"
#include "store/records.h"

namespace engine_test {

// Each test runs in an empty directory of its own: the VirtualDesk reads
// "Wideroom.cfg" and "Wideroom.prv" from the current directory and writes
// "Wideroom.prv" there when it is destroyed, and ctest runs tests in parallel
// in one folder. The sim desktop starts empty at 1024 x 768.
class DeskTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        // Memory-backed /dev/shm where there is one: file operations cost
        // about 2.4 ms each on this machine's disk and 0.05 ms there.
        std::error_code ec;
        const std::filesystem::path shm = "/dev/shm";
        const std::filesystem::path base =
            std::filesystem::is_directory(shm, ec) && access(shm.c_str(), W_OK) == 0
                ? shm
                : std::filesystem::temp_directory_path();
        std::string pattern = (base / "wideroom-engine-XXXXXX").string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        ASSERT_NE(mkdtemp(buf.data()), nullptr);
        dir_ = buf.data();
        std::filesystem::current_path(dir_);
        sim::reset();
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::filesystem::path previous_;
    std::filesystem::path dir_;
};

inline void putWord(std::vector<unsigned char>& bytes, size_t offset, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(v >> (8 * i));
}

inline int32_t getWord(const std::vector<unsigned char>& bytes, size_t offset) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
    return static_cast<int32_t>(v);
}

// The settings that a record carries, in file order.
struct Settings {
    int32_t hScale = 5, vScale = 5, minStep = 1, maxStep = 64, naviDivisor = 25, interval = 30, needCtrl = 0,
            needShift = 0, pageMode = 0, moveMaximized = 1;
};

// A settings record built byte by byte from the file layout.
inline std::vector<unsigned char> settingsRecord(const Settings& s, int32_t h0 = 52, int32_t h1 = 64,
                                                 int32_t h2 = 20) {
    std::vector<unsigned char> bytes(2612, 0);
    const int32_t words[13] = {
        h0,         h1,         h2,          s.hScale,   s.vScale,       s.minStep, s.maxStep, s.naviDivisor,
        s.interval, s.needCtrl, s.needShift, s.pageMode, s.moveMaximized};
    for (int i = 0; i < 13; ++i) putWord(bytes, 4 * static_cast<size_t>(i), words[i]);
    return bytes;
}

inline std::vector<unsigned char> placementRecord(int32_t size, int32_t w, int32_t h, int32_t mode, int32_t x,
                                                  int32_t y) {
    std::vector<unsigned char> bytes(24, 0);
    const int32_t words[6] = {size, w, h, mode, x, y};
    for (int i = 0; i < 6; ++i) putWord(bytes, 4 * static_cast<size_t>(i), words[i]);
    return bytes;
}

inline void writeFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty()) {
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    }
    std::fclose(f);
}

inline std::vector<unsigned char> readFile(const std::string& name) {
    std::vector<unsigned char> bytes;
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) return bytes;
    unsigned char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
    return bytes;
}

inline bool fileExists(const std::string& name) { return std::filesystem::exists(name); }

// A visible, normally shown window at (x, y) of the given size.
inline platform::WindowHandle addWindow(int x, int y, int w, int h, const std::string& title = "Window",
                                        const std::string& cls = "AppClass") {
    return sim::addWindow(title, cls, x, y, w, h);
}

// A visible, normally shown window that the compositor cloaks (shown on no
// screen, such as one on another virtual desktop of the system).
inline platform::WindowHandle addCloakedWindow(int x, int y, int w, int h, const std::string& title,
                                               const std::string& cls) {
    const platform::WindowHandle handle = sim::addWindow(title, cls, x, y, w, h);
    sim::window(handle)->cloaked = true;
    return handle;
}

// The navigator frame as a window of the sim, so that its visibility shows;
// its title keeps it out of the table.
inline platform::WindowHandle addNavigatorFrame() {
    sim::SimWindow frame;
    frame.title = "Wideroom Navigator";
    frame.className = "#32770";
    frame.normal = frame.rect = {0, 0, 210, 180};
    return sim::addWindow(frame);
}

inline platform::Rect rectOf(platform::WindowHandle h) { return sim::window(h)->rect; }

}  // namespace engine_test
