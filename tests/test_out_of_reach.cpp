// Windows of programs that run elevated. User interface privilege isolation
// keeps a program without those rights from acting on them ("UIPI is a
// security feature that prevents messages from being received from a lower
// integrity level sender",
// https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-changewindowmessagefilterex):
// a move fails with ERROR_ACCESS_DENIED. Such a window stays where it stands,
// like a fixed one, is asked to move no more, is crossed out in the map, and
// the user is told once per program and run.
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class OutOfReachTest : public DeskTest {
protected:
    platform::WindowHandle addElevated(int x, const std::string& title, uint32_t processId) {
        const platform::WindowHandle h = addWindow(x, 100, 300, 200, title, "AdminApp");
        sim::window(h)->outOfReach = true;
        sim::window(h)->processId = processId;
        return h;
    }
    // Snapshot and a scroll of 50 pixels to the right, `ticks` times.
    void scroll(VirtualDesk* desk, int ticks) {
        for (int i = 0; i < ticks; ++i) {
            desk->snapshotWindows();
            desk->moveViewBy(50, 0);
        }
    }
    int movesAsked(platform::WindowHandle h) {
        int n = 0;
        for (const sim::SimMoveCall& c : sim::moveLog()) n += c.window == h ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST_F(OutOfReachTest, AWindowOfAnElevatedProgramIsAskedOnceAndThenLeftWhereItIs) {
    const platform::WindowHandle admin = addElevated(100, "admin", 0x900);
    const platform::WindowHandle plain = addWindow(500, 100, 300, 200);
    VirtualDesk desk;
    sim::recordMoves(true);
    scroll(&desk, 10);
    EXPECT_EQ(movesAsked(admin), 1);  // the first, refused
    EXPECT_EQ(movesAsked(plain), 10);
    EXPECT_EQ(rectOf(admin).left, 100);
    EXPECT_EQ(rectOf(plain).left, 0);
    // Its row shows where it really is, at every snapshot.
    desk.snapshotWindows();
    bool found = false;
    for (int i = 0; i < desk.windowCount; ++i) {
        if (desk.windows[i].window != admin) continue;
        found = true;
        EXPECT_EQ(desk.windows[i].x, 100);
    }
    EXPECT_TRUE(found);
}

TEST_F(OutOfReachTest, TheMapCrossesItOut) {
    addElevated(100, "admin", 0x900);
    VirtualDesk desk;
    scroll(&desk, 2);
    desk.snapshotWindows();
    sim::canvasOps().clear();
    desk.paintMap(1);
    int lines = 0;
    for (const sim::DrawOp& op : sim::canvasOps()) lines += op.kind == sim::DrawOp::LineTo ? 1 : 0;
    // The grid (6 + 6 lines) and the two strokes of the cross.
    EXPECT_EQ(lines, 12 + 2);
}

TEST_F(OutOfReachTest, TheUserIsToldOncePerProgram) {
    const platform::WindowHandle first = addElevated(100, "admin 1", 0x900);
    addElevated(200, "admin 2", 0x900);  // the same program
    const platform::WindowHandle other = addElevated(300, "other admin", 0x901);
    VirtualDesk desk;
    scroll(&desk, 3);
    EXPECT_EQ(desk.outOfReach.takeNotice(), first);
    EXPECT_EQ(desk.outOfReach.takeNotice(), other);
    EXPECT_EQ(desk.outOfReach.takeNotice(), 0u);
    // Closed and opened again in the same run: not told again.
    sim::removeWindow(first);
    scroll(&desk, 2);
    addElevated(100, "admin 1 again", 0x900);
    scroll(&desk, 3);
    EXPECT_EQ(desk.outOfReach.takeNotice(), 0u);
}

TEST_F(OutOfReachTest, AProgramThatRefusesWithoutElevationIsNotTakenForOne) {
    // Answers but keeps its window where it is: the refusal path as before.
    const platform::WindowHandle stubborn = addWindow(100, 100, 300, 200, "stubborn", "C");
    sim::window(stubborn)->ignoresMoves = true;
    VirtualDesk desk;
    scroll(&desk, 15);
    EXPECT_EQ(desk.outOfReach.count(), 0);
    EXPECT_EQ(desk.outOfReach.takeNotice(), 0u);
}

TEST_F(OutOfReachTest, AReusedHandleIsAskedAfresh) {
    const platform::WindowHandle admin = addElevated(100, "admin", 0x900);
    VirtualDesk desk;
    scroll(&desk, 3);
    ASSERT_TRUE(desk.outOfReach.stays(admin));
    // Gone for a pass: forgotten.
    sim::window(admin)->visible = false;
    desk.snapshotWindows();
    EXPECT_FALSE(desk.outOfReach.stays(admin));
    // Back, now in reach (another window under the same handle): it moves.
    sim::window(admin)->visible = true;
    sim::window(admin)->outOfReach = false;
    scroll(&desk, 1);
    EXPECT_EQ(rectOf(admin).left, 50);
}
