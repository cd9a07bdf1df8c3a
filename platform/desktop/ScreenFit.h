#pragma once

#include <QRect>

class QScreen;
class QWidget;

namespace desktop {

// frame moved, and where it is larger shrunk, so that it lies wholly inside available.
QRect FitInside(const QRect& frame, const QRect& available);

// Keeps a top-level window, frame included, on the available area of screen (without
// panels and docks): where it is when it fits there, else moved and, when it is
// larger, shrunk. Before the window manager has framed the window, the frame is taken
// to be a title bar of the style's height and borders of a few pixels.
void KeepOnScreen(QWidget& window, const QScreen* screen);

} // namespace desktop
