// The settings dialog on the in-memory desktop and dialog: showing, the
// sliders and their edits, apply, save, cancel and closing.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>

#include "engine/virtual_desk.h"
#include "platform/dialog.h"
#include "platform/sim/sim_dialog.h"
#include "res/resource.h"
#include "settings/settings_dialog.h"
#include "test_engine_support.h"

namespace {

// The navigator's frame adds this much to its client area.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 27;

struct Row {
    const char* name;
    int32_t VirtualDesk::*field;
    int edit;
    int slider;
    int plus;
    int minus;
    int low;
    int high;
};

const Row kHScale{
    "hScale", &VirtualDesk::hScale, IDC_HSCALE_EDIT, IDC_HSCALE_SLIDER, IDC_HSCALE_PLUS, IDC_HSCALE_MINUS, 1,
    10};
const Row kVScale{
    "vScale", &VirtualDesk::vScale, IDC_VSCALE_EDIT, IDC_VSCALE_SLIDER, IDC_VSCALE_PLUS, IDC_VSCALE_MINUS, 1,
    10};
const Row kMinStep{"minStep",
                   &VirtualDesk::minStep,
                   IDC_MINSTEP_EDIT,
                   IDC_MINSTEP_SLIDER,
                   IDC_MINSTEP_PLUS,
                   IDC_MINSTEP_MINUS,
                   1,
                   255};
const Row kMaxStep{"maxStep",
                   &VirtualDesk::maxStep,
                   IDC_MAXSTEP_EDIT,
                   IDC_MAXSTEP_SLIDER,
                   IDC_MAXSTEP_PLUS,
                   IDC_MAXSTEP_MINUS,
                   1,
                   255};
const Row kDivisor{"naviDivisor",
                   &VirtualDesk::naviDivisor,
                   IDC_DIVISOR_EDIT,
                   IDC_DIVISOR_SLIDER,
                   IDC_DIVISOR_PLUS,
                   IDC_DIVISOR_MINUS,
                   5,
                   500};

// interval is unsigned in the engine, so it is read apart.
constexpr int kIntervalEdit = IDC_INTERVAL_EDIT;
constexpr int kIntervalSlider = IDC_INTERVAL_SLIDER;

class SettingsDialogTest : public engine_test::DeskTest {
protected:
    void SetUp() override {
        engine_test::DeskTest::SetUp();
        sim::resetDialogs();
        desk = std::make_unique<VirtualDesk>();
        // The dialog and the navigator are top-level windows like any other.
        windows.dialog = sim::addWindow(kSettingsTitle, "#32770", 200, 100, 600, 480);
        windows.navFrame =
            sim::addWindow(kNavigatorTitle, "#32770", 40, 30, 204 + kFrameWidth, 153 + kFrameHeight);
        sim::setFrameSize(windows.navFrame, kFrameWidth, kFrameHeight);
        windows.mapPane = sim::addChildWindow({0, 0, 204, 153});
        dialog = std::make_unique<SettingsDialog>();
    }
    void TearDown() override {
        desk.reset();
        engine_test::DeskTest::TearDown();
    }

    int show() { return dialog->onShow(desk.get(), windows); }
    void pass() { dialog->onMessage(desk.get(), windows.dialog); }
    void command(int id) { dialog->onCommand(desk.get(), windows, id); }
    std::string text(int id) { return sim::control(windows.dialog, id).text; }
    int sliderPos(int id) { return platform::getTrackbarPos(windows.dialog, id); }
    void drag(int id, int pos) { sim::dragTrackbar(windows.dialog, id, pos); }
    void check(int id, bool on) { platform::setChecked(windows.dialog, id, on); }
    bool checked(int id) { return platform::isChecked(windows.dialog, id); }

    SettingsImage engineSettings() {
        SettingsImage image;
        desk->exportSettings(&image);
        return image;
    }

    std::unique_ptr<VirtualDesk> desk;
    std::unique_ptr<SettingsDialog> dialog;
    DialogWindows windows{};
};

// --- showing -------------------------------------------------------------------

TEST_F(SettingsDialogTest, ShowingPutsTheEngineSettingsIntoEveryControl) {
    desk->hScale = 3;
    desk->vScale = 7;
    desk->minStep = 2;
    desk->maxStep = 200;
    desk->interval = 55;
    desk->naviDivisor = 40;
    desk->needShift = 0;
    desk->needCtrl = 1;
    desk->moveMaximized = 0;
    desk->pageMode = 1;
    ASSERT_EQ(show(), 0);

    struct Expect {
        int edit, slider, low, high, value;
    } rows[] = {
        {IDC_HSCALE_EDIT, IDC_HSCALE_SLIDER, 1, 10, 3},
        {IDC_VSCALE_EDIT, IDC_VSCALE_SLIDER, 1, 10, 7},
        {IDC_MINSTEP_EDIT, IDC_MINSTEP_SLIDER, 1, 255, 2},
        {IDC_MAXSTEP_EDIT, IDC_MAXSTEP_SLIDER, 1, 255, 200},
        {IDC_INTERVAL_EDIT, IDC_INTERVAL_SLIDER, 10, 100, 55},
        {IDC_DIVISOR_EDIT, IDC_DIVISOR_SLIDER, 5, 500, 40},
    };
    for (const Expect& r : rows) {
        SCOPED_TRACE(r.edit);
        EXPECT_EQ(text(r.edit), std::to_string(r.value));
        EXPECT_EQ(sim::control(windows.dialog, r.slider).low, r.low);
        EXPECT_EQ(sim::control(windows.dialog, r.slider).high, r.high);
        EXPECT_EQ(sliderPos(r.slider), r.value);
    }
    EXPECT_FALSE(checked(IDC_SHIFT));
    EXPECT_TRUE(checked(IDC_CTRL));
    EXPECT_FALSE(checked(IDC_MOVE_MAXIMIZED));
    EXPECT_TRUE(checked(IDC_KEEP_MAXIMIZED));
    EXPECT_FALSE(checked(IDC_SCROLL_ON));
    EXPECT_TRUE(checked(IDC_SCROLL_OFF));
    EXPECT_EQ(desk->mapDirty, 1);
}

TEST_F(SettingsDialogTest, ShowingOverwritesWhatMessagesBeforeItStored) {
    // Messages before the first showing read sliders that are not set up yet.
    pass();
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(dialog->editImage.hScale, 5);
    EXPECT_EQ(dialog->editImage.naviDivisor, 25);
    EXPECT_EQ(text(IDC_DIVISOR_EDIT), "25");
    pass();
    EXPECT_EQ(text(IDC_DIVISOR_EDIT), "25");
}

// A value from the settings file outside a slider's range shows as it is,
// then follows the slider at the first message, and apply stores the slider's.
struct OutOfRangeCase {
    Row row;
    int stored;
    int clamped;
};

void PrintTo(const OutOfRangeCase& c, std::ostream* os) {
    *os << c.row.name << " " << c.stored << " -> " << c.clamped;
}

class StoredValueOutOfRange : public SettingsDialogTest,
                              public ::testing::WithParamInterface<OutOfRangeCase> {};

TEST_P(StoredValueOutOfRange, IsShownThenFollowsItsSliderAndIsAppliedClamped) {
    const OutOfRangeCase& c = GetParam();
    desk.get()->*c.row.field = c.stored;
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(text(c.row.edit), std::to_string(c.stored));
    EXPECT_EQ(sliderPos(c.row.slider), c.clamped);

    pass();
    EXPECT_EQ(text(c.row.edit), std::to_string(c.clamped));

    command(IDC_APPLY);
    EXPECT_EQ(desk.get()->*c.row.field, c.clamped);
}

INSTANTIATE_TEST_SUITE_P(Rows, StoredValueOutOfRange,
                         ::testing::Values(OutOfRangeCase{kHScale, 12, 10}, OutOfRangeCase{kVScale, 0, 1},
                                           OutOfRangeCase{kMaxStep, 300, 255},
                                           OutOfRangeCase{kDivisor, 1000, 500},
                                           OutOfRangeCase{kDivisor, 2, 5}));

TEST_F(SettingsDialogTest, IntervalOutsideItsRangeFollowsItsSlider) {
    desk->interval = 5;
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(text(kIntervalEdit), "5");
    pass();
    EXPECT_EQ(text(kIntervalEdit), "10");
    command(IDC_APPLY);
    EXPECT_EQ(desk->interval, 10u);
}

// --- sliders, edits, "+" and "-" -------------------------------------------------

TEST_F(SettingsDialogTest, EditFollowsADraggedSliderAtTheNextMessage) {
    ASSERT_EQ(show(), 0);
    drag(IDC_DIVISOR_SLIDER, 40);
    EXPECT_EQ(text(IDC_DIVISOR_EDIT), "25");
    pass();
    EXPECT_EQ(text(IDC_DIVISOR_EDIT), "40");
    EXPECT_EQ(dialog->editImage.naviDivisor, 40);
    EXPECT_EQ(desk->naviDivisor, 25);
}

struct NudgeCase {
    Row row;
    int start;
    bool plus;
    int expected;
};

void PrintTo(const NudgeCase& c, std::ostream* os) {
    *os << c.row.name << " " << c.start << (c.plus ? " + -> " : " - -> ") << c.expected;
}

class SliderButton : public SettingsDialogTest, public ::testing::WithParamInterface<NudgeCase> {};

TEST_P(SliderButton, MovesTheSliderByOneWithinItsRange) {
    const NudgeCase& c = GetParam();
    desk.get()->*c.row.field = c.start;
    ASSERT_EQ(show(), 0);
    command(c.plus ? c.row.plus : c.row.minus);
    EXPECT_EQ(sliderPos(c.row.slider), c.expected);
    pass();
    EXPECT_EQ(text(c.row.edit), std::to_string(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, SliderButton,
                         ::testing::Values(NudgeCase{kHScale, 10, true, 10}, NudgeCase{kHScale, 5, true, 6},
                                           NudgeCase{kVScale, 1, false, 1}, NudgeCase{kMinStep, 1, false, 1},
                                           NudgeCase{kMaxStep, 255, true, 255},
                                           NudgeCase{kMaxStep, 64, false, 63},
                                           NudgeCase{kDivisor, 5, false, 5},
                                           NudgeCase{kDivisor, 25, true, 26},
                                           NudgeCase{kDivisor, 500, true, 500}));

TEST_F(SettingsDialogTest, IntervalButtonsStepOneMillisecondWithinTenToHundred) {
    struct {
        uint32_t start;
        int id;
        int expected;
    } rows[] = {{10, IDC_INTERVAL_MINUS, 10},
                {30, IDC_INTERVAL_MINUS, 29},
                {30, IDC_INTERVAL_PLUS, 31},
                {100, IDC_INTERVAL_PLUS, 100}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.start);
        desk->interval = r.start;
        ASSERT_EQ(show(), 0);
        command(r.id);
        EXPECT_EQ(sliderPos(kIntervalSlider), r.expected);
    }
}

// --- readDialogInt ---------------------------------------------------------------

TEST_F(SettingsDialogTest, ReadDialogIntTakesOnlyDecimalDigits) {
    constexpr int kFallback = 64;
    struct {
        const char* text;
        int expected;
    } rows[] = {
        {"", kFallback},
        {"0", 0},
        {"12", 12},
        {"007", 7},
        {"255", 255},
        {"-5", kFallback},
        {"+5", kFallback},
        {" 12", kFallback},
        {"12 ", kFallback},
        {"1 2", kFallback},
        {"12a", kFallback},
        {"0x10", kFallback},
        {"3.5", kFallback},
        {"１２", kFallback},  // full-width digits
        {"2147483647", INT_MAX},
        {"2147483648", kFallback},
        {"99999999999999999999", kFallback},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        platform::setControlText(windows.dialog, IDC_MAXSTEP_EDIT, r.text);
        EXPECT_EQ(readDialogInt(windows.dialog, IDC_MAXSTEP_EDIT, kFallback), r.expected);
    }
}

TEST_F(SettingsDialogTest, ReadDialogIntReadsAtMost255Characters) {
    std::string zeros(254, '0');
    platform::setControlText(windows.dialog, IDC_HSCALE_EDIT, (zeros + "7").c_str());
    EXPECT_EQ(readDialogInt(windows.dialog, IDC_HSCALE_EDIT, 5), 7);
    // The 256th character is not read: what remains is 255 zeros.
    platform::setControlText(windows.dialog, IDC_HSCALE_EDIT, (zeros + "0x").c_str());
    EXPECT_EQ(readDialogInt(windows.dialog, IDC_HSCALE_EDIT, 5), 0);
}

TEST_F(SettingsDialogTest, ApplyFallsBackToEachRowsDefaultForAnUnreadableEdit) {
    desk->hScale = 3;
    desk->vScale = 3;
    desk->minStep = 7;
    desk->maxStep = 9;
    desk->interval = 77;
    desk->naviDivisor = 88;
    ASSERT_EQ(show(), 0);
    for (int id : {IDC_HSCALE_EDIT, IDC_VSCALE_EDIT, IDC_MINSTEP_EDIT, IDC_MAXSTEP_EDIT, IDC_INTERVAL_EDIT,
                   IDC_DIVISOR_EDIT}) {
        platform::setControlText(windows.dialog, id, "");
    }
    command(IDC_APPLY);
    EXPECT_EQ(desk->hScale, 5);
    EXPECT_EQ(desk->vScale, 5);
    EXPECT_EQ(desk->minStep, 1);
    EXPECT_EQ(desk->maxStep, 64);
    EXPECT_EQ(desk->interval, 30u);
    EXPECT_EQ(desk->naviDivisor, 25);
}

TEST_F(SettingsDialogTest, ApplyNeverHandsTheEngineAZeroDivisorOrScale) {
    ASSERT_EQ(show(), 0);
    platform::setControlText(windows.dialog, IDC_DIVISOR_EDIT, "0");
    platform::setControlText(windows.dialog, IDC_HSCALE_EDIT, "0");
    command(IDC_APPLY);
    EXPECT_EQ(desk->naviDivisor, 5);
    EXPECT_EQ(desk->hScale, 1);
}

// --- apply and save ----------------------------------------------------------------

TEST_F(SettingsDialogTest, ApplyTakesSlidersChecksAndRadiosIntoTheEngineAndCloses) {
    ASSERT_EQ(show(), 0);
    drag(IDC_HSCALE_SLIDER, 3);
    drag(IDC_VSCALE_SLIDER, 4);
    drag(IDC_MINSTEP_SLIDER, 2);
    drag(IDC_MAXSTEP_SLIDER, 100);
    drag(IDC_INTERVAL_SLIDER, 50);
    drag(IDC_DIVISOR_SLIDER, 30);
    check(IDC_SHIFT, true);
    check(IDC_CTRL, true);
    check(IDC_MOVE_MAXIMIZED, false);
    check(IDC_KEEP_MAXIMIZED, true);
    check(IDC_SCROLL_ON, false);
    check(IDC_SCROLL_OFF, true);
    pass();
    command(IDC_APPLY);

    EXPECT_EQ(desk->hScale, 3);
    EXPECT_EQ(desk->vScale, 4);
    EXPECT_EQ(desk->minStep, 2);
    EXPECT_EQ(desk->maxStep, 100);
    EXPECT_EQ(desk->interval, 50u);
    EXPECT_EQ(desk->naviDivisor, 30);
    EXPECT_EQ(desk->needShift, 1);
    EXPECT_EQ(desk->needCtrl, 1);
    EXPECT_EQ(desk->moveMaximized, 0);
    EXPECT_EQ(desk->pageMode, 1);
    EXPECT_EQ(desk->virtualWidth, 1024 * 3);
    EXPECT_EQ(desk->virtualHeight, 768 * 4);
    EXPECT_TRUE(sim::isDestroyed(windows.dialog));
    EXPECT_FALSE(engine_test::fileExists(kSettingsFileName));
    EXPECT_EQ(desk->mapDirty, 1);
}

TEST_F(SettingsDialogTest, ApplyWithHalfTheScaleShrinksMapPaneAndNavigatorFrame) {
    ASSERT_EQ(desk->mapWidth(), 204);
    ASSERT_EQ(desk->mapHeight(), 153);
    ASSERT_EQ(show(), 0);
    drag(IDC_DIVISOR_SLIDER, 50);
    pass();
    command(IDC_APPLY);

    EXPECT_EQ(desk->mapWidth(), 102);
    EXPECT_EQ(desk->mapHeight(), 76);
    platform::Rect frame = engine_test::rectOf(windows.navFrame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 30);
    EXPECT_EQ(frame.right - frame.left, 102 + kFrameWidth);
    EXPECT_EQ(frame.bottom - frame.top, 76 + kFrameHeight);
    EXPECT_TRUE(sim::isTopmost(windows.navFrame));
    platform::Rect client{};
    ASSERT_TRUE(platform::getClientRect(windows.navFrame, &client));
    EXPECT_EQ(client.right, 102);
    EXPECT_EQ(client.bottom, 76);
    platform::Rect pane = sim::childRect(windows.mapPane);
    EXPECT_EQ(pane.left, 0);
    EXPECT_EQ(pane.top, 0);
    EXPECT_EQ(pane.right, 102);
    EXPECT_EQ(pane.bottom, 76);
}

TEST_F(SettingsDialogTest, ApplyHidesTheNavigatorUnlessPinned) {
    struct {
        int32_t mode;
        int32_t modeAfter;
        bool visibleAfter;
    } rows[] = {{0, 0, false}, {1, 0, false}, {2, 2, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.mode);
        sim::window(windows.navFrame)->visible = r.mode != 0;
        desk->naviMode = r.mode;
        ASSERT_EQ(show(), 0);
        command(IDC_APPLY);
        EXPECT_EQ(desk->naviMode, r.modeAfter);
        EXPECT_EQ(sim::window(windows.navFrame)->visible, r.visibleAfter);
    }
}

TEST_F(SettingsDialogTest, ApplyWithNothingChangedMovesNoWindowAndKeepsTheNavigator) {
    platform::WindowHandle other = engine_test::addWindow(100, 100, 300, 200);
    platform::Rect before = engine_test::rectOf(windows.navFrame);
    SettingsImage settingsBefore = engineSettings();
    ASSERT_EQ(show(), 0);
    pass();
    command(IDC_APPLY);

    EXPECT_EQ(sim::window(other)->moveCount, 0);
    platform::Rect after = engine_test::rectOf(windows.navFrame);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    EXPECT_TRUE(sim::isTopmost(windows.navFrame));
    SettingsImage settingsAfter = engineSettings();
    EXPECT_EQ(std::memcmp(&settingsBefore, &settingsAfter, sizeof settingsBefore), 0);
}

TEST_F(SettingsDialogTest, SaveWritesTheAppliedSettingsForTheNextStart) {
    engine_test::addWindow(10, 10, 200, 100, "memo", "Notepad");
    ASSERT_EQ(show(), 0);
    drag(IDC_HSCALE_SLIDER, 7);
    drag(IDC_INTERVAL_SLIDER, 20);
    check(IDC_CTRL, true);
    sim::selectLine(windows.dialog, IDC_CANDIDATES, 0);
    ASSERT_EQ(dialog->candidates.count, 1);
    command(IDC_FIX);
    pass();
    command(IDC_SAVE);

    EXPECT_TRUE(sim::isDestroyed(windows.dialog));
    EXPECT_EQ(engine_test::readFile(kSettingsFileName).size(), sizeof(SettingsImage));
    SettingsImage applied = engineSettings();
    VirtualDesk next;  // reads the file as the program does at start-up
    SettingsImage loaded;
    next.exportSettings(&loaded);
    EXPECT_EQ(std::memcmp(&applied, &loaded, sizeof applied), 0);
    EXPECT_EQ(next.hScale, 7);
    EXPECT_EQ(next.interval, 20u);
    EXPECT_EQ(next.needCtrl, 1);
    EXPECT_STREQ(next.fixedWindows.entries[0].title, "memo");
    EXPECT_STREQ(next.fixedWindows.entries[0].className, "Notepad");
}

// --- cancel and closing --------------------------------------------------------------

TEST_F(SettingsDialogTest, CancelAndFrameCloseLeaveTheEngineUntouched) {
    engine_test::addWindow(10, 10, 200, 100, "memo", "Notepad");
    for (bool byFrame : {false, true}) {
        SCOPED_TRACE(byFrame);
        windows.dialog = sim::addWindow(kSettingsTitle, "#32770", 200, 100, 600, 480);
        SettingsImage before = engineSettings();
        ASSERT_EQ(show(), 0);
        drag(IDC_DIVISOR_SLIDER, 40);
        drag(IDC_HSCALE_SLIDER, 2);
        check(IDC_SCROLL_OFF, true);
        sim::selectLine(windows.dialog, IDC_CANDIDATES, 0);
        command(IDC_FIX);
        pass();
        EXPECT_EQ(text(IDC_DIVISOR_EDIT), "40");
        desk->mapDirty = 0;
        if (byFrame) {
            dialog->onClose(desk.get(), windows.dialog);
        } else {
            command(IDC_CANCEL);
        }
        EXPECT_TRUE(sim::isDestroyed(windows.dialog));
        EXPECT_EQ(desk->mapDirty, 1);
        SettingsImage after = engineSettings();
        EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
        EXPECT_EQ(desk->naviDivisor, 25);
        EXPECT_FALSE(engine_test::fileExists(kSettingsFileName));
    }
}

TEST_F(SettingsDialogTest, ReopeningStartsAgainFromTheEngineSettings) {
    ASSERT_EQ(show(), 0);
    drag(IDC_DIVISOR_SLIDER, 40);
    pass();
    command(IDC_CANCEL);

    windows.dialog = sim::addWindow(kSettingsTitle, "#32770", 200, 100, 600, 480);
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(text(IDC_DIVISOR_EDIT), "25");
    EXPECT_EQ(sliderPos(IDC_DIVISOR_SLIDER), 25);
    EXPECT_EQ(dialog->editImage.naviDivisor, 25);
}

TEST_F(SettingsDialogTest, OtherControlsCommandsOnlyMarkTheMap) {
    ASSERT_EQ(show(), 0);
    SettingsImage before = dialog->editImage;
    for (int id : {IDC_HSCALE_EDIT, IDC_SHIFT, IDC_SCROLL_OFF, IDC_CANDIDATES, IDC_FIXED, 2 /* Esc */}) {
        SCOPED_TRACE(id);
        desk->mapDirty = 0;
        command(id);
        EXPECT_EQ(desk->mapDirty, 1);
        EXPECT_FALSE(sim::isDestroyed(windows.dialog));
    }
    EXPECT_EQ(std::memcmp(&before, &dialog->editImage, sizeof before), 0);
}

TEST_F(SettingsDialogTest, EveryPassMarksTheMapForRepainting) {
    ASSERT_EQ(show(), 0);
    desk->mapDirty = 0;
    pass();
    EXPECT_EQ(desk->mapDirty, 1);
    desk->mapDirty = 0;
    dialog->endMessage(desk.get());
    EXPECT_EQ(desk->mapDirty, 1);
}

}  // namespace
