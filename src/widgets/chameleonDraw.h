#pragma once

#include <QPixmap>
#include <QRect>
#include <cstdint>

class QPainter;

// Pixel-exact drawing primitives of the button control. Rectangles cover [x, x + w) x
// [y, y + h); colours are 0x00BBGGRR.
namespace chameleonDraw {

void fill(QPainter& p, int x, int y, int w, int h, uint32_t c);
void hline(QPainter& p, int x1, int x2, int y, uint32_t c); // x1 .. x2 - 1
void vline(QPainter& p, int x, int y1, int y2, uint32_t c); // y1 .. y2 - 1
void frame(QPainter& p, int x, int y, int w, int h, uint32_t c);
// Top and left in one colour, bottom and right in the other.
void bevel(QPainter& p, int x, int y, int w, int h, uint32_t topLeft, uint32_t bottomRight);
// The four pixels `inset` pixels diagonally inside the corners of a w x h rectangle.
void corners(QPainter& p, int w, int h, int inset, uint32_t c);
// Round to nearest, halves to even.
int roundEven(float v);
// Rows 1 to h, each the top colour shifted by -(depth / h) * y.
void gradient(QPainter& p, int w, int h, uint32_t top, int depth, bool blueProportional, bool soft);
// A dotted focus rectangle on the border of r.
void dottedFrame(QPainter& p, const QRect& r, uint32_t c);

// The picture with every pixel of the mask colour made transparent (when useMask).
QPixmap maskedPicture(const QPixmap& pic, bool useMask, uint32_t mask);
QPixmap greyPicture(const QPixmap& pic);
// A small pointing hand, used when HandPointer is on.
QPixmap handPicture();

} // namespace chameleonDraw
