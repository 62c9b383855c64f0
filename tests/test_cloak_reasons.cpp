// Cloaked windows by the reason the compositor gives (DWMWA_CLOAKED,
// https://learn.microsoft.com/en-us/windows/win32/api/dwmapi/ne-dwmapi-dwmwindowattribute:
// "If the window is cloaked, provides one of the following values explaining
// why": DWM_CLOAKED_APP 0x1 "The window was cloaked by its owner application",
// DWM_CLOAKED_SHELL 0x2 "The window was cloaked by the Shell",
// DWM_CLOAKED_INHERITED 0x4 "The cloak value was inherited from its owner
// window"). A window on another virtual desktop of the system (cloaked by the
// shell) keeps moving with the view but is not drawn in the map; one its
// program cloaked (a suspended app) stays out of the table.
#include "test_engine_support.h"

using namespace engine_test;

namespace {

struct CloakRow {
    const char* what;
    uint32_t reason;
    bool moves;
    bool drawn;
};

const CloakRow kRows[] = {
    {"not cloaked", 0, true, true},
    {"cloaked by its program", platform::kCloakedApp, false, false},
    {"on another desktop of the system", platform::kCloakedShell, true, false},
    {"owned by a window on another desktop", platform::kCloakedShell | platform::kCloakedInherited, true,
     false},
    {"inherited alone", platform::kCloakedInherited, false, false},
    {"suspended and on another desktop", platform::kCloakedApp | platform::kCloakedShell, false, false},
};

class CloakReasons : public DeskTest {};

int rectanglesPainted() {
    int n = 0;
    for (const sim::DrawOp& op : sim::canvasOps()) n += op.kind == sim::DrawOp::Rectangle ? 1 : 0;
    return n;
}

}  // namespace

TEST_F(CloakReasons, TheReasonDecidesWhetherTheWindowMovesAndShows) {
    for (const CloakRow& row : kRows) {
        sim::reset();
        const platform::WindowHandle w = addWindow(100, 100, 300, 200, row.what, "C");
        sim::window(w)->cloakReason = row.reason;
        VirtualDesk desk;
        desk.snapshotWindows();
        ASSERT_EQ(desk.moveViewBy(100, 0), 0);
        EXPECT_EQ(rectOf(w).left, row.moves ? 0 : 100) << row.what;
        // Background, the drawn windows, the viewport frame.
        sim::canvasOps().clear();
        desk.paintMap(1);
        EXPECT_EQ(rectanglesPainted(), row.drawn ? 3 : 2) << row.what;
        // Neither hovered nor dragged where it is not drawn: map point of
        // the window's middle, (x + viewX) / 25.
        desk.updateHover((150 + desk.viewX) / 25, (200 + desk.viewY) / 25);
        EXPECT_EQ(desk.getHoverWindow() == w, row.drawn) << row.what;
    }
}

TEST_F(CloakReasons, SwitchingBackFindsTheWindowWhereTheViewSays) {
    const platform::WindowHandle w = addWindow(100, 100, 300, 200, "elsewhere", "C");
    sim::window(w)->cloakReason = platform::kCloakedShell;
    VirtualDesk desk;
    for (int i = 0; i < 3; ++i) {
        desk.snapshotWindows();
        desk.moveViewBy(500, 0);
    }
    // The user switches to its desktop: it shows where the view put it.
    sim::window(w)->cloakReason = 0;
    desk.snapshotWindows();
    EXPECT_EQ(rectOf(w).left, 100 - 1500);
    desk.moveViewBy(-1500, 0);
    EXPECT_EQ(rectOf(w).left, 100);
}
