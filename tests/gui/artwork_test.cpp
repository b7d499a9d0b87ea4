// The terminal picture and the window's outline: the picture covers exactly the shape the
// window keeps, and our logo sits where the window draws it.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>

#include "shell/resources.h"
#include "shell/terminaloutline.h"

namespace fw {
namespace {

TEST(TerminalOutline, IsSymmetricAndSpansThePicture) {
    int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
    for (const OutlinePoint& p : TerminalOutline) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
        // Mirrored about x = 119.5, every point has its partner at the same height.
        const bool mirrored =
            std::any_of(TerminalOutline.begin(), TerminalOutline.end(),
                        [&](const OutlinePoint& q) { return q.x == 239 - p.x && q.y == p.y; });
        EXPECT_TRUE(mirrored) << p.x << "," << p.y;
    }
    EXPECT_EQ(minX, 0);
    EXPECT_EQ(maxX, kPictureWidth - 1);
    EXPECT_EQ(minY, 0);
    EXPECT_EQ(maxY, kPictureHeight - 1);

    const QRegion region = TerminalOutlineRegion();
    EXPECT_TRUE(region.contains(QPoint(120, 300)));  // the middle of the terminal
    EXPECT_FALSE(region.contains(QPoint(2, 2)));     // cut corners
    EXPECT_FALSE(region.contains(QPoint(237, 2)));
    EXPECT_FALSE(region.contains(QPoint(5, 570)));
    EXPECT_FALSE(region.contains(QPoint(37, 1)));     // the notch beside the left ear
    EXPECT_TRUE(region.contains(QPoint(25, 1)));      // the left ear itself
    EXPECT_FALSE(region.contains(QPoint(250, 300)));  // beyond the picture's width
}

TEST(TerminalPicture, CoversTheOutlineExactly) {
    const QImage picture = TerminalPicture().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(picture.size(), QSize(kPictureWidth, kPictureHeight));
    const QRegion region = TerminalOutlineRegion();
    // The artwork may spill over the outline by its edge's width, no further.
    QRegion nearOutline;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            nearOutline += region.translated(dx, dy);

    int holes = 0;
    int spills = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int alpha = qAlpha(picture.pixel(x, y));
            if (region.contains(QPoint(x, y)) && alpha != 255) ++holes;
            if (!nearOutline.contains(QPoint(x, y)) && alpha != 0) ++spills;
        }
    }
    EXPECT_EQ(holes, 0) << "pixels of the window's shape that the picture leaves open";
    EXPECT_EQ(spills, 0) << "pixels painted outside the terminal";
}

TEST(TerminalPicture, LogoSitsAt130By195) {
    const QImage picture = TerminalPicture().toImage();
    const QColor badge(0x1d, 0x4e, 0x89);
    // Inside the logo's badge, near its top-left and bottom-right corners.
    for (QPoint p : {QPoint(kLogoX + 3, kLogoY + 3), QPoint(kLogoX + 64, kLogoY + 19)})
        EXPECT_EQ(QColor(picture.pixel(p)), badge) << p.x() << "," << p.y();
    // Just outside it the terminal's front shows.
    for (QPoint p : {QPoint(kLogoX - 2, kLogoY + 10), QPoint(kLogoX + 30, kLogoY - 2),
                     QPoint(kLogoX + 69, kLogoY + 10), QPoint(kLogoX + 30, kLogoY + 24)})
        EXPECT_NE(QColor(picture.pixel(p)), badge) << p.x() << "," << p.y();
}

}  // namespace
}  // namespace fw
