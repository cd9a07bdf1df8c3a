#include "desktop/ScreenFit.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

// A 1920 x 1000 screen with a 40-pixel panel on top, right of a second screen.
const QRect Available(1280, 40, 1920, 960);

TEST(ScreenFit, AWindowIsMovedAndShrunkOntoTheAvailableArea) {
    const struct {
        const char* what;
        QRect frame;
        QRect fitted;
    } cases[] = {
        {"fits: unchanged", {1400, 100, 900, 650}, {1400, 100, 900, 650}},
        {"bottom off the screen: moved up", {1400, 500, 900, 650}, {1400, 350, 900, 650}},
        {"under the panel: moved down", {1400, 0, 900, 650}, {1400, 40, 900, 650}},
        {"on the other screen: moved over", {100, 100, 900, 650}, {1280, 100, 900, 650}},
        {"past the right edge", {3000, 100, 900, 650}, {2300, 100, 900, 650}},
        {"higher than the screen: shrunk", {1400, 100, 900, 1200}, {1400, 40, 900, 960}},
        {"larger both ways", {0, 0, 4000, 3000}, {1280, 40, 1920, 960}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(desktop::FitInside(c.frame, Available), c.fitted) << c.what;
}

// (2239, 519) is the middle of Available as QRect counts it (right = left + width - 1).
TEST(ScreenFit, AWindowCentredOnAPointStaysOnTheAvailableArea) {
    const struct {
        const char* what;
        QPoint centre;
        QSize frame;
        QRect placed;
    } cases[] = {
        {"room all round: centred", {2239, 519}, {400, 300}, {2040, 370, 400, 300}},
        {"owner at the left edge", {1300, 519}, {400, 300}, {1280, 370, 400, 300}},
        {"owner at the right edge", {3150, 519}, {400, 300}, {2800, 370, 400, 300}},
        {"owner under the panel", {2239, 60}, {400, 300}, {2040, 40, 400, 300}},
        {"owner at the bottom", {2239, 990}, {400, 300}, {2040, 700, 400, 300}},
        {"owner on the other screen", {500, 519}, {400, 300}, {1280, 370, 400, 300}},
        {"larger than the screen", {2239, 519}, {2000, 1100}, {1280, 40, 1920, 960}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(desktop::CentredInside(c.frame, c.centre, Available), c.placed) << c.what;
}

// On the real (offscreen) screen: a dialog over an owner at the left edge opens wholly
// on the screen, and a dialog centred on the screen opens in its middle. The frame is
// guessed before the window is shown, so the middle may be off by a few pixels.
TEST(ScreenFit, ADialogOverAnOwnerAtTheScreenEdgeOpensOnTheScreen) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect available = screen->availableGeometry();
    QDialog owner;
    owner.setGeometry(available.left(), available.top() + 100, 120, 300);
    owner.show();

    QDialog dialog(&owner);
    dialog.setFixedSize(400, 200);
    desktop::CentreOnOwner(dialog, &owner);
    dialog.show();
    EXPECT_TRUE(available.contains(dialog.frameGeometry())) << "left edge";
    EXPECT_EQ(dialog.frameGeometry().left(), available.left());
    EXPECT_NEAR(dialog.frameGeometry().center().y(), owner.frameGeometry().center().y(), 8);
    dialog.hide();

    QDialog picker(&owner);
    picker.setFixedSize(400, 200);
    desktop::CentreOnOwner(picker, &owner, desktop::Centre::OnScreen);
    picker.show();
    EXPECT_TRUE(available.contains(picker.frameGeometry())) << "on the screen";
    EXPECT_NEAR(picker.frameGeometry().center().x(), available.center().x(), 8);
}

} // namespace
