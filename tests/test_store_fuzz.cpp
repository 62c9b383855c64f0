// Bounded fuzz test of the two file readers: seeded random and mutated
// records. No crash (the native tests run with ASan and UBSan), and every
// record that is accepted gives sane geometry that survives scrolling,
// re-fitting and gathering.
#include <random>

#include "store/settings_check.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class Fuzz : public DeskTest {};

const int32_t kInteresting[] = {0,
                                1,
                                -1,
                                2,
                                5,
                                10,
                                12,
                                20,
                                25,
                                31,
                                32,
                                42,
                                43,
                                52,
                                64,
                                100,
                                255,
                                256,
                                999,
                                1000,
                                1001,
                                32767,
                                32768,
                                65535,
                                -32768,
                                65536,
                                1 << 20,
                                -1000,
                                INT32_MAX,
                                INT32_MIN,
                                INT32_MAX - 1,
                                INT32_MIN + 1};

int32_t pick(std::mt19937& rng) {
    if (rng() % 4 == 0) return static_cast<int32_t>(rng());
    return kInteresting[rng() % (sizeof kInteresting / sizeof kInteresting[0])];
}

// Mutates a valid record: some words replaced, some bytes flipped, sometimes
// the length changed.
std::vector<unsigned char> mutate(std::vector<unsigned char> bytes, std::mt19937& rng, size_t words) {
    const int changes = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < changes; ++i) {
        switch (rng() % 4) {
            case 0:
            case 1:
                putWord(bytes, 4 * (rng() % words), pick(rng));
                break;
            case 2:
                bytes[rng() % bytes.size()] ^= static_cast<unsigned char>(1u << (rng() % 8));
                break;
            default:
                bytes[rng() % bytes.size()] = static_cast<unsigned char>(rng());
                break;
        }
    }
    switch (rng() % 16) {
        case 0:
            bytes.resize(rng() % bytes.size());
            break;
        case 1:
            bytes.resize(bytes.size() + rng() % 64, static_cast<unsigned char>(rng()));
            break;
        default:
            break;
    }
    return bytes;
}

void expectSaneGeometry(VirtualDesk& desk) {
    ASSERT_GE(desk.hScale, 1);
    ASSERT_GE(desk.vScale, 1);
    ASSERT_GE(desk.naviDivisor, 1);
    ASSERT_LE(desk.interval, settings_check::kMaxInterval);
    ASSERT_GE(desk.minStep, 0);
    ASSERT_GE(desk.maxStep, 0);
    ASSERT_LE(desk.minStep, settings_check::kMaxStepBound);
    ASSERT_LE(desk.maxStep, settings_check::kMaxStepBound);
    ASSERT_EQ(desk.virtualWidth, desk.screenWidth * desk.hScale);
    ASSERT_EQ(desk.virtualHeight, desk.screenHeight * desk.vScale);
    ASSERT_LE(desk.virtualWidth, settings_check::kMaxCoordinate);
    ASSERT_LE(desk.virtualHeight, settings_check::kMaxCoordinate);
    ASSERT_GE(desk.viewX, 0);
    ASSERT_GE(desk.viewY, 0);
    ASSERT_LE(desk.viewX, desk.virtualWidth - desk.screenWidth);
    ASSERT_LE(desk.viewY, desk.virtualHeight - desk.screenHeight);
    ASSERT_GE(desk.mapWidth(), 0);
    ASSERT_GE(desk.mapHeight(), 0);
}

// Scrolls to every corner, re-fits and gathers: every window coordinate stays
// inside the platform's range.
void exercise(VirtualDesk& desk, std::mt19937& rng) {
    desk.snapshotWindows();
    const int dirs[][2] = {{1, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 0}, {0, 1}};
    for (int i = 0; i < 6; ++i) {
        desk.step = desk.maxStep;
        desk.scrollTick(dirs[i][0], dirs[i][1]);
        desk.accelerateStep();
        desk.moveViewTo(static_cast<int>(rng() % 100000) - 50000, static_cast<int>(rng() % 100000) - 50000);
    }
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 1;
    desk.importSettings(&image);
    desk.gatherWindows();
    for (const sim::SimWindow& w : sim::zOrder()) {
        ASSERT_GE(w.rect.left, -settings_check::kMaxCoordinate - 1);
        ASSERT_LE(w.rect.right, settings_check::kMaxCoordinate + 1024);
    }
    expectSaneGeometry(desk);
}

TEST_F(Fuzz, SettingsReaderSurvivesRandomAndMutatedRecords) {
    std::mt19937 rng(20261210);
    const std::vector<unsigned char> valid = settingsRecord(Settings{});
    int accepted = 0, refused = 0;
    for (int iteration = 0; iteration < 5000; ++iteration) {
        std::vector<unsigned char> bytes;
        if (iteration % 5 == 0) {
            bytes.resize(rng() % 3000);
            for (auto& b : bytes) b = static_cast<unsigned char>(rng());
            if (bytes.size() >= 12 && rng() % 2 == 0) {  // a valid header over random settings
                putWord(bytes, 0, 52);
                putWord(bytes, 4, 64);
                putWord(bytes, 8, 20);
            }
        } else {
            bytes = mutate(valid, rng, 13);
        }
        writeFile("Wideroom.cfg", bytes);

        sim::reset(1024, 768);
        addWindow(100, 100, 400, 300);
        addWindow(-3000, 2000, 200, 100);
        addWindow(0, 738, 1024, 30, "", "Shell_TrayWnd");
        VirtualDesk desk;
        const int r = desk.readSettings("Wideroom.cfg");
        ASSERT_TRUE(r >= 0 && r <= 3) << r;
        if (r == 0) {
            ++accepted;
        } else {
            ++refused;
        }
        expectSaneGeometry(desk);
        if (HasFatalFailure()) {
            ADD_FAILURE() << "iteration " << iteration;
            return;
        }
        if (iteration % 10 == 0) {
            exercise(desk, rng);
            if (HasFatalFailure()) {
                ADD_FAILURE() << "iteration " << iteration;
                return;
            }
        }
    }
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}

TEST_F(Fuzz, ImportOfRandomImagesKeepsGeometrySane) {
    std::mt19937 rng(7);
    for (int iteration = 0; iteration < 3000; ++iteration) {
        sim::reset(1024, 768);
        addWindow(100, 100, 400, 300);
        VirtualDesk desk;
        desk.snapshotWindows();
        SettingsImage image;
        desk.exportSettings(&image);
        int32_t* words = &image.hScale;
        const int changes = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < changes; ++i) words[rng() % 10] = pick(rng);
        desk.importSettings(&image);
        expectSaneGeometry(desk);
        if (HasFatalFailure()) {
            ADD_FAILURE() << "iteration " << iteration;
            return;
        }
    }
}

TEST_F(Fuzz, PlacementReaderSurvivesRandomAndMutatedRecords) {
    std::mt19937 rng(1024768);
    const std::vector<unsigned char> valid = placementRecord(24, 1024, 768, 1, 10, 20);
    for (int iteration = 0; iteration < 5000; ++iteration) {
        std::vector<unsigned char> bytes;
        if (iteration % 4 == 0) {
            bytes.resize(rng() % 64);
            for (auto& b : bytes) b = static_cast<unsigned char>(rng());
        } else {
            bytes = mutate(valid, rng, 6);
        }
        writeFile("Wideroom.prv", bytes);
        sim::reset(1024, 768);
        VirtualDesk desk;
        const int r = desk.readPlacement("Wideroom.prv");
        ASSERT_TRUE(r >= 0 && r <= 3) << r;
        if (r == 0 && bytes.size() >= 24 && getWord(bytes, 4) == 1024 && getWord(bytes, 8) == 768) {
            ASSERT_EQ(desk.naviMode, getWord(bytes, 12));
            ASSERT_EQ(desk.naviX, getWord(bytes, 16));
            ASSERT_EQ(desk.naviY, getWord(bytes, 20));
        } else {
            ASSERT_EQ(desk.naviMode, 2);
            ASSERT_EQ(desk.naviX, 0);
            ASSERT_EQ(desk.naviY, 0);
        }
        expectSaneGeometry(desk);
        // Whatever the mode, the navigator's transitions and a restart survive it.
        desk.showWhileScrolling(0);
        desk.hideUnlessPinned(0);
        desk.togglePinned(0);
    }
}

}  // namespace
