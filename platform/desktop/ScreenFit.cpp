#include "ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace desktop {

namespace {

// The window's frame as drawn by the window manager, or before it has framed the
// window room for a title bar and borders, rather too much than too little.
QMargins FrameOf(const QWidget& window) {
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (!frame.isNull())
        return frame;
    const int border = 8;
    return QMargins(border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border,
                    border);
}

} // namespace

QRect FitInside(const QRect& frame, const QRect& available) {
    QRect fitted(frame.topLeft(), QSize(std::min(frame.width(), available.width()),
                                        std::min(frame.height(), available.height())));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(),
                               available.left() + available.width() - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), available.top(),
                              available.top() + available.height() - fitted.height()));
    return fitted;
}

QRect CentredInside(const QSize& frame, const QPoint& centre, const QRect& available) {
    QRect centred(QPoint(0, 0), frame);
    centred.moveCenter(centre);
    return FitInside(centred, available);
}

void KeepOnScreen(QWidget& window, const QScreen* screen) {
    if (!screen)
        return;
    const QRect inner = window.geometry();
    const QMargins frame = FrameOf(window);
    const QRect fitted =
        FitInside(inner.marginsAdded(frame), screen->availableGeometry()).marginsRemoved(frame);
    if (fitted != inner)
        window.setGeometry(fitted);
}

void CentreOnOwner(QWidget& window, const QWidget* owner, Centre on) {
    const QWidget* ownerWindow = owner ? owner->window() : nullptr;
    const QScreen* screen = ownerWindow ? ownerWindow->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Not sized yet (a window sized by its layout): the size it will show with.
    if (!window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    const QRect available = screen->availableGeometry();
    const QPoint centre = ownerWindow && on == Centre::OnOwner
                              ? ownerWindow->frameGeometry().center()
                              : available.center();
    const QMargins frame = FrameOf(window);
    const QSize outer = window.size().grownBy(frame);
    const QRect placed = CentredInside(outer, centre, available);
    if (placed.size() != outer)
        window.resize(placed.size().shrunkBy(frame));
    // move() places the frame, whatever frame the window manager draws.
    window.move(placed.topLeft());
}

} // namespace desktop
