// The window placer: every placement of another program's window goes
// through it, and it keeps the ledger's moves in flight.
#include <memory>

#include "engine/window_placer.h"
#include "test_engine_support.h"

namespace {

bool sameRect(const platform::Rect& a, const platform::Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class WindowPlacerTest : public engine_test::DeskTest {
protected:
    void SetUp() override {
        engine_test::DeskTest::SetUp();
        sim::recordMoves(true);
        moves = std::make_unique<MoveLedger>();
        moves->beginPass();
    }

    // A window the ledger follows, shown at (100, 100) 300 x 200.
    int tracked(platform::WindowHandle* window, bool queues) {
        *window = sim::addWindow("Editor", "EditorClass", 100, 100, 300, 200);
        sim::window(*window)->queuesMoves = queues;
        return moves->track(*window, "EditorClass", kShown);
    }

    static constexpr platform::Rect kShown{100, 100, 400, 300};
    std::unique_ptr<MoveLedger> moves;
};

TEST_F(WindowPlacerTest, WindowWithoutLedgerSlotIsMovedAtOnce) {
    const platform::WindowHandle w = sim::addWindow("Plain", "PlainClass", 10, 20, 300, 200);
    const platform::Rect target{-500, 40, -200, 240};
    placer::moveTo(*moves, -1, w, target);
    ASSERT_EQ(sim::moveLog().size(), 1u);
    EXPECT_TRUE(sameRect(sim::moveLog()[0].rect, target));
    EXPECT_FALSE(sim::moveLog()[0].keepSize);
    EXPECT_EQ(moves->find(w), -1);
}

TEST_F(WindowPlacerTest, TrackedWindowGetsOneMoveInFlightAndTheLastTargetAfterIt) {
    platform::WindowHandle w = 0;
    const int slot = tracked(&w, true);
    ASSERT_GE(slot, 0);
    const platform::Rect first{90, 100, 390, 300};
    const platform::Rect second{80, 100, 380, 300};
    placer::moveTo(*moves, slot, w, first);
    placer::moveTo(*moves, slot, w, second);
    // The second waits for the first: only one call reached the window.
    ASSERT_EQ(sim::moveLog().size(), 1u);
    EXPECT_TRUE(sameRect(sim::moveLog()[0].rect, first));
    EXPECT_EQ(moves->slot(slot).inFlight, 1);
    // Still showing where it was, it is taken where the view wants it last.
    EXPECT_TRUE(sameRect(moves->believed(slot, kShown), second));
    EXPECT_EQ(moves->slot(slot).offsetX, -10);
}

TEST_F(WindowPlacerTest, RefusedMoveLeavesTheWindowWhereItIsKnown) {
    platform::WindowHandle w = 0;
    const int slot = tracked(&w, false);
    sim::window(w)->refuseMove = true;
    placer::moveTo(*moves, slot, w, {0, 0, 300, 200});
    EXPECT_EQ(sim::moveLog().size(), 1u);
    EXPECT_EQ(moves->slot(slot).inFlight, 0);
    EXPECT_EQ(moves->slot(slot).offsetX, 0);
    EXPECT_TRUE(sameRect(moves->slot(slot).wanted, kShown));
}

TEST_F(WindowPlacerTest, PutAtWithSlotIsTheMoveBackTheGatheringTakes) {
    struct Case {
        bool withSlot;
        bool refused;
        bool recorded;
    };
    const Case cases[] = {{true, false, true}, {false, false, false}, {true, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.withSlot << " refused " << c.refused);
        sim::reset();
        sim::recordMoves(true);
        moves = std::make_unique<MoveLedger>();
        moves->beginPass();
        platform::WindowHandle w = 0;
        const int slot = tracked(&w, true);
        sim::window(w)->refuseMove = c.refused;
        const platform::Rect from{-2000, 100, -1700, 300};
        const bool taken = placer::putAt(w, {0, 100}, moves.get(), c.withSlot ? slot : -1, &from);
        EXPECT_EQ(taken, !c.refused);
        ASSERT_EQ(sim::moveLog().size(), 1u);
        EXPECT_TRUE(sim::moveLog()[0].keepSize);
        EXPECT_EQ(moves->slot(slot).movedBack, c.recorded ? 1 : 0);
        if (c.recorded) {
            // Wherever the window shows meanwhile, it is taken where it goes.
            EXPECT_TRUE(sameRect(moves->believed(slot, from), (platform::Rect{0, 100, 300, 300})));
        }
    }
}

TEST_F(WindowPlacerTest, MaximizedWindowGoesToTheWorkAreaCornerLessTheFrame) {
    const platform::WindowHandle w = sim::addWindow("Big", "BigClass", 3000, 2000, 1032, 776);
    placer::putMaximized(w, {0, 30, 1024, 768}, 4);
    ASSERT_EQ(sim::moveLog().size(), 1u);
    EXPECT_EQ(sim::moveLog()[0].rect.left, -4);
    EXPECT_EQ(sim::moveLog()[0].rect.top, 26);
    EXPECT_TRUE(sim::moveLog()[0].keepSize);
}

}  // namespace
