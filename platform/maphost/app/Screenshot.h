#pragma once

#include <QImage>
#include <QString>

namespace maphost {

// Every visible top-level window (the main window and any add-in windows) drawn
// into one image, each at its place on the screen.
QImage captureTopLevelWindows();
// Writes that image as a PNG; false when nothing is visible or the file cannot be
// written.
bool saveScreenshot(const QString& path);

} // namespace maphost
