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
    QRect bounds;
    for (const OutlinePoint& p : TerminalOutline) {
        bounds |= QRect(p.x, p.y, 1, 1);
        // Mirrored about x = 119.5, every point has its partner at the same height.
        const bool mirrored =
            std::any_of(TerminalOutline.begin(), TerminalOutline.end(),
                        [&](const OutlinePoint& q) { return q.x == 239 - p.x && q.y == p.y; });
        EXPECT_TRUE(mirrored) << p.x << "," << p.y;
    }
    EXPECT_EQ(bounds, QRect(0, 0, kPictureWidth, kPictureHeight));

    // Inside: the middle of the terminal and the left ear. Outside: the cut corners, the
    // notch beside the left ear and what lies beyond the picture's width.
    const QRegion region = TerminalOutlineRegion();
    for (QPoint in : {QPoint(120, 300), QPoint(25, 1)})
        EXPECT_TRUE(region.contains(in)) << in.x() << "," << in.y();
    for (QPoint out :
         {QPoint(2, 2), QPoint(237, 2), QPoint(5, 570), QPoint(37, 1), QPoint(250, 300)})
        EXPECT_FALSE(region.contains(out)) << out.x() << "," << out.y();
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
