// The navigator's frame fits the map: its client area is exactly the map.
#include "navigator/map_fit.h"
#include "platform/sim/sim_dialog.h"
#include "test_engine_support.h"

namespace {

class NavigatorFitTest : public engine_test::DeskTest {
protected:
    void SetUp() override {
        engine_test::DeskTest::SetUp();
        sim::resetDialogs();
    }
};

TEST_F(NavigatorFitTest, FrameIsTheMapPlusBorderAndCaption) {
    struct Case {
        int frameWidth;
        int frameHeight;
        int mapWidth;
        int mapHeight;
    };
    const Case cases[] = {{16, 39, 204, 153}, {0, 0, 204, 153}, {22, 58, 409, 307}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frameWidth << " x " << c.frameHeight);
        // The window's present size does not matter, only its frame.
        const platform::WindowHandle frame = sim::addWindow(kNavigatorTitle, "#32770", 40, 30, 500, 400);
        sim::setFrameSize(frame, c.frameWidth, c.frameHeight);
        int width = 0;
        int height = 0;
        EXPECT_TRUE(navigatorFrameSize(frame, c.mapWidth, c.mapHeight, &width, &height));
        EXPECT_EQ(width, c.mapWidth + c.frameWidth);
        EXPECT_EQ(height, c.mapHeight + c.frameHeight);
    }
}

TEST_F(NavigatorFitTest, FrameThatCannotBeReadGivesTheMapAlone) {
    int width = 0;
    int height = 0;
    EXPECT_FALSE(navigatorFrameSize(0x7777, 204, 153, &width, &height));
    EXPECT_EQ(width, 204);
    EXPECT_EQ(height, 153);
}

}  // namespace
