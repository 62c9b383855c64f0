// The navigator's show/hide policy: the three transitions of naviMode for
// every mode, those a damaged placement file can bring included; none of
// them takes the focus from the program the user works in.
#include <gtest/gtest.h>

#include "tests/test_map_fixture.h"

namespace {

using maptest::MapTest;

enum Op { kShow, kHide, kToggle };
enum Effect { kNoCall, kShown, kHidden };

struct Transition {
    Op op;
    int32_t before;
    int32_t after;
    Effect effect;
};

void PrintTo(const Transition& t, std::ostream* os) {
    static const char* const ops[] = {"showWhileScrolling", "hideUnlessPinned", "togglePinned"};
    *os << ops[t.op] << " from " << t.before;
}

class ShowHide : public MapTest, public ::testing::WithParamInterface<Transition> {};

TEST_P(ShowHide, ModeMovesAndTheFrameFollows) {
    const Transition& t = GetParam();
    // The frame starts in the state opposite to the one a call would leave,
    // so that a missing or a needless call shows.
    for (bool visible : {false, true}) {
        sim::SimWindow frame;
        frame.title = kNavigatorTitle;
        frame.visible = visible;
        platform::WindowHandle h = sim::addWindow(frame);
        desk->naviMode = t.before;
        // The user works in another program.
        const platform::WindowHandle editor = sim::addWindow("notes", "Notepad", 300, 300, 400, 300);
        sim::setForeground(editor);
        sim::resetCallCount();
        switch (t.op) {
            case kShow:
                desk->showWhileScrolling(h);
                break;
            case kHide:
                desk->hideUnlessPinned(h);
                break;
            case kToggle:
                desk->togglePinned(h);
                break;
        }
        EXPECT_EQ(desk->naviMode, t.after);
        EXPECT_EQ(sim::callCount(), t.effect == kNoCall ? 0 : 1);
        bool expectVisible = t.effect == kNoCall ? visible : t.effect == kShown;
        EXPECT_EQ(sim::window(h)->visible, expectVisible) << "frame visible before: " << visible;
        // Showing the navigator never takes the focus (ShowWindow with
        // SW_SHOWNA: "Displays the window in its current size and position
        // ... except that the window is not activated",
        // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-showwindow).
        EXPECT_EQ(platform::foregroundWindow(), editor);
        sim::removeWindow(h);
        sim::removeWindow(editor);
    }
}

INSTANTIATE_TEST_SUITE_P(AllModes, ShowHide,
                         ::testing::Values(Transition{kShow, -1, -1, kNoCall},
                                           Transition{kShow, 0, 1, kShown}, Transition{kShow, 1, 1, kNoCall},
                                           Transition{kShow, 2, 2, kNoCall}, Transition{kShow, 3, 3, kNoCall},
                                           // Hiding is repeated even when hidden already.
                                           Transition{kHide, -1, 0, kHidden},
                                           Transition{kHide, 0, 0, kHidden}, Transition{kHide, 1, 0, kHidden},
                                           Transition{kHide, 2, 2, kNoCall}, Transition{kHide, 3, 3, kNoCall},
                                           // Pinning while shown for scrolling needs no call.
                                           Transition{kToggle, -1, 2, kShown},
                                           Transition{kToggle, 0, 2, kShown},
                                           Transition{kToggle, 1, 2, kNoCall},
                                           Transition{kToggle, 2, 0, kHidden},
                                           Transition{kToggle, 3, 2, kShown}));

// Shown for scrolling, pinned, then idle: the idle periods no longer hide it;
// only another toggle does.
TEST_F(MapTest, PinningWhileShownForScrollingSurvivesIdlePeriods) {
    platform::WindowHandle frame = sim::addWindow(kNavigatorTitle, "#32770", 0, 0, 220, 180);
    desk->naviMode = 0;
    desk->hideUnlessPinned(frame);
    desk->showWhileScrolling(frame);
    desk->togglePinned(frame);
    for (int tick = 0; tick < 5; ++tick) desk->hideUnlessPinned(frame);
    EXPECT_EQ(desk->naviMode, 2);
    EXPECT_TRUE(sim::window(frame)->visible);
    desk->togglePinned(frame);
    EXPECT_EQ(desk->naviMode, 0);
    EXPECT_FALSE(sim::window(frame)->visible);
}

}  // namespace
