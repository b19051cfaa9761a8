#include "graphs/ShellLayout.h"

namespace korvane {
namespace {

// Whole pixels of a fraction of a length, truncated toward zero. The guard keeps exact
// products exact: 0.35 x 700 is 245, not the 244.99999999999997 of binary arithmetic.
int part(double fraction, int length) {
    return static_cast<int>(fraction * length + 1e-9);
}

Rect placed(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

GroupPlacement group(Size client, double left, double top, double width, double height) {
    return {part(left, client.width), part(top, client.height), part(width, client.width),
            part(height, client.height)};
}

} // namespace

Rect mainWindowRect(Size screen) {
    return placed(screen.width / 20, screen.height / 20, part(0.9, screen.width),
                  part(0.9, screen.height));
}

Rect coverWindowRect(Size screen) {
    return mainWindowRect(screen);
}

double mainWindowScale(Size screen) {
    return screen.width > 0 ? screen.width / 1024.0 : 1.0;
}

GroupPlacement titleGroupPlacement(Size client) {
    return group(client, 0.05, 0.03, 0.9, 0.28);
}

GroupPlacement functionGroupPlacement(Size client) {
    return group(client, 0.1, 0.35, 0.8, 0.6);
}

Rect helpWindowRect(Size screen) {
    return placed(part(0.2, screen.width), part(0.2, screen.height), part(0.6, screen.width),
                  part(0.68, screen.height));
}

Rect parametersWindowRect(Size screen) {
    return helpWindowRect(screen);
}

RequirementsWindowGeometry requirementsWindowGeometry(Size screen) {
    const int h = screen.height;
    const int w = screen.width;
    RequirementsWindowGeometry g;
    const int top = part(0.15, h);
    const int left = part(0.2, w);
    if (h > 640 && h <= 768) {
        g.rect = placed(left, top, part(0.65, w), part(0.64, h));
        g.fontPoints = 10.0;
    } else if (h <= 640) {
        g.rect = placed(left, top, part(0.75, w), part(0.75, h));
    } else {
        g.rect = placed(left, top, part(0.75, w), part(0.68, h));
    }
    return g;
}

Rect coverPictureRect(Size client) {
    return placed(part(0.25, client.width), part(0.65, client.height), part(0.5, client.width),
                  part(0.21, client.height));
}

void drawCover(Canvas& canvas) {
    const Size client = canvas.size();
    canvas.setBrushColor(colors::kBlack);
    canvas.fillRect({0, 0, client.width, client.height});
    const int h = client.height / 8;
    const std::array<int, kCoverLines.size()> heights = {h, h, h / 3, (2 * h) / 3, (2 * h) / 3};
    int y = h;
    for (std::size_t i = 0; i < kCoverLines.size(); ++i) {
        Font font;
        font.name = "Impact";
        font.color = colors::kRed;
        font.height = canvas.pointsForPixels(heights[i]);
        canvas.setFont(font);
        const int x = (client.width - canvas.textWidth(kCoverLines[i])) / 2;
        canvas.textOut(x, y, kCoverLines[i]);
        y += heights[i];
    }
}

} // namespace korvane
