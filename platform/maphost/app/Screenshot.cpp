#include "Screenshot.h"

#include "automation/Error.h"
#include "maphost/document/AtomicFileWriter.h"

#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace maphost {

QImage captureTopLevelWindows() {
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !(w->windowType() == Qt::ToolTip || w->windowType() == Qt::Popup))
            windows.push_back(w);
    }
    if (windows.isEmpty())
        return {};
    // Main windows at the bottom, then the others in their stacking order as far as
    // Qt knows it: the active window last.
    std::stable_sort(windows.begin(), windows.end(), [](QWidget* a, QWidget* b) {
        const bool aMain = qobject_cast<QMainWindow*>(a) != nullptr;
        const bool bMain = qobject_cast<QMainWindow*>(b) != nullptr;
        if (aMain != bMain)
            return aMain;
        return !a->isActiveWindow() && b->isActiveWindow();
    });
    QRect area;
    for (QWidget* w : windows)
        area = area.united(w->geometry());
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(64, 72, 84));
    QPainter p(&image);
    for (QWidget* w : windows)
        p.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
    return image;
}

bool saveScreenshot(const QString& path) {
    const QImage image = captureTopLevelWindows();
    if (image.isNull())
        return false;
    // Written beside the target and renamed, so a failed save leaves no half picture.
    try {
        AtomicFileWriter writer(path);
        if (!image.save(writer.tempPath(), "PNG"))
            return false;
        writer.commit();
        return true;
    } catch (const automation::Error&) {
        return false;
    }
}

} // namespace maphost
