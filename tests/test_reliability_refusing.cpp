// Windows whose program answers but does not obey: a handler that keeps the
// window on the screen, a program that leaves it where it is. Their rows show
// where they really stand, the view leaves them alone while they refuse, only
// what was carried out counts as moved, and once their place on the virtual
// desktop comes back onto the screen they go there. And a window that was
// late once does not stay one tick behind.
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class Refusing : public DeskTest {
protected:
    static void tick(VirtualDesk& desk, int dx, int dy = 0) {
        desk.snapshotWindows();
        if (dx != 0 || dy != 0) desk.moveViewBy(dx, dy);
    }
    static const WindowEntry* rowOf(const VirtualDesk& desk, platform::WindowHandle h) {
        for (int i = 0; i < desk.windowCount; ++i) {
            if (desk.windows[i].window == h) return &desk.windows[i];
        }
        return nullptr;
    }
    // The offset the recovery record would list for the window (0 if none).
    static int32_t recordedOffsetX(VirtualDesk& desk, platform::WindowHandle h) {
        static RecoveryEntry entries[kMaxRecoveryEntries];
        const int n = desk.moves.recordEntries(entries, kMaxRecoveryEntries, 1024, 768, false);
        for (int i = 0; i < n; ++i) {
            if (entries[i].window == h) return entries[i].offsetX;
        }
        return 0;
    }
};

void expectRowShowsTheWindow(const VirtualDesk& desk, const WindowEntry* row, platform::WindowHandle h) {
    ASSERT_NE(row, nullptr);
    (void)desk;
    EXPECT_EQ(row->x, rectOf(h).left);
    EXPECT_EQ(row->y, rectOf(h).top);
}

// Scrolled 2048 px right in steps of 64, then 2048 px back: the window its
// handler keeps at x >= 0 stops at the screen's left edge, is drawn there,
// and ends exactly where it started, as every ordinary window does.
TEST_F(Refusing, WindowKeptOnTheScreenByItsProgramEndsWhereItStarted) {
    platform::WindowHandle clamped = addWindow(300, 200, 200, 150, "Clamped", "Clamp");
    platform::WindowHandle plain = addWindow(600, 400, 100, 80);
    sim::window(clamped)->keepsOrigin = true;
    VirtualDesk desk;
    for (int t = 0; t < 32; ++t) {
        SCOPED_TRACE(t);
        tick(desk, 64);
        desk.snapshotWindows();
        expectRowShowsTheWindow(desk, rowOf(desk, clamped), clamped);
    }
    EXPECT_EQ(rectOf(clamped).left, 0);
    EXPECT_EQ(rectOf(plain).left, 600 - 2048);
    // Only the 300 px it went counts as moved.
    EXPECT_EQ(recordedOffsetX(desk, clamped), -300);
    const int asked = sim::window(clamped)->moveCount;
    for (int t = 0; t < 32; ++t) {
        SCOPED_TRACE(t);
        tick(desk, -64);
        desk.snapshotWindows();
        expectRowShowsTheWindow(desk, rowOf(desk, clamped), clamped);
    }
    tick(desk, 0);
    tick(desk, 0);
    EXPECT_EQ(rectOf(clamped).left, 300);
    EXPECT_EQ(rectOf(clamped).top, 200);
    EXPECT_EQ(rectOf(plain).left, 600);
    EXPECT_EQ(recordedOffsetX(desk, clamped), 0);
    // While its place was off the screen it was not asked again and again.
    EXPECT_LT(sim::window(clamped)->moveCount - asked, 32);
}

// A program that answers but leaves its window where it is: after a few
// passes the row shows it where it stands, the view stops asking, nothing
// counts as moved; when its place is back on the screen it is asked again.
TEST_F(Refusing, WindowThatStaysWhereItIsRefusesAndIsAskedAgainWhenItsPlaceComesBack) {
    platform::WindowHandle stubborn = addWindow(300, 200, 200, 150);
    sim::window(stubborn)->ignoresMoves = true;
    VirtualDesk desk;
    const int passes = static_cast<int>(MoveLedger::kRefusePasses) + 2;
    for (int t = 0; t < passes; ++t) tick(desk, 100);
    desk.snapshotWindows();
    expectRowShowsTheWindow(desk, rowOf(desk, stubborn), stubborn);
    EXPECT_EQ(recordedOffsetX(desk, stubborn), 0);
    const int asked = sim::window(stubborn)->moveCount;
    for (int t = 0; t < 5; ++t) tick(desk, 100);
    EXPECT_EQ(sim::window(stubborn)->moveCount, asked);
    // Its program obeys again; the view comes back to where its place is on
    // the screen, 40 px right of where it stands.
    sim::window(stubborn)->ignoresMoves = false;
    tick(desk, -(passes + 5) * 100 - 40);
    tick(desk, 0);
    tick(desk, 0);
    EXPECT_EQ(rectOf(stubborn).left, 340);
    expectRowShowsTheWindow(desk, rowOf(desk, stubborn), stubborn);
    // And it scrolls with the rest again.
    tick(desk, 10);
    tick(desk, 0);
    EXPECT_EQ(rectOf(stubborn).left, 330);
}

// A program that carries its moves out only after a long pause is no hung
// program: it refuses for a while and, when the move is done after all, goes
// to its place on the desktop, and that move counts.
TEST_F(Refusing, SlowWindowThatCarriesTheMoveOutLateRejoinsAtItsPlace) {
    platform::WindowHandle slow = addWindow(300, 200, 200, 150);
    sim::window(slow)->queuesMoves = true;
    VirtualDesk desk;
    const int passes = static_cast<int>(MoveLedger::kRefusePasses) + 3;
    for (int t = 0; t < passes; ++t) tick(desk, 5);
    desk.snapshotWindows();
    expectRowShowsTheWindow(desk, rowOf(desk, slow), slow);
    for (int t = 0; t < 4; ++t) {
        sim::pumpWindow(slow);
        tick(desk, 0);
    }
    EXPECT_EQ(rectOf(slow).left, 300 - 5 * passes);
    EXPECT_EQ(recordedOffsetX(desk, slow), -5 * passes);
}

// Late once, then prompt: after the move that waited, each tick's move is
// carried out by the pump that follows it, not one tick later.
TEST_F(Refusing, WindowLateOnceIsNotOneTickBehindFromThenOn) {
    platform::WindowHandle w = addWindow(300, 200, 200, 150);
    sim::window(w)->queuesMoves = true;
    VirtualDesk desk;
    tick(desk, 5);  // not carried out before the next tick
    tick(desk, 5);
    sim::pumpWindow(w);
    for (int t = 3; t <= 10; ++t) {
        SCOPED_TRACE(t);
        tick(desk, 5);
        sim::pumpWindow(w);
        EXPECT_EQ(rectOf(w).left, 300 - 5 * t);
    }
}

}  // namespace

namespace {

// A program that pauses past the passes of a refusal is asked again when its
// window's place comes back onto the screen, while the refused move still
// waits: it carries out both, the earlier first. That one landing is no move
// of someone else's: the window ends at its place, and its offset is what it
// was moved.
TEST_F(Refusing, SlowWindowAskedAgainEndsAtItsPlaceWhenTheEarlierMoveLandsFirst) {
    platform::WindowHandle slow = addWindow(300, 500, 200, 150);
    sim::window(slow)->queuesMoves = true;
    VirtualDesk desk;
    const int x0 = desk.viewX;
    const int y0 = desk.viewY;
    const int passes = static_cast<int>(MoveLedger::kRefusePasses) + 1;
    // Off to the left and down; refused while the first move waits.
    for (int t = 0; t < passes; ++t) tick(desk, 150, -30);
    desk.snapshotWindows();
    ASSERT_TRUE(desk.moves.slot(desk.moves.find(slow)).refusing);
    // Back the other way, its place coming onto the screen on the way: asked
    // again, not where the first move goes nor between.
    for (int t = 0; t < passes; ++t) tick(desk, -150, 60);
    ASSERT_EQ(sim::window(slow)->pendingMoves.size(), 2u);
    for (int t = 0; t < 4; ++t) {
        sim::pumpWindow(slow, 1);
        tick(desk, 0);
    }
    EXPECT_EQ(rectOf(slow).left, 300 - (desk.viewX - x0));
    EXPECT_EQ(rectOf(slow).top, 500 - (desk.viewY - y0));
    EXPECT_EQ(recordedOffsetX(desk, slow), -(desk.viewX - x0));
}

}  // namespace
