#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace desktop {

namespace {

constexpr double fallbackDpi = 96.0;

QScreen* screen() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::primaryScreen()
               : nullptr;
}

} // namespace

double logicalDpiX() {
    const QScreen* s = screen();
    return s ? s->logicalDotsPerInchX() : fallbackDpi;
}

double logicalDpiY() {
    const QScreen* s = screen();
    return s ? s->logicalDotsPerInchY() : fallbackDpi;
}

double twipsPerPixelX() {
    return twipsPerInch / logicalDpiX();
}
double twipsPerPixelY() {
    return twipsPerInch / logicalDpiY();
}

int twipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / twipsPerInch));
}

double pixelsToTwips(double pixels, double dpi) {
    return pixels * twipsPerInch / dpi;
}

int twipsToPixelsX(double twips) {
    return twipsToPixels(twips, logicalDpiX());
}
int twipsToPixelsY(double twips) {
    return twipsToPixels(twips, logicalDpiY());
}
int pixelsToTwipsX(double pixels) {
    return static_cast<int>(std::lround(pixelsToTwips(pixels, logicalDpiX())));
}
int pixelsToTwipsY(double pixels) {
    return static_cast<int>(std::lround(pixelsToTwips(pixels, logicalDpiY())));
}

QRect twipsRect(double left, double top, double width, double height, double dpiX, double dpiY) {
    const int x = twipsToPixels(left, dpiX);
    const int y = twipsToPixels(top, dpiY);
    const int right = twipsToPixels(left + width, dpiX);
    const int bottom = twipsToPixels(top + height, dpiY);
    return QRect(x, y, right - x, bottom - y);
}

QRect twipsRect(double left, double top, double width, double height) {
    return twipsRect(left, top, width, height, logicalDpiX(), logicalDpiY());
}

} // namespace desktop
