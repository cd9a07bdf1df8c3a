#include "ScreenFit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace desktop {

QRect FitInside(const QRect& frame, const QRect& available) {
    QRect fitted(frame.topLeft(), QSize(std::min(frame.width(), available.width()),
                                        std::min(frame.height(), available.height())));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(),
                               available.left() + available.width() - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), available.top(),
                              available.top() + available.height() - fitted.height()));
    return fitted;
}

void KeepOnScreen(QWidget& window, const QScreen* screen) {
    if (!screen)
        return;
    const QRect inner = window.geometry();
    QRect outer = window.frameGeometry();
    QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                   outer.right() - inner.right(), outer.bottom() - inner.bottom());
    // Not framed yet: room for a title bar and borders, rather too much than too little.
    if (frame.isNull()) {
        const int border = 8;
        frame = QMargins(border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + border,
                         border, border);
    }
    outer = inner.marginsAdded(frame);
    const QRect fitted = FitInside(outer, screen->availableGeometry()).marginsRemoved(frame);
    if (fitted != inner)
        window.setGeometry(fitted);
}

} // namespace desktop
