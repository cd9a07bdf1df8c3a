#include "ButtonTestSupport.h"

#include "widgets/chameleonColors.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

using namespace buttontest;
using chameleonColors::shift;

namespace {

constexpr uint32_t Face = 0xC8D0D4;
constexpr uint32_t Highlight = 0xF7FFFF; // face + 47, red clamped
constexpr uint32_t Light = 0xE7EFF3;     // face + 31
constexpr uint32_t OuterUp = 0x565E62;   // shadow (face - 64) - 50
constexpr uint32_t Inner = 0xBFC7CB;     // face - 9
constexpr uint32_t OuterPressed = 0x586064;

// A look-14 button in scheme 2 with the add-in's face colour, so every shade is known.
void styleLook14(chameleonButton* b, const QString& caption = "Find") {
    b->setButtonType(14);
    b->setColorScheme(2);
    b->setBackColor(Face);
    b->setBackOver(Face);
    b->setForeColor(0);
    b->setForeOver(0);
    b->setCaption(caption);
}

int countColor(const QImage& img, const QRect& r, uint32_t c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += pixel(img, x, y) == c;
    return n;
}

uint32_t gradientRow(int y, int h) {
    const float step = 58.0f / static_cast<float>(h);
    return shift(Highlight, -static_cast<int>(std::nearbyint(step * static_cast<float>(y))));
}

} // namespace

TEST(ChameleonDrawing, Look14UpGradientFramesAndBands) {
    Window win;
    styleLook14(win.button);
    const QImage img = grabButton(win.button);
    const int w = 120, h = 25;
    // Frames.
    EXPECT_EQ(pixel(img, 60, 0), OuterUp);
    EXPECT_EQ(pixel(img, 0, 12), OuterUp);
    EXPECT_EQ(pixel(img, w - 1, 12), OuterUp);
    EXPECT_EQ(pixel(img, 60, h - 1), OuterUp);
    EXPECT_EQ(pixel(img, 60, 1), Inner);
    EXPECT_EQ(pixel(img, w - 2, 12), Inner);
    EXPECT_EQ(pixel(img, 60, h - 2), Inner);
    // Highlight bands: top two rows from x 2, left two columns from y 4.
    EXPECT_EQ(pixel(img, 60, 2), Highlight);
    EXPECT_EQ(pixel(img, 60, 3), Highlight);
    EXPECT_EQ(pixel(img, 2, 12), Highlight);
    EXPECT_EQ(pixel(img, 3, h - 3), Highlight);
    // The gradient's first and last visible rows: highlight - 9 and highlight - 51.
    EXPECT_EQ(pixel(img, 10, 4), 0xEEF6F6u);
    EXPECT_EQ(pixel(img, 10, h - 3), 0xC4CCCCu);
    EXPECT_EQ(pixel(img, w - 3, 12), gradientRow(12, h));
    // Corner pixels are cut from the window.
    const QRegion mask = win.button->mask();
    for (QPoint c : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        EXPECT_FALSE(mask.contains(c)) << c.x() << "," << c.y();
    EXPECT_TRUE(mask.contains(QPoint(1, 0)));
    EXPECT_TRUE(mask.contains(QPoint(0, 1)));
    // Through the window the corner shows the parent.
    win.top->setAutoFillBackground(true);
    QPalette pal = win.top->palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 255));
    win.top->setPalette(pal);
    const QImage whole = win.top->grab().toImage();
    EXPECT_EQ(pixel(whole, 10, 10), 0xFF00FFu);
    EXPECT_EQ(pixel(whole, 11, 10), OuterUp);
    // The caption is drawn in the text colour.
    EXPECT_GT(countColor(img, win.button->captionRect(), 0), 0);
}

TEST(ChameleonDrawing, Look14GradientRoundsHalvesToEven) {
    Window win(40, 116); // 58 / 116 = 0.5 exactly
    styleLook14(win.button, "");
    const QImage img = grabButton(win.button);
    EXPECT_EQ(pixel(img, 20, 5), shift(Highlight, -2));    // 2.5 -> 2
    EXPECT_EQ(pixel(img, 20, 7), shift(Highlight, -4));    // 3.5 -> 4
    EXPECT_EQ(pixel(img, 20, 113), shift(Highlight, -56)); // 56.5 -> 56
    for (int y = 4; y < 114; ++y)
        ASSERT_EQ(pixel(img, 20, y), gradientRow(y, 116)) << y;
}

TEST(ChameleonDrawing, Look14HoveredPressedDisabled) {
    Window win;
    styleLook14(win.button);
    auto* b = win.button;
    const int w = 120, h = 25;

    move(b, QPoint(30, 12));
    ASSERT_TRUE(b->isHovered());
    QImage img = grabButton(b);
    EXPECT_EQ(pixel(img, 10, 12), Light);
    EXPECT_EQ(pixel(img, 10, h - 3), Light);
    EXPECT_EQ(pixel(img, 60, 0), OuterUp);
    EXPECT_EQ(pixel(img, 60, 1), Inner);
    EXPECT_EQ(pixel(img, 60, 2), Highlight);

    press(b, QPoint(30, 12));
    ASSERT_EQ(b->lastDrawnState(), chameleonButton::StatePressed);
    img = grabButton(b);
    EXPECT_EQ(pixel(img, 10, 12), Inner);
    EXPECT_EQ(pixel(img, 60, 1), Inner);
    EXPECT_EQ(pixel(img, 60, 0), OuterPressed);
    EXPECT_EQ(pixel(img, 0, 12), OuterPressed);
    EXPECT_EQ(pixel(img, 60, h - 2), Highlight); // bottom line
    EXPECT_EQ(pixel(img, w - 2, 12), Highlight); // right line
    EXPECT_EQ(pixel(img, 2, h - 2), Highlight);
    EXPECT_EQ(pixel(img, w - 3, h - 2), Highlight);
    EXPECT_EQ(pixel(img, w - 2, h - 2), Highlight);
    EXPECT_EQ(pixel(img, 1, h - 2), Inner);
    EXPECT_EQ(countColor(img, b->captionRect(), 0), 0); // no text-coloured caption
    release(b, QPoint(30, 12));

    b->setEnabled(false);
    img = grabButton(b);
    EXPECT_EQ(pixel(img, 10, 4), 0xEEF6F6u); // gradient as when up
    EXPECT_EQ(pixel(img, 60, 0), OuterUp);
    EXPECT_EQ(pixel(img, 60, 2), Highlight);
    EXPECT_EQ(countColor(img, b->captionRect(), 0), 0);
}

TEST(ChameleonDrawing, PressedAndDisabledCaptionColours) {
    Window win(120, 40);
    auto* b = win.button;
    styleLook14(b, "MMM");
    QFont f("DejaVu Sans");
    f.setPixelSize(24);
    f.setBold(true);
    b->setFont(f);
    const QRect r = b->captionRect().adjusted(-1, -1, 2, 2);
    EXPECT_GT(countColor(grabButton(b), r, 0), 20);

    // Pressed: highlight over a copy in shadow - 50, one pixel down and right.
    press(b, QPoint(5, 5));
    QImage img = grabButton(b);
    EXPECT_GT(countColor(img, r, Highlight), 20);
    EXPECT_GT(countColor(img, r, OuterUp), 5);
    EXPECT_EQ(countColor(img, r, 0), 0);
    release(b, QPoint(5, 5));

    // Disabled: face over a highlight copy.
    b->setEnabled(false);
    img = grabButton(b);
    EXPECT_GT(countColor(img, r, Face), 20);
    EXPECT_GT(countColor(img, r, Highlight), 5);
    EXPECT_EQ(countColor(img, r, 0), 0);
}

TEST(ChameleonDrawing, DefaultButtonCaptionIsBold) {
    Window win;
    styleLook14(win.button, "Select");
    const QRect r = win.button->rect();
    const int normal = countColor(grabButton(win.button), r, 0);
    win.button->setDisplayAsDefault(true);
    const int bold = countColor(grabButton(win.button), r, 0);
    EXPECT_FALSE(win.button->FontBold()); // for that drawing only
    EXPECT_GT(bold, normal);
}

TEST(ChameleonDrawing, SoftBevelHalvesTheFrameShades) {
    Window win;
    styleLook14(win.button);
    win.button->setSoftBevel(true);
    const QImage img = grabButton(win.button);
    // shadow = face - 32, outer frame = shadow - 25; inner = face - 4
    EXPECT_EQ(pixel(img, 60, 0), shift(shift(Face, -32), -25));
    EXPECT_EQ(pixel(img, 60, 1), shift(Face, -4));
}

TEST(ChameleonDrawing, SchemeOneUsesThePaletteColours) {
    Window win;
    QPalette pal = win.button->palette();
    pal.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
    pal.setColor(QPalette::Light, QColor(0xFF, 0xFF, 0xFF));
    pal.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    win.button->setPalette(pal);
    win.button->applyAddinDefaults();
    win.button->setCaption("Find");
    const QImage img = grabButton(win.button);
    EXPECT_EQ(pixel(img, 60, 0), 0x4E4E4Eu); // 0x80 - 50
    EXPECT_EQ(pixel(img, 60, 1), Inner);
    EXPECT_EQ(pixel(img, 60, 2), 0xFFFFFFu);
}

TEST(ChameleonDrawing, OtherLooksAndUnknownLook) {
    Window win;
    auto* b = win.button;
    styleLook14(b);
    b->setButtonType(1);
    QImage img = grabButton(b);
    EXPECT_EQ(pixel(img, 60, 0), 0x081014u);  // dark shadow frame
    EXPECT_EQ(pixel(img, 60, 1), Highlight);  // bevel top
    EXPECT_EQ(pixel(img, 60, 23), 0x889094u); // bevel bottom
    b->setButtonType(2);
    img = grabButton(b);
    EXPECT_EQ(pixel(img, 60, 0), Highlight);
    EXPECT_EQ(pixel(img, 60, 24), 0x081014u);
    EXPECT_EQ(pixel(img, 60, 1), Light);
    EXPECT_EQ(pixel(img, 60, 23), 0x889094u);
    b->setButtonType(3);
    img = grabButton(b);
    EXPECT_EQ(pixel(img, 60, 0), 0x733C00u);
    EXPECT_EQ(pixel(img, 1, 1), 0x7B4D10u);
    // Look 11 shows the parent's background behind the caption.
    win.top->setAutoFillBackground(true);
    QPalette pal = win.top->palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 0));
    win.top->setPalette(pal);
    b->setButtonType(11);
    img = grabButton(b);
    EXPECT_EQ(pixel(img, 3, 3), 0x008000u);
    EXPECT_EQ(pixel(img, 116, 21), 0x008000u);
    b->setButtonType(15);
    img = grabButton(b);
    EXPECT_EQ(countColor(img, b->rect(), Face), 120 * 25); // face only, no caption
    b->setButtonType(0);
    img = grabButton(b);
    EXPECT_EQ(countColor(img, b->rect(), Face), 120 * 25);
}

TEST(ChameleonDrawing, WindowRegionsAndFocusRectangles) {
    Window win(60, 30);
    auto* b = win.button;
    b->setButtonType(3);
    for (QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(59, 0), QPoint(58, 0),
                     QPoint(59, 1), QPoint(0, 29), QPoint(59, 28)})
        EXPECT_FALSE(b->mask().contains(p)) << p.x() << "," << p.y();
    EXPECT_TRUE(b->mask().contains(QPoint(1, 1)));
    EXPECT_TRUE(b->mask().contains(QPoint(2, 0)));
    EXPECT_EQ(b->focusRect(), QRect(4, 4, 52, 22));
    b->setButtonType(5);
    EXPECT_FALSE(b->mask().contains(QPoint(59, 0)));
    EXPECT_FALSE(b->mask().contains(QPoint(0, 29)));
    EXPECT_TRUE(b->mask().contains(QPoint(0, 0)));
    b->setButtonType(13);
    EXPECT_FALSE(b->mask().contains(QPoint(2, 2)));
    EXPECT_TRUE(b->mask().contains(QPoint(30, 15)));
    EXPECT_TRUE(b->mask().contains(QPoint(30, 1)));
    EXPECT_EQ(b->focusRect(), QRect(3, 3, 54, 24));
    b->setButtonType(2);
    EXPECT_TRUE(b->mask().isEmpty());
    b->setButtonType(14);
    EXPECT_EQ(b->focusRect(), QRect(6, 6, 50, 20));
    b->resize(80, 30);
    EXPECT_EQ(b->focusRect(), QRect(6, 6, 70, 20));
    EXPECT_FALSE(b->mask().contains(QPoint(79, 29)));
}

TEST(ChameleonDrawing, FocusRectangleOnlyWithFocusAndSwitch) {
    Window win;
    styleLook14(win.button, "");
    auto* b = win.button;
    EXPECT_EQ(countColor(grabButton(b), b->focusRect(), 0), 0);
    b->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(b->hasFocus());
    const QRect fr = b->focusRect();
    EXPECT_GT(countColor(grabButton(b), fr, 0), 20);
    b->setShowFocusRect(false);
    EXPECT_EQ(countColor(grabButton(b), fr, 0), 0);
}

TEST(ChameleonDrawing, CaptionLayoutWrapsAndMakesRoomForThePicture) {
    Window win(70, 60);
    auto* b = win.button;
    styleLook14(b, "Copy To Clipboard");
    const QFontMetrics fm(b->font());
    EXPECT_GT(b->captionRect().height(), fm.height()); // wrapped
    EXPECT_LE(b->captionRect().width(), 68);

    QImage pic(16, 16, QImage::Format_RGB32);
    pic.fill(QColor(0xC0, 0xC0, 0xC0));
    for (int y = 6; y < 10; ++y)
        for (int x = 6; x < 10; ++x)
            pic.setPixelColor(x, y, QColor(255, 0, 0));
    b->setCaption("Go");
    b->setPictureNormal(QPixmap::fromImage(pic));
    const QPoint inner = b->rect().adjusted(1, 1, -1, -1).center();
    EXPECT_GT(b->captionRect().center().x(), inner.x()); // picture on the left
    b->setPicturePosition(1);
    EXPECT_LT(b->captionRect().center().x(), inner.x());
    b->setPicturePosition(2);
    EXPECT_GT(b->captionRect().center().y(), inner.y());
    b->setPicturePosition(3);
    EXPECT_LT(b->captionRect().center().y(), inner.y());
    b->setPicturePosition(4);
    EXPECT_LE(std::abs(b->captionRect().center().x() - inner.x()), 1);

    // The mask colour is transparent: no 0xC0C0C0 pixel shows, the red centre does.
    b->setCaption("");
    QImage img = grabButton(b);
    EXPECT_EQ(countColor(img, b->rect(), 0xC0C0C0), 0);
    EXPECT_EQ(countColor(img, b->rect(), 0x0000FF), 16);
    b->setUseMaskColor(false);
    img = grabButton(b);
    EXPECT_EQ(countColor(img, b->rect(), 0xC0C0C0), 16 * 16 - 16);
    // Disabled with greyscale: the red centre turns grey.
    b->setUseGreyscale(true);
    b->setEnabled(false);
    img = grabButton(b);
    EXPECT_EQ(countColor(img, b->rect(), 0x0000FF), 0);
    const int g = qGray(255, 0, 0);
    EXPECT_EQ(countColor(img, b->rect(), static_cast<uint32_t>(g * 0x010101)), 16);
}

TEST(ChameleonDrawing, CaptionEffects) {
    Window win(120, 40);
    auto* b = win.button;
    styleLook14(b, "MMM");
    QFont f("DejaVu Sans");
    f.setPixelSize(24);
    f.setBold(true);
    b->setFont(f);
    const QRect r = b->captionRect().adjusted(-2, -2, 2, 2);
    const uint32_t soft = 0xF8FFFF; // soft face = face + 48
    const uint32_t dark = shift(soft, -40);
    const uint32_t bright = shift(soft, 40);
    EXPECT_LT(countColor(grabButton(b), r, dark), 3);
    b->setSpecialEffect(1);
    QImage img = grabButton(b);
    EXPECT_GT(countColor(img, r, dark), 10);
    EXPECT_GT(countColor(img, r, bright), 10);
    b->setSpecialEffect(3);
    img = grabButton(b);
    EXPECT_GT(countColor(img, r, dark), 10);
    EXPECT_LT(countColor(img, r, bright), 3);
}

TEST(ChameleonDrawing, SchemeTwoHoverDerivesEveryShadeFromBackOver) {
    Window win;
    auto* b = win.button;
    styleLook14(b);
    b->setBackOver(0x808080);
    b->setForeOver(0x0000FF);
    move(b, QPoint(30, 12));
    ASSERT_TRUE(b->isHovered());
    const QImage img = grabButton(b);
    EXPECT_EQ(pixel(img, 10, 12), 0x9F9F9Fu); // light = BackOver + 31
    EXPECT_EQ(pixel(img, 60, 1), 0x777777u);  // BackOver - 9
    EXPECT_EQ(pixel(img, 60, 0), 0x0E0E0Eu);  // (BackOver - 64) - 50
    EXPECT_GT(countColor(img, b->captionRect(), 0x0000FF), 0);
    // The resting palette is untouched.
    EXPECT_EQ(b->workingPalette().face, Face);
}

TEST(ChameleonDrawing, ContainerColourChangesReachSystemSchemes) {
    Window win;
    auto* b = win.button;
    b->applyAddinDefaults();
    QPalette pal = win.top->palette();
    pal.setColor(QPalette::Button, QColor(0x40, 0x40, 0x40));
    pal.setColor(QPalette::Dark, QColor(0x90, 0x90, 0x90));
    win.top->setPalette(pal);
    QApplication::processEvents();
    EXPECT_EQ(b->workingPalette().face, 0x404040u);
    EXPECT_EQ(pixel(grabButton(b), 60, 0), 0x5E5E5Eu); // 0x90 - 50
    // Scheme 2 keeps its own colours.
    b->setColorScheme(2);
    pal.setColor(QPalette::Button, QColor(0x10, 0x10, 0x10));
    win.top->setPalette(pal);
    EXPECT_EQ(b->workingPalette().face, 0xC8D0D4u);
}

// A window shown with its button disabled (a dialog's OK before there is input), or
// shown while another window is active, draws the enabled button in the same colours as
// one that never was disabled.
TEST(ChameleonDrawing, ColoursDoNotDependOnTheStateWhenTheyWereRead) {
    Window win;
    auto* b = win.button;
    b->applyAddinDefaults();
    b->setCaption("OK");
    const QImage enabled = grabButton(b);

    b->setEnabled(false);
    win.top->hide();
    win.top->show();
    QApplication::processEvents();
    b->setEnabled(true);
    EXPECT_EQ(grabButton(b), enabled);

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    b->Refresh();
    EXPECT_EQ(grabButton(b), enabled);
}
