// The settings and placement files and the settings exchange.
#include <signal.h>
#include <sys/resource.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/sim/sim_files.h"
#include "store/file_io.h"
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

// The engine holds the ten settings and the virtual desktop they make on a
// screen of this size.
void expectLoaded(const VirtualDesk& desk, const Settings& s, int screenWidth, int screenHeight) {
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
    EXPECT_EQ(desk.virtualWidth, screenWidth * s.hScale);
    EXPECT_EQ(desk.virtualHeight, screenHeight * s.vScale);
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

// Values below their bound are damage, not settings: refused like a foreign file.
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
                      Dangerous{"vScaleMin", with([](Settings& s) { s.vScale = INT32_MIN; })},
                      Dangerous{"naviDivisor0", with([](Settings& s) { s.naviDivisor = 0; })},
                      Dangerous{"naviDivisorNegative", with([](Settings& s) { s.naviDivisor = -25; })},
                      Dangerous{"intervalNegative", with([](Settings& s) { s.interval = -1; })},
                      Dangerous{"minStepNegative", with([](Settings& s) { s.minStep = -1; })},
                      Dangerous{"maxStepNegative", with([](Settings& s) { s.maxStep = INT32_MIN; })}),
    [](const ::testing::TestParamInfo<Dangerous>& info) { return std::string(info.param.what); });

// Values too large for the present screen are brought inside the bounds; every
// other setting and the whole fixed-window list load, and the next save keeps
// them (the scale the dialog offers is not a reason to lose the user's list).
struct Clamped {
    const char* what;
    int screenWidth, screenHeight;
    Settings stored;
    Settings loaded;
};

void PrintTo(const Clamped& c, std::ostream* os) { *os << c.what; }

class ClampedSettings : public DeskTest, public ::testing::WithParamInterface<Clamped> {};

TEST_P(ClampedSettings, LoadInsideTheBoundsWithTheRestKept) {
    const Clamped& c = GetParam();
    std::vector<unsigned char> bytes = settingsRecord(c.stored);
    for (size_t i = 52; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 13 + 1);
    std::memcpy(&bytes[52 + 128 * 2], "Notepad", 8);
    writeFile("Wideroom.cfg", bytes);
    sim::reset(c.screenWidth, c.screenHeight);
    VirtualDesk desk;
    ASSERT_EQ(desk.readSettings("Wideroom.cfg"), 0);
    expectLoaded(desk, c.loaded, c.screenWidth, c.screenHeight);
    EXPECT_LE(desk.virtualWidth, settings_check::kMaxCoordinate);
    EXPECT_LE(desk.virtualHeight, settings_check::kMaxCoordinate);
    EXPECT_EQ(std::memcmp(&desk.fixedWindows, &bytes[52], sizeof desk.fixedWindows), 0);

    ASSERT_EQ(desk.writeSettings("Wideroom.cfg"), 0);
    const std::vector<unsigned char> saved = readFile("Wideroom.cfg");
    ASSERT_EQ(saved.size(), 2612u);
    EXPECT_TRUE(std::equal(saved.begin() + 52, saved.end(), bytes.begin() + 52));
}

Settings userSettings(int32_t hScale, int32_t vScale) {
    Settings s{hScale, vScale, 3, 90, 20, 40, 1, 0, 1, 0};
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ClampedSettings,
    ::testing::Values(
        // 3440 x 10 = 34400: 9 screens (30960) fit.
        Clamped{"ultrawide3440x1440", 3440, 1440, userSettings(10, 10), userSettings(9, 10)},
        // 3840 x 10 = 38400: 8 screens (30720); 2160 x 10 = 21600 fits.
        Clamped{"uhd3840x2160", 3840, 2160, userSettings(10, 10), userSettings(8, 10)},
        // A portrait screen: 3840 x 9 = 34560 high, 8 screens (30720) fit.
        Clamped{"portrait2160x3840", 2160, 3840, userSettings(10, 9), userSettings(10, 8)},
        Clamped{"wide2800hScale12", 2800, 1050, userSettings(12, 5), userSettings(11, 5)},
        // 1024 x 32 = 32768: one past the platform's window-coordinate range.
        Clamped{"hScale32", 1024, 768, userSettings(32, 5), userSettings(31, 5)},
        Clamped{"vScale43", 1024, 768, userSettings(5, 43), userSettings(5, 42)},  // 768 x 43 = 33024
        Clamped{"hScaleOverflows32Bits", 1024, 768, userSettings(4194304, 5), userSettings(31, 5)},
        Clamped{"hScaleMax", 1024, 768, userSettings(INT32_MAX, 5), userSettings(31, 5)},
        Clamped{"interval1001", 1024, 768, with([](Settings& s) { s.interval = 1001; }),
                with([](Settings& s) { s.interval = 1000; })},
        Clamped{"stepsHuge", 1024, 768, with([](Settings& s) {
                    s.minStep = 32768;
                    s.maxStep = INT32_MAX;
                }),
                with([](Settings& s) { s.minStep = s.maxStep = 32767; })}),
    [](const ::testing::TestParamInfo<Clamped>& info) { return std::string(info.param.what); });

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
    expectLoaded(desk, s, 1024, 768);
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

// A temporary file left by a run that was cut short, even one marked
// read-only, does not stop the saves.
TEST_F(Files, StaleReadOnlyTemporaryFileDoesNotStopTheSave) {
    VirtualDesk desk;
    desk.hScale = 3;
    desk.naviX = 55;
    for (const char* temp : {"Wideroom.cfg.tmp", "Wideroom.prv.tmp"}) {
        writeFile(temp, std::vector<unsigned char>(7, 0xEE));
        ASSERT_EQ(chmod(temp, 0444), 0);
    }
    EXPECT_EQ(desk.writeSettings("Wideroom.cfg"), 0);
    EXPECT_EQ(desk.writePlacement("Wideroom.prv"), 0);
    EXPECT_FALSE(fileExists("Wideroom.cfg.tmp"));
    EXPECT_FALSE(fileExists("Wideroom.prv.tmp"));
    const std::vector<unsigned char> settings = readFile("Wideroom.cfg");
    const std::vector<unsigned char> placement = readFile("Wideroom.prv");
    ASSERT_EQ(settings.size(), 2612u);
    ASSERT_EQ(placement.size(), 24u);
    EXPECT_EQ(settings[12], 3);    // hScale
    EXPECT_EQ(placement[16], 55);  // naviX
}

// Both files as written before saves that must fail.
struct OldFiles {
    std::vector<unsigned char> settings;
    std::vector<unsigned char> placement;
};

OldFiles writeBothFiles(VirtualDesk& desk) {
    EXPECT_EQ(desk.writeSettings("Wideroom.cfg"), 0);
    EXPECT_EQ(desk.writePlacement("Wideroom.prv"), 0);
    return {readFile("Wideroom.cfg"), readFile("Wideroom.prv")};
}

// Both saves reported `result` and left the old files whole, with no
// temporary file behind.
void expectOldFilesKept(const OldFiles& old, int settingsResult, int placementResult, int result) {
    EXPECT_EQ(settingsResult, result);
    EXPECT_EQ(placementResult, result);
    EXPECT_EQ(readFile("Wideroom.cfg"), old.settings);
    EXPECT_EQ(readFile("Wideroom.prv"), old.placement);
    EXPECT_FALSE(fileExists("Wideroom.cfg.tmp"));
    EXPECT_FALSE(fileExists("Wideroom.prv.tmp"));
}

// The user's read-only mark on a file is kept: the save reports 1 (cannot be
// opened or replaced), the file stays as it was and no temporary file is left.
TEST_F(Files, ReadOnlyTargetReportsOneAndStaysAsItWas) {
    VirtualDesk desk;
    const OldFiles old = writeBothFiles(desk);
    ASSERT_EQ(chmod("Wideroom.cfg", 0444), 0);
    ASSERT_EQ(chmod("Wideroom.prv", 0444), 0);
    desk.hScale = 2;
    desk.naviX = 99;
    const int settingsResult = desk.writeSettings("Wideroom.cfg");
    const int placementResult = desk.writePlacement("Wideroom.prv");
    expectOldFilesKept(old, settingsResult, placementResult, 1);
}

// The settings and the placement reach the disk before they replace the old
// file (a power loss cannot leave a file of zeros); the plain safe write, used
// for what matters only while the system runs, does not wait for the disk.
TEST_F(Files, SettingsAndPlacementAreOnTheDiskBeforeTheReplace) {
    VirtualDesk desk;
    sim::clearFileLog();
    ASSERT_EQ(desk.writeSettings("Wideroom.cfg"), 0);
    EXPECT_STREQ(sim::fileLog(), "DCWFXR");  // remove stale, create, write, flush, close, replace
    sim::clearFileLog();
    ASSERT_EQ(desk.writePlacement("Wideroom.prv"), 0);
    EXPECT_STREQ(sim::fileLog(), "DCWFXR");
    sim::clearFileLog();
    const unsigned char bytes[3] = {1, 2, 3};
    ASSERT_EQ(file_io::writeWhole("other.bin", bytes, 3), 0);
    EXPECT_STREQ(sim::fileLog(), "DCWXR");
}

// The record cannot be written whole (the file-size limit stops it after 100
// bytes): the old file stays whole and no temporary file is left behind.
TEST_F(Files, WriteThatFailsHalfWayLeavesTheOldFileIntact) {
    VirtualDesk desk;
    const OldFiles old = writeBothFiles(desk);
    ASSERT_EQ(old.settings.size(), 2612u);

    struct sigaction ignore {
    }, oldAction{};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &oldAction), 0);
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
    sigaction(SIGXFSZ, &oldAction, nullptr);
    expectOldFilesKept(old, settingsResult, placementResult, 2);
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
