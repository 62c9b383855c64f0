// wrnavtool: what the navigator's end-to-end tests read beyond the driver.
// One subcommand per run; plain text out; exit code 0 on success, 1 on
// failure, 2 on a usage error.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "e2e/tool_common.h"

namespace {

const char kUsage[] =
    "usage: wrnavtool <command> ...\n"
    "  tiptext H     the text that tooltip H shows at present, UTF-8\n"
    "  acp           the ANSI code page of a program started like this one\n"
    "  follow PANE WINDOW VIEWX ROW MS\n"
    "                for MS milliseconds, how the map in PANE follows a horizontal\n"
    "                scroll: the view is VIEWX + (WINDOW's first left - its left now),\n"
    "                the viewport frame's left side is found on map row ROW\n"
    "                (map divisor 25)\n";

// A tooltip answers WM_GETTEXT with the tip it shows, not with its window
// name; the message is sent because reading the title would give the name.
int cmdTipText(int argc, wchar_t** argv) {
    HWND tip = nullptr;
    if (argc != 3 || !parseHandle(argv[2], &tip)) return 2;
    if (!IsWindow(tip)) return 1;
    wchar_t text[1024];
    text[0] = 0;
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(tip, WM_GETTEXT, sizeof(text) / sizeof(text[0]), reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 5000, &copied)) {
        return 1;
    }
    text[sizeof(text) / sizeof(text[0]) - 1] = 0;
    std::printf("%s\n", utf8(text).c_str());
    return 0;
}

// One row of the screen, as 0x00RRGGBB values.
class ScreenRow {
public:
    explicit ScreenRow(int width) : width_(width) {
        screen_ = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen_);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -1;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels_ = static_cast<const DWORD*>(bits);
        old_ = SelectObject(memory_, bitmap_);
    }
    ~ScreenRow() {
        SelectObject(memory_, old_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
        ReleaseDC(nullptr, screen_);
    }
    bool grab(int x, int y) {
        if (pixels_ == nullptr) return false;
        if (!BitBlt(memory_, 0, 0, width_, 1, screen_, x, y, SRCCOPY)) return false;
        GdiFlush();
        return true;
    }
    DWORD at(int i) const { return pixels_[i] & 0xffffff; }

private:
    int width_;
    HDC screen_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    const DWORD* pixels_ = nullptr;
};

constexpr DWORD kViewColour = 0xff8000;  // the viewport frame, as 0x00RRGGBB
constexpr int kDivisor = 25;

struct FollowSample {
    double ms;
    long view;
    int painted;  // first frame column on the row, -1 when none
};

// Samples as fast as the screen can be read; a report, not a verdict.
int cmdFollow(int argc, wchar_t** argv) {
    HWND pane = nullptr, window = nullptr;
    if (argc != 7 || !parseHandle(argv[2], &pane) || !parseHandle(argv[3], &window)) return 2;
    const long viewX = _wtol(argv[4]);
    const int row = _wtoi(argv[5]);
    const double forMs = _wtof(argv[6]);
    RECT paneRect{}, first{};
    if (!GetWindowRect(pane, &paneRect) || !GetWindowRect(window, &first)) return 1;
    const int width = paneRect.right - paneRect.left;
    ScreenRow screen(width);
    std::vector<FollowSample> samples;
    samples.reserve(200000);
    const double start = nowMs();
    for (;;) {
        RECT r{};
        double t = nowMs() - start;
        if (t >= forMs) break;
        if (!GetWindowRect(window, &r) || !screen.grab(paneRect.left, paneRect.top + row)) return 1;
        int painted = -1;
        for (int i = 0; i < width; ++i) {
            if (screen.at(i) == kViewColour) {
                painted = i;
                break;
            }
        }
        samples.push_back({t, viewX + (first.left - r.left), painted});
        Sleep(1);
    }
    if (samples.empty()) return 1;

    // The pen's place relative to the frame's left column, taken while
    // nothing moves yet.
    const int offset = samples[0].painted - static_cast<int>(samples[0].view / kDivisor);
    struct Change {
        double ms;
        int column;
    };
    std::vector<double> tickTimes;
    std::vector<Change> wanted;  // the frame's column as the view asks for it
    for (size_t i = 1; i < samples.size(); ++i) {
        if (samples[i].view == samples[i - 1].view) continue;
        tickTimes.push_back(samples[i].ms);
        int column = static_cast<int>(samples[i].view / kDivisor) + offset;
        if (column != static_cast<int>(samples[i - 1].view / kDivisor) + offset)
            wanted.push_back({samples[i].ms, column});
    }
    // For each wanted column: when it was first drawn (or passed), and
    // whether that happened before the view moved again.
    std::vector<double> lags;
    int followed = 0, neverDrawn = 0, drawnExactly = 0;
    size_t s = 0;
    for (size_t k = 0; k < wanted.size(); ++k) {
        const Change& w = wanted[k];
        while (s < samples.size() && samples[s].ms < w.ms) ++s;
        size_t j = s;
        while (j < samples.size() && samples[j].painted < w.column) ++j;
        if (j == samples.size()) {
            ++neverDrawn;
            continue;
        }
        lags.push_back(samples[j].ms - w.ms);
        if (samples[j].painted == w.column) ++drawnExactly;
        double nextTick = 1e300;
        for (double t : tickTimes) {
            if (t > w.ms) {
                nextTick = t;
                break;
            }
        }
        if (samples[j].ms < nextTick) ++followed;
    }
    std::sort(lags.begin(), lags.end());
    double period = samples.back().ms / static_cast<double>(samples.size());
    std::printf("samples %zu every %.1f ms; view %ld to %ld in %zu moves\n", samples.size(), period,
                samples.front().view, samples.back().view, tickTimes.size());
    std::printf("frame column changes %zu: drawn at that column %d, passed over %zu, never drawn %d\n",
                wanted.size(), drawnExactly, wanted.size() - static_cast<size_t>(drawnExactly + neverDrawn),
                neverDrawn);
    std::printf("drawn before the next move %d of %zu\n", followed, wanted.size());
    if (!lags.empty()) {
        std::printf("lag ms from the view change to the frame there: min %.1f median %.1f max %.1f\n",
                    lags.front(), lags[lags.size() / 2], lags.back());
    }
    return 0;
}

int cmdAcp(int argc, wchar_t**) {
    if (argc != 2) return 2;
    std::printf("%u\n", GetACP());
    return 0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = toolArgs(&argc);
    int rc = 2;
    if (argv != nullptr && argc >= 2) {
        if (std::wcscmp(argv[1], L"tiptext") == 0) {
            rc = cmdTipText(argc, argv);
        } else if (std::wcscmp(argv[1], L"follow") == 0) {
            rc = cmdFollow(argc, argv);
        } else if (std::wcscmp(argv[1], L"acp") == 0) {
            rc = cmdAcp(argc, argv);
        }
    }
    std::fflush(stdout);
    if (rc == 2) std::fputs(kUsage, stderr);
    return rc;
}
