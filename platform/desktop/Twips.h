#pragma once

#include <QRect>

namespace desktop {

// Window positions and sizes are given in twips (1440 to the inch). These convert
// between twips and pixels with the screen's logical DPI: 15 twips to the pixel at
// 96 DPI. Results are rounded to the nearest whole unit (halves away from zero).

constexpr int twipsPerInch = 1440;

// The primary screen's logical DPI, 96 when there is no screen.
double logicalDpiX();
double logicalDpiY();

// Twips per pixel (15 at 96 DPI).
double twipsPerPixelX();
double twipsPerPixelY();

int twipsToPixels(double twips, double dpi);
double pixelsToTwips(double pixels, double dpi);

int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
int pixelsToTwipsX(double pixels);
int pixelsToTwipsY(double pixels);

// A rectangle given in twips (left, top, width, height) in pixels. The right and
// bottom edges are converted as edges, so rectangles that touch in twips touch in
// pixels too.
QRect twipsRect(double left, double top, double width, double height, double dpiX, double dpiY);
QRect twipsRect(double left, double top, double width, double height);

} // namespace desktop
