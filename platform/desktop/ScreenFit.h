#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace desktop {

// frame moved, and where it is larger shrunk, so that it lies wholly inside available.
QRect FitInside(const QRect& frame, const QRect& available);

// A frame of the given size centred on centre, then fitted inside available as
// FitInside does: a frame larger than available starts at its top left corner.
QRect CentredInside(const QSize& frame, const QPoint& centre, const QRect& available);

// Keeps a top-level window, frame included, on the available area of screen (without
// panels and docks): where it is when it fits there, else moved and, when it is
// larger, shrunk. Before the window manager has framed the window, the frame is taken
// to be a title bar of the style's height and borders of a few pixels.
void KeepOnScreen(QWidget& window, const QScreen* screen);

// What a window opening over its owner is centred on.
enum class Centre { OnOwner, OnScreen };

// Places a top-level window, frame included, centred on owner's window (OnOwner) or on
// the available area of owner's screen (OnScreen), and wholly on that available area
// (CentredInside). Without an owner it is centred on the primary screen. Call it
// before the window is shown; its frame is taken as KeepOnScreen does.
void CentreOnOwner(QWidget& window, const QWidget* owner, Centre on = Centre::OnOwner);

} // namespace desktop
