// The terminal picture and the window's outline: the picture covers exactly the shape the
// window keeps, and our logo sits where the window draws it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QRegion>

#include "shell/clientwindow.h"
#include "shell/mainwindow.h"
#include "shell/resources.h"
#include "shell/terminaloutline.h"
#include "support/temp_folder.h"

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

// The picture is rendered from its artwork for the screen's pixel ratio: as many device
// pixels as the screen shows, never a small bitmap stretched.
TEST(TerminalPicture, IsRenderedAtTheScreensPixelRatio) {
    struct Case {
        qreal ratio;
        QSize pixels;
    };
    const Case cases[] = {{1.0, {240, 577}}, {1.25, {300, 722}}, {2.0, {480, 1154}}};
    for (const Case& c : cases) {
        const QPixmap picture = TerminalPicture(c.ratio);
        EXPECT_EQ(picture.size(), c.pixels) << c.ratio;
        EXPECT_DOUBLE_EQ(picture.devicePixelRatio(), c.ratio);
        // Whole device pixels cover the logical picture, with less than one pixel to spare.
        const QSizeF logical = picture.deviceIndependentSize();
        EXPECT_TRUE(logical.width() >= kPictureWidth && logical.width() < kPictureWidth + 1);
        EXPECT_TRUE(logical.height() >= kPictureHeight && logical.height() < kPictureHeight + 1);
    }
    // At twice the ratio the logo's edge is drawn with its own detail, not doubled pixels:
    // somewhere along it neighbouring device pixels differ where a stretched picture could not.
    const QImage sharp = TerminalPicture(2.0).toImage();
    int oddPairs = 0;
    for (int y = 2 * kLogoY; y < 2 * (kLogoY + kLogoHeight); ++y)
        for (int x = 2 * kLogoX; x < 2 * (kLogoX + kLogoWidth); x += 2)
            oddPairs += sharp.pixel(x, y) != sharp.pixel(x + 1, y);
    EXPECT_GT(oddPairs, 0);
}

// The window's picture follows the ratio of the screen it is on. The check runs in a child
// program started with the scale factor set, as a user's desktop would start it.
TEST(TerminalPicture, WindowFollowsTheScaleFactor) {
    const QByteArray expected = qgetenv("FW_EXPECT_PIXEL_RATIO");
    if (!expected.isEmpty()) {
        test::TempFolder dir;
        MainWindow window(ShellOptions{dir.Path(), {}});
        QApplication::processEvents();
        window.client()->grab();  // paints it
        EXPECT_DOUBLE_EQ(window.client()->devicePixelRatioF(), expected.toDouble());
        EXPECT_DOUBLE_EQ(window.client()->Picture().devicePixelRatio(), expected.toDouble());
        EXPECT_EQ(window.client()->Picture().size(), TerminalPicture(expected.toDouble()).size());
        return;
    }
    for (const char* factor : {"1.25", "2"}) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_SCALE_FACTOR", factor);
        env.insert("FW_EXPECT_PIXEL_RATIO", factor);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=TerminalPicture.WindowFollowsTheScaleFactor"});
        ASSERT_TRUE(child.waitForFinished(60000)) << factor;
        const QByteArray output = child.readAll();
        EXPECT_EQ(child.exitCode(), 0) << factor << "\n" << output.toStdString();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    }
}

TEST(ProgramIcon, IsSquareAtEverySize) {
    const QIcon icon = ProgramIcon();
    const QList<QSize> sizes = icon.availableSizes();
    ASSERT_FALSE(sizes.isEmpty());
    for (const QSize& size : sizes)
        EXPECT_EQ(size.width(), size.height());
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));
    // The artwork fills the square: its corners' middles are painted, not letterboxed.
    const QImage image = icon.pixmap(QSize(64, 64)).toImage();
    for (QPoint p : {QPoint(32, 3), QPoint(32, 60), QPoint(3, 32), QPoint(60, 32)})
        EXPECT_EQ(qAlpha(image.pixel(p)), 255) << p.x() << "," << p.y();
}

}  // namespace
}  // namespace fw
