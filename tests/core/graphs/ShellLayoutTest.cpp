#include "graphs/ShellLayout.h"

#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

Rect placed(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

TEST(ShellLayout, WindowsOnCommonScreens) {
    // 1280 x 1024: cover and main window at (1280 div 20, 1024 div 20) = (64, 51),
    // 0.9 x 1280 = 1152 by 0.9 x 1024 = 921.6 -> 921; contents scaled 1280 / 1024 = 1.25.
    const Size sxga{1280, 1024};
    EXPECT_EQ(coverWindowRect(sxga), placed(64, 51, 1152, 921));
    EXPECT_EQ(mainWindowRect(sxga), placed(64, 51, 1152, 921));
    EXPECT_DOUBLE_EQ(mainWindowScale(sxga), 1.25);
    // Help and parameters: 0.2 x 1280 = 256, 0.2 x 1024 = 204.8 -> 204; 0.6 x 1280 = 768,
    // 0.68 x 1024 = 696.32 -> 696.
    EXPECT_EQ(helpWindowRect(sxga), placed(256, 204, 768, 696));
    EXPECT_EQ(parametersWindowRect(sxga), placed(256, 204, 768, 696));

    struct Case {
        Size screen;
        Rect rect;
        double font;
    };
    // Requirements window: top 0.15 H, left 0.2 W; the size by the screen height.
    const Case cases[] = {
        // H > 768: 0.68 x 1024 = 696, 0.75 x 1280 = 960.
        {sxga, placed(256, 153, 960, 696), 0.0},
        // 640 < H <= 768: 0.64 x 768 = 491.52 -> 491, 0.65 x 1024 = 665.6 -> 665, 10 pt.
        {{1024, 768}, placed(204, 115, 665, 491), 10.0},
        // H <= 640: 0.75 of both.
        {{800, 600}, placed(160, 90, 600, 450), 0.0},
        {{1024, 640}, placed(204, 96, 768, 480), 0.0},
    };
    for (const Case& c : cases) {
        const RequirementsWindowGeometry g = requirementsWindowGeometry(c.screen);
        EXPECT_EQ(g.rect, c.rect) << c.screen.height;
        EXPECT_EQ(g.fontPoints, c.font) << c.screen.height;
    }
}

TEST(ShellLayout, MainGroupsAndCoverPicture) {
    // Client 1000 x 700: title at (50, 21) 900 x 196, functions at (100, 245) 800 x 420.
    const GroupPlacement title = titleGroupPlacement({1000, 700});
    EXPECT_EQ(title.left, 50);
    EXPECT_EQ(title.top, 21);
    EXPECT_EQ(title.width, 900);
    EXPECT_EQ(title.height, 196);
    const GroupPlacement functions = functionGroupPlacement({1000, 700});
    EXPECT_EQ(functions.left, 100);
    EXPECT_EQ(functions.top, 245);
    EXPECT_EQ(functions.width, 800);
    EXPECT_EQ(functions.height, 420);
    // Picture: 0.25 x 1152 = 288, 0.65 x 921 = 598.65 -> 598, 576 by 0.21 x 921 = 193.41.
    EXPECT_EQ(coverPictureRect({1152, 921}), placed(288, 598, 576, 193));
}

TEST(ShellLayout, CoverLinesCentredDownFromAnEighth) {
    // Client 1152 x 921: h = 115; heights 115, 115, 38, 76, 76, lines from y = 115.
    RecordingCanvas canvas({1152, 921});
    drawCover(canvas);
    ASSERT_EQ(canvas.texts().size(), kCoverLines.size());
    const int heights[] = {115, 115, 38, 76, 76};
    int y = 115;
    for (std::size_t i = 0; i < kCoverLines.size(); ++i) {
        const RecordedText& t = canvas.texts()[i];
        EXPECT_EQ(t.text, kCoverLines[i]);
        EXPECT_EQ(t.topLeft.y, y);
        EXPECT_EQ(t.font.name, "Impact");
        EXPECT_EQ(t.font.color, colors::kRed);
        EXPECT_EQ(t.height, heights[i]);
        EXPECT_EQ(t.topLeft.x, (1152 - t.width) / 2);
        y += heights[i];
    }
    ASSERT_EQ(canvas.filledRects().size(), 1U);
    EXPECT_EQ(canvas.filledRects()[0], (Rect{0, 0, 1152, 921}));
}

} // namespace
} // namespace korvane
