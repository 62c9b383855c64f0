// The settings and placement files and the settings exchange.
#include <signal.h>
#include <sys/resource.h>

#include <cstring>
#include <filesystem>

#include "store/settings_check.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class Files : public DeskTest {};

void expectDefaults(const VirtualDesk& d) {
    EXPECT_EQ(d.hScale, 5);
    EXPECT_EQ(d.vScale, 5);
    EXPECT_EQ(d.minStep, 1);
    EXPECT_EQ(d.maxStep, 64);
    EXPECT_EQ(d.naviDivisor, 25);
    EXPECT_EQ(d.interval, 30u);
    EXPECT_EQ(d.needCtrl, 0);
    EXPECT_EQ(d.needShift, 0);
    EXPECT_EQ(d.pageMode, 0);
    EXPECT_EQ(d.moveMaximized, 1);
    EXPECT_EQ(d.virtualWidth, 5120);
    EXPECT_EQ(d.virtualHeight, 3840);
    static const FixedWindowList zero = {};
    EXPECT_EQ(std::memcmp(&d.fixedWindows, &zero, sizeof zero), 0);
}

TEST_F(Files, MissingSettingsFileReportsOneAndKeepsDefaults) {
    VirtualDesk desk;
    EXPECT_EQ(desk.readSettings("Wideroom.cfg"), 1);
    expectDefaults(desk);
}

TEST_F(Files, WrittenSettingsFileIsTheExactRecord) {
    VirtualDesk desk;
    desk.hScale = 3;
    desk.vScale = 7;
    desk.minStep = 2;
    desk.maxStep = 200;
    desk.naviDivisor = 40;
    desk.interval = 55;
    desk.needCtrl = 1;
    desk.needShift = 0;
    desk.pageMode = 1;
    desk.moveMaximized = 0;
    std::strcpy(desk.fixedWindows.entries[3].className, "Notepad");
    std::strcpy(desk.fixedWindows.entries[3].title, "memo");
    ASSERT_EQ(desk.writeSettings("Wideroom.cfg"), 0);

    Settings s{3, 7, 2, 200, 40, 55, 1, 0, 1, 0};
    std::vector<unsigned char> want = settingsRecord(s);
    std::memcpy(&want[52 + 128 * 3], "Notepad", 8);
    std::memcpy(&want[52 + 128 * 3 + 64], "memo", 5);
    EXPECT_EQ(readFile("Wideroom.cfg"), want);
    EXPECT_FALSE(fileExists("Wideroom.cfg.tmp"));
}

TEST_F(Files, SettingsRoundTripKeepsEveryValueAndBytesAfterTerminators) {
    VirtualDesk a;
    a.hScale = 10;
    a.vScale = 1;
    a.minStep = 255;
    a.maxStep = 1;
    a.naviDivisor = 500;
    a.interval = 100;
    a.needCtrl = 1;
    a.needShift = 1;
    a.pageMode = 1;
    a.moveMaximized = 0;
    unsigned char* list = reinterpret_cast<unsigned char*>(&a.fixedWindows);
    for (size_t i = 0; i < sizeof a.fixedWindows; ++i) list[i] = static_cast<unsigned char>(i * 7 + 3);
    std::strcpy(a.fixedWindows.entries[0].className, "Cls");  // garbage stays after the terminator
    ASSERT_EQ(a.writeSettings("round.cfg"), 0);

    VirtualDesk b;
    ASSERT_EQ(b.readSettings("round.cfg"), 0);
    EXPECT_EQ(b.hScale, 10);
    EXPECT_EQ(b.vScale, 1);
    EXPECT_EQ(b.minStep, 255);
    EXPECT_EQ(b.maxStep, 1);
    EXPECT_EQ(b.naviDivisor, 500);
    EXPECT_EQ(b.interval, 100u);
    EXPECT_EQ(b.needCtrl, 1);
    EXPECT_EQ(b.needShift, 1);
    EXPECT_EQ(b.pageMode, 1);
    EXPECT_EQ(b.moveMaximized, 0);
    EXPECT_EQ(b.virtualWidth, 10240);
    EXPECT_EQ(b.virtualHeight, 768);
    EXPECT_EQ(std::memcmp(&a.fixedWindows, &b.fixedWindows, sizeof a.fixedWindows), 0);
}

TEST_F(Files, ShortSettingsFileReportsTwoAndKeepsDefaults) {
    std::vector<unsigned char> bytes = settingsRecord(Settings{3, 3, 2, 9, 30, 40, 1, 1, 1, 0});
    bytes.resize(2611);
    writeFile("Wideroom.cfg", bytes);
    VirtualDesk desk;
    EXPECT_EQ(desk.readSettings("Wideroom.cfg"), 2);
    expectDefaults(desk);
}

TEST_F(Files, EmptySettingsFileReportsTwo) {
    writeFile("Wideroom.cfg", {});
    VirtualDesk desk;
    EXPECT_EQ(desk.readSettings("Wideroom.cfg"), 2);
    expectDefaults(desk);
}

TEST_F(Files, LongerSettingsFileUsesItsFirst2612Bytes) {
    std::vector<unsigned char> bytes = settingsRecord(Settings{3, 4, 2, 9, 30, 40, 1, 1, 0, 0});
    bytes.resize(3000, 0xEE);
    writeFile("Wideroom.cfg", bytes);
    VirtualDesk desk;
    EXPECT_EQ(desk.hScale, 3);
    EXPECT_EQ(desk.vScale, 4);
    EXPECT_EQ(desk.interval, 40u);
    EXPECT_EQ(desk.virtualWidth, 3072);
    EXPECT_EQ(desk.readSettings("Wideroom.cfg"), 0);
}

TEST_F(Files, ForeignHeaderReportsThreeAndKeepsDefaults) {
    const int32_t headers[][3] = {{52, 64, 21}, {51, 64, 20}, {52, 63, 20}, {0, 0, 0}, {20, 64, 52}};
    for (const auto& h : headers) {
        SCOPED_TRACE(h[2]);
        writeFile("Wideroom.cfg", settingsRecord(Settings{3, 3, 2, 9, 30, 40, 1, 1, 1, 0}, h[0], h[1], h[2]));
        VirtualDesk desk;
        EXPECT_EQ(desk.readSettings("Wideroom.cfg"), 3);
        expectDefaults(desk);
    }
}

// Values that would crash or hang the program: refused like a foreign file.
struct Dangerous {
    const char* what;
    Settings settings;
};

void PrintTo(const Dangerous& d, std::ostream* os) { *os << d.what; }

class RefusedSettings : public DeskTest, public ::testing::WithParamInterface<Dangerous> {};

TEST_P(RefusedSettings, AreRefusedWithThreeAndDefaultsKept) {
    writeFile("Wideroom.cfg", settingsRecord(GetParam().settings));
    VirtualDesk desk;
    expectDefaults(desk);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(desk.viewY, 1536);
    EXPECT_EQ(desk.readSettings("Wideroom.cfg"), 3);
    expectDefaults(desk);
}

Settings with(void (*f)(Settings&)) {
    Settings s;
    f(s);
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedSettings,
    ::testing::Values(Dangerous{"hScale0", with([](Settings& s) { s.hScale = 0; })},
                      Dangerous{"hScaleNegative", with([](Settings& s) { s.hScale = -3; })},
                      Dangerous{"vScale0", with([](Settings& s) { s.vScale = 0; })},
                      Dangerous{"naviDivisor0", with([](Settings& s) { s.naviDivisor = 0; })},
                      Dangerous{"naviDivisorNegative", with([](Settings& s) { s.naviDivisor = -25; })},
                      // 1024 x 32 = 32768: one past the platform's window-coordinate range.
                      Dangerous{"hScale32", with([](Settings& s) { s.hScale = 32; })},
                      Dangerous{"vScale43", with([](Settings& s) { s.vScale = 43; })},  // 768 x 43 = 33024
                      Dangerous{"hScaleOverflows32Bits", with([](Settings& s) { s.hScale = 4194304; })},
                      Dangerous{"hScaleMax", with([](Settings& s) { s.hScale = INT32_MAX; })},
                      Dangerous{"interval1001", with([](Settings& s) { s.interval = 1001; })},
                      Dangerous{"intervalNegative", with([](Settings& s) { s.interval = -1; })},
                      Dangerous{"minStepNegative", with([](Settings& s) { s.minStep = -1; })},
                      Dangerous{"maxStepNegative", with([](Settings& s) { s.maxStep = INT32_MIN; })},
                      Dangerous{"minStepHuge", with([](Settings& s) { s.minStep = 32768; })},
                      Dangerous{"maxStepHuge", with([](Settings& s) { s.maxStep = INT32_MAX; })}),
    [](const ::testing::TestParamInfo<Dangerous>& info) { return std::string(info.param.what); });

struct Harmless {
    const char* what;
    Settings settings;
};

void PrintTo(const Harmless& h, std::ostream* os) { *os << h.what; }

class KeptSettings : public DeskTest, public ::testing::WithParamInterface<Harmless> {};

TEST_P(KeptSettings, LoadUnchanged) {
    const Settings& s = GetParam().settings;
    writeFile("Wideroom.cfg", settingsRecord(s));
    VirtualDesk desk;
    EXPECT_EQ(desk.readSettings("Wideroom.cfg"), 0);
    EXPECT_EQ(desk.hScale, s.hScale);
    EXPECT_EQ(desk.vScale, s.vScale);
    EXPECT_EQ(desk.minStep, s.minStep);
    EXPECT_EQ(desk.maxStep, s.maxStep);
    EXPECT_EQ(desk.naviDivisor, s.naviDivisor);
    EXPECT_EQ(desk.interval, static_cast<uint32_t>(s.interval));
    EXPECT_EQ(desk.needCtrl, s.needCtrl);
    EXPECT_EQ(desk.needShift, s.needShift);
    EXPECT_EQ(desk.pageMode, s.pageMode);
    EXPECT_EQ(desk.moveMaximized, s.moveMaximized);
    EXPECT_EQ(desk.virtualWidth, 1024 * s.hScale);
    EXPECT_EQ(desk.virtualHeight, 768 * s.vScale);
}

INSTANTIATE_TEST_SUITE_P(
    Files, KeptSettings,
    ::testing::Values(Harmless{"hScale12", with([](Settings& s) { s.hScale = 12; })},
                      Harmless{"naviDivisor1000", with([](Settings& s) { s.naviDivisor = 1000; })},
                      Harmless{"naviDivisor1", with([](Settings& s) { s.naviDivisor = 1; })},
                      Harmless{"hScale31", with([](Settings& s) { s.hScale = 31; })},  // 31744
                      Harmless{"vScale42", with([](Settings& s) { s.vScale = 42; })},  // 32256
                      Harmless{"interval0", with([](Settings& s) { s.interval = 0; })},
                      Harmless{"interval1000", with([](Settings& s) { s.interval = 1000; })},
                      Harmless{"steps0", with([](Settings& s) { s.minStep = s.maxStep = 0; })},
                      Harmless{"steps32767", with([](Settings& s) { s.minStep = s.maxStep = 32767; })},
                      Harmless{"minAboveMax", with([](Settings& s) {
                                   s.minStep = 100;
                                   s.maxStep = 5;
                               })},
                      Harmless{"flags7", with([](Settings& s) { s.needCtrl = s.pageMode = 7; })}),
    [](const ::testing::TestParamInfo<Harmless>& info) { return std::string(info.param.what); });

TEST_F(Files, ScaleLimitFollowsThePresentScreen) {
    Settings s;
    s.hScale = 12;
    writeFile("Wideroom.cfg", settingsRecord(s));
    sim::reset(2800, 1050);  // 2800 x 12 = 33600: out of range here
    VirtualDesk wide;
    EXPECT_EQ(wide.readSettings("Wideroom.cfg"), 3);
    EXPECT_EQ(wide.hScale, 5);
    EXPECT_EQ(settings_check::maxScale(2800), 11);
    EXPECT_EQ(settings_check::maxScale(1024), 31);
    EXPECT_EQ(settings_check::maxScale(768), 42);
    EXPECT_EQ(settings_check::maxScale(40000), 1);
}

TEST_F(Files, WriteWhoseTemporaryFileCannotBeCreatedLeavesTheOldFileIntact) {
    VirtualDesk desk;
    ASSERT_EQ(desk.writeSettings("Wideroom.cfg"), 0);
    const std::vector<unsigned char> before = readFile("Wideroom.cfg");
    std::filesystem::create_directory("Wideroom.cfg.tmp");  // the temporary file cannot be opened
    desk.hScale = 2;
    EXPECT_EQ(desk.writeSettings("Wideroom.cfg"), 1);
    EXPECT_EQ(readFile("Wideroom.cfg"), before);
    ASSERT_EQ(desk.writePlacement("Wideroom.prv"), 0);
    const std::vector<unsigned char> placement = readFile("Wideroom.prv");
    std::filesystem::create_directory("Wideroom.prv.tmp");
    desk.naviX = 99;
    EXPECT_EQ(desk.writePlacement("Wideroom.prv"), 1);
    EXPECT_EQ(readFile("Wideroom.prv"), placement);
    std::filesystem::remove("Wideroom.cfg.tmp");
    std::filesystem::remove("Wideroom.prv.tmp");
}

// The record cannot be written whole (the file-size limit stops it after 100
// bytes): the old file stays whole and no temporary file is left behind.
TEST_F(Files, WriteThatFailsHalfWayLeavesTheOldFileIntact) {
    VirtualDesk desk;
    ASSERT_EQ(desk.writeSettings("Wideroom.cfg"), 0);
    ASSERT_EQ(desk.writePlacement("Wideroom.prv"), 0);
    const std::vector<unsigned char> before = readFile("Wideroom.cfg");
    const std::vector<unsigned char> placementBefore = readFile("Wideroom.prv");
    ASSERT_EQ(before.size(), 2612u);

    struct sigaction ignore {
    }, old{};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &old), 0);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    desk.hScale = 2;
    desk.naviX = 77;
    const int settingsResult = desk.writeSettings("Wideroom.cfg");
    const int placementResult = desk.writePlacement("Wideroom.prv");
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &old, nullptr);

    EXPECT_EQ(settingsResult, 2);
    EXPECT_EQ(placementResult, 2);
    EXPECT_EQ(readFile("Wideroom.cfg"), before);
    EXPECT_EQ(readFile("Wideroom.prv"), placementBefore);
    EXPECT_FALSE(fileExists("Wideroom.cfg.tmp"));
    EXPECT_FALSE(fileExists("Wideroom.prv.tmp"));
}

TEST_F(Files, WriteIntoAMissingFolderReportsOne) {
    VirtualDesk desk;
    EXPECT_EQ(desk.writeSettings("no-such-folder/Wideroom.cfg"), 1);
    EXPECT_EQ(desk.writePlacement("no-such-folder/Wideroom.prv"), 1);
}

TEST_F(Files, PlacementFileIsTheExact24ByteRecord) {
    VirtualDesk desk;
    desk.naviMode = 0;
    desk.setNaviPos(-5, 123456);
    ASSERT_EQ(desk.writePlacement("p.prv"), 0);
    EXPECT_EQ(readFile("p.prv"), placementRecord(24, 1024, 768, 0, -5, 123456));
}

TEST_F(Files, PlacementResults) {
    VirtualDesk desk;
    EXPECT_EQ(desk.readPlacement("none.prv"), 1);
    writeFile("short.prv", std::vector<unsigned char>(23, 0));
    EXPECT_EQ(desk.readPlacement("short.prv"), 2);
    writeFile("bad.prv", placementRecord(25, 1024, 768, 1, 10, 10));
    EXPECT_EQ(desk.readPlacement("bad.prv"), 3);
    writeFile("other.prv", placementRecord(24, 1280, 1024, 1, 10, 10));
    EXPECT_EQ(desk.readPlacement("other.prv"), 0);
    EXPECT_EQ(desk.naviMode, 2);
    EXPECT_EQ(desk.naviX, 0);
    std::vector<unsigned char> longer = placementRecord(24, 1024, 768, 0, 10, 20);
    longer.resize(40, 0xAB);
    writeFile("long.prv", longer);
    EXPECT_EQ(desk.readPlacement("long.prv"), 0);
    EXPECT_EQ(desk.naviMode, 0);
    EXPECT_EQ(desk.naviX, 10);
    EXPECT_EQ(desk.naviY, 20);
}

TEST_F(Files, PlacementWrittenAt1024x768IsIgnoredAt1280x1024) {
    {
        VirtualDesk desk;
        desk.naviMode = 1;
        desk.setNaviPos(50, 60);
    }
    sim::reset(1280, 1024);
    VirtualDesk desk;
    EXPECT_EQ(desk.readPlacement("Wideroom.prv"), 0);
    EXPECT_EQ(desk.naviMode, 2);
    EXPECT_EQ(desk.naviX, 0);
    EXPECT_EQ(desk.naviY, 0);
}

TEST_F(Files, ExportFillsTheSettingsWithZeroHeader) {
    VirtualDesk desk;
    std::strcpy(desk.fixedWindows.entries[19].title, "last");
    SettingsImage image;
    std::memset(&image, 0xCC, sizeof image);
    EXPECT_EQ(desk.exportSettings(&image), 0);
    EXPECT_EQ(image.headerSize, 0);
    EXPECT_EQ(image.nameSize, 0);
    EXPECT_EQ(image.entryCount, 0);
    EXPECT_EQ(image.hScale, 5);
    EXPECT_EQ(image.vScale, 5);
    EXPECT_EQ(image.minStep, 1);
    EXPECT_EQ(image.maxStep, 64);
    EXPECT_EQ(image.naviDivisor, 25);
    EXPECT_EQ(image.interval, 30);
    EXPECT_EQ(image.needCtrl, 0);
    EXPECT_EQ(image.needShift, 0);
    EXPECT_EQ(image.pageMode, 0);
    EXPECT_EQ(image.moveMaximized, 1);
    EXPECT_EQ(std::memcmp(&image.fixedWindows, &desk.fixedWindows, sizeof image.fixedWindows), 0);
}

TEST_F(Files, ImportingAnExportedImageWithPageModeOffMovesNothing) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    desk.snapshotWindows();
    SettingsImage image;
    desk.exportSettings(&image);
    EXPECT_EQ(desk.importSettings(&image), 0);
    EXPECT_EQ(sim::window(w)->moveCount, 0);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(desk.viewY, 1536);
}

TEST_F(Files, ImportCopiesEverySettingAndKeepsStepModeAndPosition) {
    VirtualDesk desk;
    desk.step = 17;
    desk.naviMode = 1;
    desk.setNaviPos(3, 4);
    SettingsImage image;
    desk.exportSettings(&image);
    image.headerSize = 1;  // not looked at
    image.hScale = 6;
    image.vScale = 6;
    image.minStep = 3;
    image.maxStep = 9;
    image.naviDivisor = 30;
    image.interval = 70;
    image.needCtrl = 1;
    image.needShift = 1;
    image.moveMaximized = 0;
    std::strcpy(image.fixedWindows.entries[0].className, "X");
    EXPECT_EQ(desk.importSettings(&image), 0);
    EXPECT_EQ(desk.hScale, 6);
    EXPECT_EQ(desk.vScale, 6);
    EXPECT_EQ(desk.virtualWidth, 6144);
    EXPECT_EQ(desk.virtualHeight, 4608);
    EXPECT_EQ(desk.minStep, 3);
    EXPECT_EQ(desk.maxStep, 9);
    EXPECT_EQ(desk.naviDivisor, 30);
    EXPECT_EQ(desk.interval, 70u);
    EXPECT_EQ(desk.needCtrl, 1);
    EXPECT_EQ(desk.needShift, 1);
    EXPECT_EQ(desk.moveMaximized, 0);
    EXPECT_STREQ(desk.fixedWindows.entries[0].className, "X");
    EXPECT_EQ(desk.step, 17);
    EXPECT_EQ(desk.naviMode, 1);
    EXPECT_EQ(desk.naviX, 3);
    EXPECT_EQ(desk.viewX, 2048);  // growing moves nothing
}

TEST_F(Files, ImportClampsValuesThatWouldLeaveTheCoordinateRange) {
    VirtualDesk desk;
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 100;  // 102400 pixels: clamped to 31 screens (31744)
    image.vScale = 0;
    image.naviDivisor = 0;
    image.interval = -1;
    image.minStep = -4;
    image.maxStep = INT32_MAX;
    desk.importSettings(&image);
    EXPECT_EQ(desk.hScale, 31);
    EXPECT_EQ(desk.vScale, 1);
    EXPECT_EQ(desk.virtualWidth, 31744);
    EXPECT_EQ(desk.virtualHeight, 768);
    EXPECT_EQ(desk.naviDivisor, 1);
    EXPECT_EQ(desk.interval, 1000u);
    EXPECT_EQ(desk.minStep, 0);
    EXPECT_EQ(desk.maxStep, 32767);
    EXPECT_EQ(desk.viewY, 0);  // the desktop shrank in height: re-fitted
    EXPECT_GE(desk.viewX, 0);
    EXPECT_LE(desk.viewX, desk.virtualWidth - desk.screenWidth);
}

}  // namespace
